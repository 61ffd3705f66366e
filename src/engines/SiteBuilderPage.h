#pragma once

#include "engines/SiteEngine.h"

#include <QList>
#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TEngBuild;
class Workspace;
class TVarsForm;

// The "Site Builder" page: the editor of the current site engine. Each
// control shows one member of the engine; loading fills the controls from
// TEngBuild::Engine, saving writes them back into it first.
class TSiteBuilderPage final : public QWidget {
    Q_OBJECT
public:
    explicit TSiteBuilderPage(Workspace& model, QWidget* parent = nullptr);
    ~TSiteBuilderPage() override;

    QTabWidget* PageControl3;
    QWidget* DetailsSheet;
    QWidget* HTTPPostSheet;
    QWidget* FTPUploadSheet;
    QWidget* EmailSheet;

    // Details.
    QComboBox* EB_SiteNameCombo;
    QComboBox* EB_UserSiteNameCombo;     // hidden: the user's list
    QComboBox* EB_VantorelSiteNameCombo; // hidden: the maker's list
    QLineEdit* EB_SitesWebUrlEdit;
    QCheckBox* EB_UseCatagory1;
    QCheckBox* EB_UseCatagory2;
    QPlainTextEdit* EB_CatagoriesMemo1;
    QPlainTextEdit* EB_CatagoriesMemo2;
    QRadioButton* EB_TypeFreeRadio;
    QRadioButton* EB_TypeShareRadio;
    QRadioButton* EB_32BitOnly;
    QRadioButton* EB_16BitOnly;
    QRadioButton* EB_3216Bit;

    // HTTP Post.
    QCheckBox* EB_UseHTTPPostChk;
    QRadioButton* EB_PostType_POST;
    QRadioButton* EB_PostType_GET;
    QLineEdit* EB_HTTP_NewScriptURLEdit;
    QLineEdit* EB_HTTP_UpdateScriptURLEdit;
    QPlainTextEdit* EB_NewSubmissionMemo;
    QPlainTextEdit* EB_UpdateSubmissionMemo;
    QPushButton* EB_MatchUpFields;
    QPushButton* EB_HTTPNew_ScriptCheck;
    QPushButton* EB_HTTPUpdate_ScriptCheck;

    // FTP Upload.
    QCheckBox* EB_UseFTPUploadChk;
    QCheckBox* EB_UseZipFileChk;
    QCheckBox* EB_Use8x3FileName;
    QLineEdit* EB_FTPServerEdit;
    QLineEdit* EB_RemotePathEdit;
    QLineEdit* EB_LoginNameEdit;
    QLineEdit* EB_LoginPasswordEdit;
    QRadioButton* EB_AddFileToUploadChk;
    QRadioButton* EB_IncludeInZipChk;
    QRadioButton* EB_AddedTextBoth;
    QLineEdit* EB_FileName;
    QPlainTextEdit* EB_FileScriptMemo;
    QPushButton* Eb_FTPScriptDefaultBtn;
    QPushButton* EB_FTPScriptCheck;

    // E-mail.
    QCheckBox* EB_UseEmail;
    QLineEdit* EB_EmailToEdit;
    QLineEdit* EB_EmailSubjectEdit;
    QLineEdit* EB_EmailToEdit_Update;
    QLineEdit* EB_EmailSubjectEdit_Update;
    QPlainTextEdit* EB_Email_NewSubmissionScriptMemo;
    QPlainTextEdit* EB_Email_UpdateSubmissionScriptMemo;
    QCheckBox* EB_SendEmailCopy;
    QCheckBox* EB_AttachIco;
    QCheckBox* EB_AttachGif;
    QCheckBox* EB_AttachScreenShot;
    QCheckBox* EB_AttachOther;
    QCheckBox* EB_AttachAppToEmail;
    QPushButton* Eb_MailNewScriptDefaultBtn;
    QPushButton* Eb_MailUpdateScriptDefaultBtn;
    QPushButton* EB_EMailNew_ScriptCheck;
    QPushButton* EB_EMailUpdate_ScriptCheck;

    // Below the pages.
    QGroupBox* GroupBox3;
    QRadioButton* EB_BytesRadio;
    QRadioButton* EB_KBytesRadio;
    QRadioButton* EB_MBytesRadio;
    QPushButton* EB_AddNewSiteBtn;
    QPushButton* EB_UpdateSiteBtn;
    QPushButton* EB_DeleteSiteBtn;
    QPushButton* ContributeBtn;

    // The shortcut menu of the controls that take variables.
    QMenu* PopupMenu1;
    QAction* Mnu_Script;
    // The variable list window; lives as long as the page.
    TVarsForm* VarsForm;

    // Handlers.
    void EB_SiteNameComboChange();
    void EngineInfoChanged();
    void EB_ReactFromCheckBox();
    void EB_UseZipFileChkClick();
    void EB_IncludeInZipChkClick();
    void EB_AddNewSiteBtnClick();
    void EB_UpdateSiteBtnClick();
    void EB_DeleteSiteBtnClick();
    void EB_MatchUpFieldsClick();
    void Mnu_ScriptClick();

    // The engine object has (re)loaded the site lists: show them.
    void siteListsLoaded();
    // Has the engine object load the site lists into the engine list.
    void loadSiteLists();
    // Makes the named engine the one shown and loaded (another page asked
    // for it); nothing when the list has no such engine.
    void selectEngine(const QString& site);

    // The enabling rules of the check boxes, applied after every load too.
    void applyEnablingRules();
    // TEngBuild::Engine into the controls, and the controls into it.
    void showEngine();
    void storeEngine();

    // The controls that carry PopupMenu1.
    const QList<QWidget*>& variableControls() const { return variableControls_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createDetails();
    void createHttp();
    void createFtp();
    void createEmail();
    void createBottom();
    void connectHandlers();
    void addVariableMenu(QWidget* control);
    void refreshLists();
    void setAddedText(AddedText choice);
    AddedText addedText() const;
    TEngBuild* engines() const;

    Workspace& model_;
    QList<QWidget*> variableControls_;
    // True while the controls are filled from the engine: that is no edit.
    bool filling_ = false;
};
