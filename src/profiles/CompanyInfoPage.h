#pragma once

#include <QList>
#include <QPair>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Workspace;

// The "Company Info" page: the company list and the shown company's profile.
class TCompanyInfoPage final : public QWidget {
    Q_OBJECT
public:
    explicit TCompanyInfoPage(Workspace& model, QWidget* parent = nullptr);

    // Set by the main window: settles the shown application's unsaved edits
    // (asking to save them) before another company replaces it; false when
    // the user cancelled the change.
    std::function<bool()> SettleAppEdits;

    QComboBox* compname;
    QLineEdit* conname;
    QLineEdit* contitle;
    QLineEdit* conmail;
    QLineEdit* conphone;
    QLineEdit* confax;
    QLineEdit* conaddr;
    QLineEdit* concity;
    QLineEdit* constate;
    QLineEdit* conzip;
    QLineEdit* concountry;
    QLineEdit* pubpage;
    QLineEdit* pubmail;
    QPushButton* NewCompanyBtn;
    QPushButton* DeleteCompanyBtn;
    QPushButton* SaveCompanyBtn;
    // Its dialogs belong to the account lookup.
    QPushButton* BHSIDBtn;

    QString companyName() const;
    // Start-up: reads "companies.dat" into the list, selects and loads the first.
    void LoadCompanyList();
    void LoadCompany();
    void SaveCompany();
    void NewCompany();
    void DeleteCompany();
    void ClearCompanyFields();
    // The user picked a company: its profile and its application list are shown.
    void compnameChange();

    // The profile's keys and the shown values, in file order ("CONAME" .. "CCMAIL");
    // the application profile keeps a copy of them.
    QList<QPair<QString, QString>> profileValues() const;
    QString profilePath(const QString& company) const;
    QStringList companyList() const;

private:
    QLineEdit* addField(const char* name, const char* key, const char* caption);
    void selectCompany(int index);
    void afterCompanyChanged();
    bool appEditsSettled() const;

    Workspace& model_;
    int shownIndex_ = -1; // the company whose profile the page shows
    QList<QPair<QString, QLineEdit*>> fields_; // the twelve contact fields with their keys
    bool selecting_ = false;                   // the list is changed by the program, not the user
};
