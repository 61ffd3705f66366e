#include "SiteBuilderPage.h"

#include "shell/TMainFrm.h"

#include <QComboBox>

TSiteBuilderPage::TSiteBuilderPage(TMainFrm& main, QWidget* parent) : QWidget(parent), main_(main)
{
    setObjectName(QStringLiteral("SiteBuilderSheet"));
    EB_SiteNameCombo = new QComboBox(this);
    EB_SiteNameCombo->setObjectName(QStringLiteral("EB_SiteNameCombo"));
    EB_SiteNameCombo->setGeometry(8, 8, 200, 21);
}

void TSiteBuilderPage::EB_SiteNameComboChange() {}
void TSiteBuilderPage::EB_UpdateSiteBtnClick() { main_.EngineSaved = true; }

void TSiteBuilderPage::siteListsLoaded() {}
