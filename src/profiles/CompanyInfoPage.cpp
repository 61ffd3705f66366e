#include "CompanyInfoPage.h"

#include "shell/TMainFrm.h"

#include <QComboBox>

TCompanyInfoPage::TCompanyInfoPage(TMainFrm& main, QWidget* parent) : QWidget(parent), main_(main)
{
    setObjectName(QStringLiteral("CompanyInfoSheet"));
    compname = new QComboBox(this);
    compname->setObjectName(QStringLiteral("compname"));
    compname->setGeometry(8, 8, 200, 21);
}

QString TCompanyInfoPage::companyName() const { return compname->currentText(); }
void TCompanyInfoPage::LoadCompanyList() {}
void TCompanyInfoPage::LoadCompany() {}
void TCompanyInfoPage::SaveCompany() { main_.CompanySaved = true; }
void TCompanyInfoPage::NewCompany() {}
void TCompanyInfoPage::DeleteCompany() {}
void TCompanyInfoPage::ClearCompanyFields() {}
