#include "SiteBuilderScreens.h"

#include "engines/EngineFiles.h"
#include "engines/SiteBuilderPage.h"
#include "engines/TMatchUpFrm.h"
#include "engines/TVarsForm.h"
#include "model/TGWide.h"
#include "shell/TMainFrm.h"

#include <QComboBox>
#include <QTabWidget>

namespace {

// Loads the first engine of the list that passes test, as a choice in the
// site list would; keeps the shown engine when none does.
void showFirst(TMainFrm& main, TEngBuild& engines, const std::function<bool(const SiteEngine&)>& test) {
    TSiteBuilderPage& page = *main.SiteBuilderSheet;
    const QStringList list = engines.EngineList();
    for (int i = 0; i < list.size(); ++i) {
        engines.LoadEngine(list[i]);
        if (test(engines.Engine)) {
            page.EB_SiteNameCombo->setCurrentIndex(i);
            page.EB_SiteNameComboChange();
            return;
        }
    }
    page.EB_SiteNameComboChange();
}

} // namespace

void renderSiteBuilderScreens(TMainFrm& main, const std::function<void(QWidget&, const QString& name)>& save) {
    if (!main.model().GWide.EngBuild)
        return;
    TEngBuild& engines = *main.model().GWide.EngBuild;
    TSiteBuilderPage& page = *main.SiteBuilderSheet;
    main.setActivePage(&page);

    const struct {
        const char* name;
        std::function<bool(const SiteEngine&)> uses;
    } pages[] = {
        {"5-site-builder-1-details", [](const SiteEngine& e) { return e.useCat1 && e.useCat2; }},
        {"5-site-builder-2-http-post", [](const SiteEngine& e) { return e.useHttpPost; }},
        {"5-site-builder-3-ftp-upload", [](const SiteEngine& e) { return e.useFtpUpload; }},
        {"5-site-builder-4-e-mail", [](const SiteEngine& e) { return e.useEmail; }},
    };
    for (int i = 0; i < 4; ++i) {
        showFirst(main, engines, pages[i].uses);
        page.PageControl3->setCurrentIndex(i);
        save(main, QLatin1String(pages[i].name));
    }

    // The aids of script writing, beside the HTTP page of an HTTP engine.
    showFirst(main, engines, pages[1].uses);
    page.PageControl3->setCurrentIndex(1);
    page.Mnu_ScriptClick();
    save(*page.VarsForm, QStringLiteral("dialog-variable-list"));
    page.VarsForm->hide();

    TMatchUpFrm translations(&main);
    translations.fill(engines.Translations);
    save(translations, QStringLiteral("dialog-field-translations"));
    translations.hide();

    page.PageControl3->setCurrentIndex(0);
    main.model().EngineSaved = true;
}
