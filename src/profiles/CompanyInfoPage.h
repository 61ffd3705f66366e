#pragma once

#include <QWidget>

class QComboBox;
class TMainFrm;

// The "Company Info" page: the company list and the shown company's profile.
class TCompanyInfoPage final : public QWidget {
    Q_OBJECT
public:
    explicit TCompanyInfoPage(TMainFrm& main, QWidget* parent = nullptr);

    QComboBox* compname;

    QString companyName() const;
    // Start-up: reads "companies.dat" into the list, selects and loads the first.
    void LoadCompanyList();
    void LoadCompany();
    void SaveCompany();
    void NewCompany();
    void DeleteCompany();
    void ClearCompanyFields();

private:
    TMainFrm& main_;
};
