#pragma once

#include <QList>
#include <QPair>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TCompanyInfoPage;
class Workspace;

// The "App Info" page with its inner pages "General", "Locations" and "Description".
class TAppInfoPage final : public QWidget {
    Q_OBJECT
public:
    // company: the page whose company the applications belong to.
    TAppInfoPage(Workspace& model, TCompanyInfoPage& company, QWidget* parent = nullptr);

    QTabWidget* PageControl2;
    QWidget* GeneralSheet;
    QWidget* LocationsSheet;
    QWidget* DescriptionSheet;

    // General.
    QListWidget* AppName;
    QLineEdit* filename;
    QLineEdit* char8name;
    QLineEdit* version;
    QLineEdit* day;
    QLineEdit* month;
    QLineEdit* year;
    QLabel* ldatel;
    QComboBox* platforms;
    QComboBox* diststatus;
    QLineEdit* bytesize32;
    QLineEdit* instsize32;
    QLineEdit* bytesize16;
    QLineEdit* instsize16;
    QLineEdit* price;
    QComboBox* status;
    QLineEdit* eval;
    QLineEdit* expiredate;
    QLineEdit* expireafter;
    QComboBox* installer;
    QLineEdit* specreq;

    // Locations.
    QLineEdit* appurl;
    QLineEdit* dl1_32;
    QLineEdit* dl2_32;
    QLineEdit* dl3_32;
    QLineEdit* dl4_32;
    QLineEdit* dl1_16;
    QLineEdit* dl2_16;
    QLineEdit* dl3_16;
    QLineEdit* dl4_16;
    QLineEdit* screenshot;
    QLineEdit* URLGifEdit;
    QLineEdit* URLIcoEdit;
    QLineEdit* localpath;
    QToolButton* LocalPathbrowsebtn;
    QGroupBox* AttachmentsGroup;
    QLineEdit* IcoFileEdit;
    QToolButton* IciFileBrowse;
    QLineEdit* GifFileEdit;
    QToolButton* GifFileBrowse;
    QLineEdit* ScreenShotEdit;
    QToolButton* ScreenShotBrowse;
    QLineEdit* OtherFileEdit;
    QToolButton* OtherFileBrowse;

    // Description.
    QLineEdit* shortdesc;
    QPlainTextEdit* longdesc;
    QPlainTextEdit* NotesToReviewer;

    // The three buttons of "General"; the other two pages carry copies
    // ("NewAppBtn2", "NewAppBtn3", ...) that run the same operations.
    QPushButton* NewAppBtn;
    QPushButton* DeleteAppBtn;
    QPushButton* SaveAppBtn;

    // Built from day, month and year, shown in ldatel.
    QString LongReleaseDate;

    QString appName() const;
    // Selects the first entry of the application list and loads it (no-op when empty).
    void selectFirstApp();
    void LoadApp();
    void SaveApp();
    void SaveAppBtnClick();
    void NewApplication();
    void DeleteApplication();
    void ClearAppFields();
    void BuildLongReleaseDate();
    void CheckShortName();
    // The user picked an application in the list.
    void AppNameClick();
    // Shows the application list of the company now shown (empty when it has
    // none), and its first application.
    void showCompanyApps();
    // Fills the application list (start-up).
    void showAppList(const QStringList& names);
    // Before the application shown is replaced by another company's: asks
    // whether to save its unsaved edits. False when the user cancelled.
    bool settleUnsavedEdits();
    // Wraps the long description at 72 columns (a run sends it so).
    void wrapLongDescription();
    // The help context of the inner page shown (1001 .. 1003).
    int helpContext() const;

    QString profilePath(const QString& app) const;

private:
    void createGeneral();
    void createLocations();
    void createDescription();
    void addAppButtons(QWidget* sheet, const QString& suffix);
    QLabel* addLabel(QWidget* sheet, const char* name, const QString& caption, const QRect& geometry);
    QLineEdit* addEdit(QWidget* sheet, const char* name, const QRect& geometry, int maxLength = 0);
    QComboBox* addChoice(QWidget* sheet, const char* name, const QRect& geometry, const QStringList& items);
    QToolButton* addBrowse(QWidget* sheet, const char* name, const QRect& geometry, QLineEdit* field,
                           const QString& title, const QString& filter, const QString& defaultExtension);
    void markChanged();
    void selectApp(int row);
    QStringList appList() const;
    QString otherCompanyListing(const QString& app) const;

    Workspace& model_;
    TCompanyInfoPage& company_;
    // The keys of section "APPINFO" with their fields, in file order.
    QList<QPair<QString, QWidget*>> keys_;
    bool selecting_ = false; // the list is changed by the program, not the user
};
