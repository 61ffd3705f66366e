#include "AppInfoPage.h"

#include "shell/TMainFrm.h"

#include <QListWidget>

TAppInfoPage::TAppInfoPage(TMainFrm& main, QWidget* parent) : QWidget(parent), main_(main)
{
    setObjectName(QStringLiteral("AppInfoSheet"));
    AppName = new QListWidget(this);
    AppName->setObjectName(QStringLiteral("AppName"));
    AppName->setGeometry(8, 8, 150, 80);
}

QString TAppInfoPage::appName() const { return AppName->currentItem() ? AppName->currentItem()->text() : QString(); }
void TAppInfoPage::selectFirstApp() {}
void TAppInfoPage::LoadApp() {}
void TAppInfoPage::SaveApp() { main_.AppSaved = true; }
void TAppInfoPage::SaveAppBtnClick() { SaveApp(); }
void TAppInfoPage::NewApplication() {}
void TAppInfoPage::DeleteApplication() {}
void TAppInfoPage::ClearAppFields() {}
int TAppInfoPage::helpContext() const { return 1001; }
