#include "MainExpanderSource.h"

#include "ControlText.h"
#include "model/Workspace.h"
#include "engines/EngineFiles.h"
#include "platform/TextFile.h"
#include "profiles/AppInfoPage.h"
#include "selection/SitesPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeWidget>

QString MainExpanderSource::text(const char* objectName) const
{
    // Memo texts keep the line breaks of the files they come from.
    return ::controlText(window_, objectName).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

bool MainExpanderSource::checked(const char* objectName) const
{
    auto* button = window_.findChild<QAbstractButton*>(QLatin1String(objectName));
    return button && button->isChecked();
}

QString MainExpanderSource::companyField(CompanyField field) const
{
    switch (field) {
    case CompanyField::Name: return text("compname");
    case CompanyField::Url: return text("pubpage");
    case CompanyField::Mail: return text("pubmail");
    case CompanyField::Contact: return text("conname");
    case CompanyField::Title: return text("contitle");
    case CompanyField::Email: return text("conmail");
    case CompanyField::Phone: return text("conphone");
    case CompanyField::Fax: return text("confax");
    case CompanyField::Address: return text("conaddr");
    case CompanyField::City: return text("concity");
    case CompanyField::State: return text("constate");
    case CompanyField::Zip: return text("conzip");
    case CompanyField::Country: return text("concountry");
    case CompanyField::BhsId: return model_.BHSID;
    }
    return {};
}

QString MainExpanderSource::appField(AppField field) const
{
    switch (field) {
    case AppField::Name: return app_.appName();
    case AppField::EightChar: return text("char8name");
    case AppField::FileName: return text("filename");
    case AppField::Version: return text("version");
    case AppField::Month: return text("month");
    case AppField::Day: return text("day");
    case AppField::Year: return text("year");
    case AppField::Platform: return text("platforms");
    case AppField::SubmittedBy: return text("diststatus");
    case AppField::Size32: return text("bytesize32");
    case AppField::InstSize32: return text("instsize32");
    case AppField::Size16: return text("bytesize16");
    case AppField::InstSize16: return text("instsize16");
    case AppField::LocalPath: return text("localpath");
    case AppField::Price: return text("price");
    case AppField::Status: return text("status");
    case AppField::Eval: return text("eval");
    case AppField::ExpireDate: return text("expiredate");
    case AppField::ExpireAfter: return text("expireafter");
    case AppField::Installer: return text("installer");
    case AppField::AppUrl: return text("appurl");
    case AppField::Dl1_32: return text("dl1_32");
    case AppField::Dl2_32: return text("dl2_32");
    case AppField::Dl3_32: return text("dl3_32");
    case AppField::Dl4_32: return text("dl4_32");
    case AppField::Dl1_16: return text("dl1_16");
    case AppField::Dl2_16: return text("dl2_16");
    case AppField::Dl3_16: return text("dl3_16");
    case AppField::Dl4_16: return text("dl4_16");
    case AppField::ScreenShotUrl: return text("screenshot");
    case AppField::GifUrl: return text("URLGifEdit");
    case AppField::IcoUrl: return text("URLIcoEdit");
    case AppField::ShortDesc: return text("shortdesc");
    case AppField::SpecialReq: return text("specreq");
    case AppField::LongDesc: return text("longdesc");
    case AppField::Notes: return text("NotesToReviewer");
    }
    return {};
}

QString MainExpanderSource::engineSiteName() const { return text("EB_SiteNameCombo"); }

ByteFormat MainExpanderSource::engineByteFormat() const
{
    if (checked("EB_KBytesRadio"))
        return ByteFormat::Kilobytes;
    if (checked("EB_MBytesRadio"))
        return ByteFormat::Megabytes;
    return ByteFormat::Bytes;
}

bool MainExpanderSource::engineUsesCategory(int which) const
{
    return checked(which == 1 ? "EB_UseCatagory1" : "EB_UseCatagory2");
}

QStringList MainExpanderSource::engineCategoryLines(int which) const
{
    return platform::text::splitLines(text(which == 1 ? "EB_CatagoriesMemo1" : "EB_CatagoriesMemo2"));
}

QString MainExpanderSource::fieldTranslation(Translation translation) const
{
    const TEngBuild* engines = model_.GWide.EngBuild.get();
    return engines ? engines->Translations.value(translation) : QString();
}

QString MainExpanderSource::selectedCategoryLabel(int which) const
{
    return sites_.submittingRowCategory(which);
}

QString MainExpanderSource::controlText(const QString& objectName) const { return ::controlText(window_, objectName); }
