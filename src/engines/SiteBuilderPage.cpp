#include "SiteBuilderPage.h"

#include "engines/EngineFiles.h"
#include "engines/TMatchUpFrm.h"
#include "engines/TVarsForm.h"
#include "model/Workspace.h"
#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/TSiteEntryFrm.h"
#include "platform/TextFile.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

namespace {


template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(QWidget* parent, const char* text, int x, int y, int w, int h = 21) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(x, y, w, h);
    return l;
}

// One-line values are read back from the settings file to at most 1023
// characters: a longer text could not survive a save and a load.
QLineEdit* edit(QWidget* parent, const char* name, int x, int y, int w) {
    auto* e = named(new QLineEdit(parent), name);
    e->setGeometry(x, y, w, 21);
    e->setMaxLength(1023);
    return e;
}

QPlainTextEdit* memo(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* m = named(new QPlainTextEdit(parent), name);
    m->setGeometry(x, y, w, h);
    m->setTabChangesFocus(true);
    return m;
}

QCheckBox* check(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* c = named(new QCheckBox(QString::fromUtf8(caption), parent), name);
    c->setGeometry(x, y, w, 20);
    return c;
}

QRadioButton* radio(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* r = named(new QRadioButton(QString::fromUtf8(caption), parent), name);
    r->setGeometry(x, y, w, 20);
    return r;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    auto* b = named(new QPushButton(QString::fromUtf8(caption), parent), name);
    b->setGeometry(x, y, w, 24);
    b->setAutoDefault(false);
    return b;
}

QGroupBox* group(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h) {
    auto* g = named(new QGroupBox(QString::fromUtf8(caption), parent), name);
    g->setGeometry(x, y, w, h);
    return g;
}

// Memo text holds "\n"; engine scripts hold their lines joined by CR LF.
QString toMemo(const QString& script) {
    QString text = script;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString fromMemo(const QPlainTextEdit* memo) {
    return memo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void fillList(QComboBox* box, const QStringList& names, int selected) {
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(names);
    box->setCurrentIndex(selected);
}

} // namespace

TSiteBuilderPage::TSiteBuilderPage(Workspace& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("SiteBuilderSheet"));

    PageControl3 = named(new QTabWidget(this), "PageControl3");
    PageControl3->setGeometry(2, 2, 584, 328);
    DetailsSheet = named(new QWidget, "DetailsSheet");
    HTTPPostSheet = named(new QWidget, "HTTPPostSheet");
    FTPUploadSheet = named(new QWidget, "FTPUploadSheet");
    EmailSheet = named(new QWidget, "EmailSheet");
    PageControl3->addTab(DetailsSheet, QStringLiteral("Details"));
    PageControl3->addTab(HTTPPostSheet, QStringLiteral("HTTP Post"));
    PageControl3->addTab(FTPUploadSheet, QStringLiteral("FTP Upload"));
    PageControl3->addTab(EmailSheet, QStringLiteral("E-mail"));

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Mnu_Script = PopupMenu1->addAction(QStringLiteral("Variable List"));
    Mnu_Script->setObjectName(QStringLiteral("Mnu_Script"));

    createDetails();
    createHttp();
    createFtp();
    createEmail();
    createBottom();

    VarsForm = new TVarsForm(*this, this);
    connectHandlers();
    applyEnablingRules();
}

TSiteBuilderPage::~TSiteBuilderPage() {
    // The engine object outlives the page's handlers only on the way out.
    if (TEngBuild* eb = engines())
        eb->LoadSelected = nullptr;
}

void TSiteBuilderPage::createDetails() {
    QWidget* p = DetailsSheet;
    label(p, "Site Name:", 8, 8, 70);
    EB_SiteNameCombo = named(new QComboBox(p), "EB_SiteNameCombo");
    EB_SiteNameCombo->setGeometry(80, 8, 260, 21);
    EB_SiteNameCombo->setEditable(false);
    EB_SiteNameCombo->setMaxVisibleItems(20);
    EB_SiteNameCombo->setToolTip(
        QStringLiteral("Select the site you wish to edit.  To add a new site, click on the New Site button."));
    EB_SiteNameCombo->installEventFilter(this);
    EB_UserSiteNameCombo = named(new QComboBox(p), "EB_UserSiteNameCombo");
    EB_UserSiteNameCombo->hide();
    EB_VantorelSiteNameCombo = named(new QComboBox(p), "EB_VantorelSiteNameCombo");
    EB_VantorelSiteNameCombo->hide();

    label(p, "Site's Web Page:", 8, 36, 96);
    EB_SitesWebUrlEdit = edit(p, "EB_SitesWebUrlEdit", 106, 36, 462);

    EB_UseCatagory1 = check(p, "EB_UseCatagory1", "Use Primary Category Selections", 8, 64, 276);
    EB_UseCatagory2 = check(p, "EB_UseCatagory2", "Use Secondary Category Selections", 292, 64, 276);
    EB_CatagoriesMemo1 = memo(p, "EB_CatagoriesMemo1", 8, 86, 276, 138);
    EB_CatagoriesMemo1->setToolTip(
        QStringLiteral("Enter Categories for this site.  See the documentation for extended information."));
    EB_CatagoriesMemo2 = memo(p, "EB_CatagoriesMemo2", 292, 86, 276, 138);
    EB_CatagoriesMemo2->setToolTip(QStringLiteral("Enter secondary categories for this site."));
    // One category per line: a wrapped line would look like two.
    EB_CatagoriesMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    EB_CatagoriesMemo2->setLineWrapMode(QPlainTextEdit::NoWrap);

    QGroupBox* type = group(p, "SiteTypeGroup", "Site Accepts:", 8, 232, 276, 54);
    EB_TypeFreeRadio = radio(type, "EB_TypeFreeRadio", "Freeware Only", 10, 24, 110);
    EB_TypeShareRadio = radio(type, "EB_TypeShareRadio", "Freeware && Shareware", 122, 24, 150);
    QGroupBox* system = group(p, "SiteSystemGroup", "Site Accepts Operating Systems of:", 292, 232, 276, 54);
    EB_32BitOnly = radio(system, "EB_32BitOnly", "32 Bit Only", 10, 24, 92);
    EB_16BitOnly = radio(system, "EB_16BitOnly", "16 Bit Only", 104, 24, 92);
    EB_3216Bit = radio(system, "EB_3216Bit", "Both", 198, 24, 70);
}

void TSiteBuilderPage::createHttp() {
    QWidget* p = HTTPPostSheet;
    EB_UseHTTPPostChk = check(p, "EB_UseHTTPPostChk", "Site Uses HTTP", 8, 14, 140);
    QGroupBox* method = group(p, "MethodGroup", "Method:", 156, 2, 150, 42);
    EB_PostType_POST = radio(method, "EB_PostType_POST", "Post", 10, 18, 60);
    EB_PostType_GET = radio(method, "EB_PostType_GET", "Get", 76, 18, 60);
    EB_MatchUpFields = button(p, "EB_MatchUpFields", "Field Translations", 448, 12, 120);

    const QString urlHint = QStringLiteral("Enter the FULL URL for this HTTP Post or Get Action");
    const QString scriptHint =
        QStringLiteral("Enter the script for this POST or GET.  Right-click to get a variable list.");
    const auto column = [&](int x, const char* urlName, const char* scriptCaption, const char* memoName,
                            const char* checkName, QLineEdit*& url, QPlainTextEdit*& script, QPushButton*& test) {
        label(p, "Post URL:", x, 52, 60);
        url = edit(p, urlName, x + 62, 52, 214);
        url->setToolTip(urlHint);
        label(p, scriptCaption, x, 80, 120);
        test = button(p, checkName, "Test Script", x + 196, 78, 80);
        script = memo(p, memoName, x, 106, 276, 188);
        script->setToolTip(scriptHint);
        script->installEventFilter(this);
    };
    column(8, "EB_HTTP_NewScriptURLEdit", "New Script:", "EB_NewSubmissionMemo", "EB_HTTPNew_ScriptCheck",
           EB_HTTP_NewScriptURLEdit, EB_NewSubmissionMemo, EB_HTTPNew_ScriptCheck);
    column(292, "EB_HTTP_UpdateScriptURLEdit", "Update Script:", "EB_UpdateSubmissionMemo", "EB_HTTPUpdate_ScriptCheck",
           EB_HTTP_UpdateScriptURLEdit, EB_UpdateSubmissionMemo, EB_HTTPUpdate_ScriptCheck);
}

void TSiteBuilderPage::createFtp() {
    QWidget* p = FTPUploadSheet;
    EB_UseFTPUploadChk = check(p, "EB_UseFTPUploadChk", "Site Uses FTP Uploads", 8, 8, 160);
    EB_UseZipFileChk = check(p, "EB_UseZipFileChk", "Site requires ZIP file", 176, 8, 160);
    EB_Use8x3FileName = check(p, "EB_Use8x3FileName", "Site Requires 8 + 3 Filename", 344, 8, 224);

    label(p, "FTP Server:", 8, 36, 88);
    EB_FTPServerEdit = edit(p, "EB_FTPServerEdit", 98, 36, 186);
    EB_FTPServerEdit->setToolTip(QStringLiteral("Enter the host name of the site's FTP server.  (ftp.example.com)"));
    label(p, "Remote Path:", 292, 36, 94);
    EB_RemotePathEdit = edit(p, "EB_RemotePathEdit", 388, 36, 180);
    EB_RemotePathEdit->setToolTip(QStringLiteral("Enter the remote path of the upload directory.  (/pub/incoming)"));
    label(p, "Login name:", 8, 62, 88);
    EB_LoginNameEdit = edit(p, "EB_LoginNameEdit", 98, 62, 186);
    label(p, "Login Password:", 292, 62, 94);
    EB_LoginPasswordEdit = edit(p, "EB_LoginPasswordEdit", 388, 62, 180);
    EB_LoginPasswordEdit->setToolTip(
        QStringLiteral("Enter a password for the users.  If it is an anonymous login, enter %CONTEMAIL%"));

    QGroupBox* added = group(p, "AddedTextGroup", "Added Text File:", 8, 88, 276, 44);
    EB_AddFileToUploadChk = radio(added, "EB_AddFileToUploadChk", "Add to Upload", 8, 19, 104);
    EB_IncludeInZipChk = radio(added, "EB_IncludeInZipChk", "Include in Zip", 113, 19, 100);
    EB_AddedTextBoth = radio(added, "EB_AddedTextBoth", "Both", 214, 19, 58);
    label(p, "Filename:", 292, 102, 94);
    EB_FileName = edit(p, "EB_FileName", 388, 102, 180);
    EB_FileName->setToolTip(QStringLiteral("Enter the name of the added text file, for instance %APPNAME%.TXT"));

    label(p, "Text of the added file:", 8, 140, 200);
    Eb_FTPScriptDefaultBtn = button(p, "Eb_FTPScriptDefaultBtn", "Default Script", 392, 138, 88);
    Eb_FTPScriptDefaultBtn->setToolTip(
        QStringLiteral("Use Postrix's default FTP script.  This will be fine for most sites."));
    EB_FTPScriptCheck = button(p, "EB_FTPScriptCheck", "Test Script", 486, 138, 82);
    EB_FileScriptMemo = memo(p, "EB_FileScriptMemo", 8, 166, 560, 128);
}

void TSiteBuilderPage::createEmail() {
    QWidget* p = EmailSheet;
    EB_UseEmail = check(p, "EB_UseEmail", "Use E-Mail Submission", 8, 8, 200);
    EB_SendEmailCopy = check(p, "EB_SendEmailCopy", "Send Copy To Company Contact", 292, 8, 240);

    const QString defaultHint =
        QStringLiteral("Use Postrix's default E-Mail script.  This will be fine for most sites.");
    const auto column = [&](int x, const char* toCaption, const char* toName, const char* subjectName,
                            const char* memoName, const char* defaultName, const char* checkName, QLineEdit*& to,
                            QLineEdit*& subject, QPlainTextEdit*& script, QPushButton*& byDefault, QPushButton*& test) {
        label(p, toCaption, x, 34, 276, 16);
        to = edit(p, toName, x, 50, 276);
        label(p, "Subject:", x, 76, 50);
        subject = edit(p, subjectName, x + 52, 76, 224);
        script = memo(p, memoName, x, 102, 276, 132);
        byDefault = button(p, defaultName, "Default Script", x, 238, 92);
        byDefault->setToolTip(defaultHint);
        test = button(p, checkName, "Test Script", x + 98, 238, 86);
    };
    column(8, "E-Mail New Submissions to:", "EB_EmailToEdit", "EB_EmailSubjectEdit", "EB_Email_NewSubmissionScriptMemo",
           "Eb_MailNewScriptDefaultBtn", "EB_EMailNew_ScriptCheck", EB_EmailToEdit, EB_EmailSubjectEdit,
           EB_Email_NewSubmissionScriptMemo, Eb_MailNewScriptDefaultBtn, EB_EMailNew_ScriptCheck);
    column(292, "E-Mail Updates to:", "EB_EmailToEdit_Update", "EB_EmailSubjectEdit_Update",
           "EB_Email_UpdateSubmissionScriptMemo", "Eb_MailUpdateScriptDefaultBtn", "EB_EMailUpdate_ScriptCheck",
           EB_EmailToEdit_Update, EB_EmailSubjectEdit_Update, EB_Email_UpdateSubmissionScriptMemo,
           Eb_MailUpdateScriptDefaultBtn, EB_EMailUpdate_ScriptCheck);

    EB_AttachIco = check(p, "EB_AttachIco", "Attach .Ico", 0, 272, 0);
    EB_AttachGif = check(p, "EB_AttachGif", "Attach .Gif", 0, 272, 0);
    EB_AttachScreenShot = check(p, "EB_AttachScreenShot", "Attach Screen Shot", 0, 272, 0);
    EB_AttachOther = check(p, "EB_AttachOther", "Attach Other File", 0, 272, 0);
    EB_AttachAppToEmail = check(p, "EB_AttachAppToEmail", "Attach Application", 0, 272, 0);
    // Five boxes in one row: each as wide as its caption needs, the rest of
    // the row shared out between them.
    const QList<QCheckBox*> attach{EB_AttachIco, EB_AttachGif, EB_AttachScreenShot, EB_AttachOther,
                                   EB_AttachAppToEmail};
    int needed = 0;
    for (QCheckBox* c : attach)
        needed += c->sizeHint().width();
    const int spare = std::max(0, (568 - needed) / int(attach.size()));
    int x = 8;
    for (QCheckBox* c : attach) {
        const int w = c->sizeHint().width() + spare;
        c->setGeometry(x, 272, w, 20);
        x += w;
    }
}

void TSiteBuilderPage::createBottom() {
    GroupBox3 = group(this, "GroupBox3", "Byte Format", 2, 332, 584, 48);
    EB_BytesRadio = radio(GroupBox3, "EB_BytesRadio", "Bytes", 10, 20, 60);
    EB_KBytesRadio = radio(GroupBox3, "EB_KBytesRadio", "Kbytes", 74, 20, 66);
    EB_MBytesRadio = radio(GroupBox3, "EB_MBytesRadio", "Mbytes", 144, 20, 66);
    EB_AddNewSiteBtn = button(GroupBox3, "EB_AddNewSiteBtn", "New Site", 224, 17, 84);
    EB_UpdateSiteBtn = button(GroupBox3, "EB_UpdateSiteBtn", "Save Site", 312, 17, 84);
    EB_DeleteSiteBtn = button(GroupBox3, "EB_DeleteSiteBtn", "Delete Site", 400, 17, 84);
    ContributeBtn = button(GroupBox3, "ContributeBtn", "Contribute!", 488, 17, 86);
    ContributeBtn->hide();
}

void TSiteBuilderPage::addVariableMenu(QWidget* control) {
    variableControls_ << control;
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this, [this, control](const QPoint& pos) {
        // The variable goes where the user right-clicked.
        control->setFocus(Qt::PopupFocusReason);
        auto* area = qobject_cast<QAbstractScrollArea*>(control);
        PopupMenu1->popup(area ? area->viewport()->mapToGlobal(pos) : control->mapToGlobal(pos));
    });
}

void TSiteBuilderPage::connectHandlers() {
    connect(EB_SiteNameCombo, &QComboBox::activated, this, [this](int index) {
        // Choosing the entry that is already shown keeps its edits.
        const TEngBuild* eb = engines();
        if (eb && index == eb->SelectedIndex() && eb->Engine.siteName == EB_SiteNameCombo->currentText())
            return;
        EB_SiteNameComboChange();
    });

    for (QLineEdit* e : {EB_SitesWebUrlEdit, EB_HTTP_NewScriptURLEdit, EB_HTTP_UpdateScriptURLEdit, EB_FTPServerEdit,
                         EB_RemotePathEdit, EB_LoginNameEdit, EB_LoginPasswordEdit, EB_FileName, EB_EmailToEdit,
                         EB_EmailSubjectEdit, EB_EmailToEdit_Update, EB_EmailSubjectEdit_Update})
        connect(e, &QLineEdit::textChanged, this, &TSiteBuilderPage::EngineInfoChanged);
    for (QPlainTextEdit* m : {EB_CatagoriesMemo1, EB_CatagoriesMemo2, EB_NewSubmissionMemo, EB_UpdateSubmissionMemo,
                              EB_FileScriptMemo, EB_Email_NewSubmissionScriptMemo, EB_Email_UpdateSubmissionScriptMemo})
        connect(m, &QPlainTextEdit::textChanged, this, &TSiteBuilderPage::EngineInfoChanged);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             EB_TypeFreeRadio, EB_TypeShareRadio, EB_32BitOnly, EB_16BitOnly, EB_3216Bit, EB_PostType_POST,
             EB_AddFileToUploadChk, EB_BytesRadio, EB_KBytesRadio, EB_MBytesRadio, EB_Use8x3FileName})
        connect(b, &QAbstractButton::clicked, this, &TSiteBuilderPage::EngineInfoChanged);
    for (QCheckBox* c :
         {EB_UseCatagory1, EB_UseCatagory2, EB_UseHTTPPostChk, EB_UseFTPUploadChk, EB_UseEmail, EB_SendEmailCopy,
          EB_AttachIco, EB_AttachGif, EB_AttachScreenShot, EB_AttachOther, EB_AttachAppToEmail})
        connect(c, &QCheckBox::clicked, this, &TSiteBuilderPage::EB_ReactFromCheckBox);
    connect(EB_UseZipFileChk, &QCheckBox::clicked, this, &TSiteBuilderPage::EB_UseZipFileChkClick);
    for (QRadioButton* r : {EB_IncludeInZipChk, EB_AddedTextBoth, EB_PostType_GET})
        connect(r, &QRadioButton::clicked, this, &TSiteBuilderPage::EB_IncludeInZipChkClick);

    connect(EB_AddNewSiteBtn, &QPushButton::clicked, this, &TSiteBuilderPage::EB_AddNewSiteBtnClick);
    connect(EB_UpdateSiteBtn, &QPushButton::clicked, this, &TSiteBuilderPage::EB_UpdateSiteBtnClick);
    connect(EB_DeleteSiteBtn, &QPushButton::clicked, this, &TSiteBuilderPage::EB_DeleteSiteBtnClick);
    connect(EB_MatchUpFields, &QPushButton::clicked, this, &TSiteBuilderPage::EB_MatchUpFieldsClick);
    connect(Mnu_Script, &QAction::triggered, this, &TSiteBuilderPage::Mnu_ScriptClick);

    for (QWidget* w : std::initializer_list<QWidget*>{
             EB_HTTP_NewScriptURLEdit, EB_HTTP_UpdateScriptURLEdit, EB_NewSubmissionMemo, EB_UpdateSubmissionMemo,
             EB_RemotePathEdit, EB_LoginNameEdit, EB_LoginPasswordEdit, EB_FileName, EB_FileScriptMemo,
             EB_EmailSubjectEdit, EB_EmailSubjectEdit_Update, EB_Email_NewSubmissionScriptMemo,
             EB_Email_UpdateSubmissionScriptMemo})
        addVariableMenu(w);
}

TEngBuild* TSiteBuilderPage::engines() const {
    return model_.GWide.EngBuild.get();
}

// --- Filters

bool TSiteBuilderPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // An HTTP script is one line of form data: Enter is dropped, while
        // pasted text keeps its line breaks.
        if ((watched == EB_NewSubmissionMemo || watched == EB_UpdateSubmissionMemo) &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            return true;
        // NoKeyPress: a site is chosen from the list, never typed. Keys that
        // type nothing (arrows, Tab, F4) keep working.
        if (watched == EB_SiteNameCombo && !key->text().isEmpty() && key->key() != Qt::Key_Tab &&
            key->key() != Qt::Key_Backtab)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// --- Showing and storing the engine

void TSiteBuilderPage::setAddedText(AddedText choice) {
    QRadioButton* radios[] = {EB_AddFileToUploadChk, EB_IncludeInZipChk, EB_AddedTextBoth};
    // Exclusive radios refuse to be all off; a settings file may say so.
    for (QRadioButton* r : radios)
        r->setAutoExclusive(false);
    EB_AddFileToUploadChk->setChecked(choice == AddedText::AddToUpload);
    EB_IncludeInZipChk->setChecked(choice == AddedText::IncludeInZip);
    EB_AddedTextBoth->setChecked(choice == AddedText::Both);
    for (QRadioButton* r : radios)
        r->setAutoExclusive(true);
}

AddedText TSiteBuilderPage::addedText() const {
    if (EB_AddedTextBoth->isChecked())
        return AddedText::Both;
    if (EB_IncludeInZipChk->isChecked())
        return AddedText::IncludeInZip;
    if (EB_AddFileToUploadChk->isChecked())
        return AddedText::AddToUpload;
    return AddedText::None;
}

void TSiteBuilderPage::showEngine() {
    static const SiteEngine cleared;
    const TEngBuild* eb = engines();
    const SiteEngine& e = eb ? eb->Engine : cleared;
    filling_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{filling_};

    EB_SitesWebUrlEdit->setText(e.sitesWebUrl);
    EB_UseCatagory1->setChecked(e.useCat1);
    EB_UseCatagory2->setChecked(e.useCat2);
    EB_CatagoriesMemo1->setPlainText(e.cat1.join(QLatin1Char('\n')));
    EB_CatagoriesMemo2->setPlainText(e.cat2.join(QLatin1Char('\n')));
    (e.siteType == SiteType::FreewareOnly ? EB_TypeFreeRadio : EB_TypeShareRadio)->setChecked(true);
    (e.siteSystem == SiteSystem::Bit32Only   ? EB_32BitOnly
     : e.siteSystem == SiteSystem::Bit16Only ? EB_16BitOnly
                                             : EB_3216Bit)
        ->setChecked(true);

    EB_UseHTTPPostChk->setChecked(e.useHttpPost);
    (e.httpPostType == HttpMethod::Get ? EB_PostType_GET : EB_PostType_POST)->setChecked(true);
    EB_HTTP_NewScriptURLEdit->setText(e.httpNewScriptUrl);
    EB_HTTP_UpdateScriptURLEdit->setText(e.httpUpdateScriptUrl);
    EB_NewSubmissionMemo->setPlainText(toMemo(e.httpNewScript));
    EB_UpdateSubmissionMemo->setPlainText(toMemo(e.httpUpdateScript));

    EB_UseFTPUploadChk->setChecked(e.useFtpUpload);
    EB_UseZipFileChk->setChecked(e.useZipFile);
    EB_Use8x3FileName->setChecked(e.use8x3FileName);
    EB_FTPServerEdit->setText(e.ftpServer);
    EB_LoginNameEdit->setText(e.loginName);
    EB_RemotePathEdit->setText(e.remotePath);
    EB_LoginPasswordEdit->setText(e.loginPassword);
    setAddedText(e.addedText);
    EB_FileName->setText(e.ftpFileName);
    EB_FileScriptMemo->setPlainText(toMemo(e.ftpScript));

    EB_UseEmail->setChecked(e.useEmail);
    EB_SendEmailCopy->setChecked(e.emailSendCopy);
    EB_AttachGif->setChecked(e.emailAttachGif);
    EB_AttachIco->setChecked(e.emailAttachIco);
    EB_AttachScreenShot->setChecked(e.emailAttachScreen);
    EB_AttachOther->setChecked(e.emailAttachOther);
    EB_AttachAppToEmail->setChecked(e.emailAttachApplication);
    EB_EmailToEdit->setText(e.emailToName);
    EB_EmailSubjectEdit->setText(e.emailSubject);
    EB_EmailToEdit_Update->setText(e.emailToNameUpdate);
    EB_EmailSubjectEdit_Update->setText(e.emailSubjectUpdate);
    EB_Email_NewSubmissionScriptMemo->setPlainText(toMemo(e.emailNewScript));
    EB_Email_UpdateSubmissionScriptMemo->setPlainText(toMemo(e.emailUpdateScript));

    (e.byteFormat == ByteFormat::Megabytes   ? EB_MBytesRadio
     : e.byteFormat == ByteFormat::Kilobytes ? EB_KBytesRadio
                                             : EB_BytesRadio)
        ->setChecked(true);

    // Long addresses show from their beginning.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->setCursorPosition(0);
    applyEnablingRules();
}

void TSiteBuilderPage::storeEngine() {
    TEngBuild* eb = engines();
    if (!eb)
        return;
    SiteEngine& e = eb->Engine;
    e.byteFormat = EB_MBytesRadio->isChecked()   ? ByteFormat::Megabytes
                   : EB_KBytesRadio->isChecked() ? ByteFormat::Kilobytes
                                                 : ByteFormat::Bytes;
    e.sitesWebUrl = EB_SitesWebUrlEdit->text();
    e.useCat1 = EB_UseCatagory1->isChecked();
    e.useCat2 = EB_UseCatagory2->isChecked();
    e.cat1 = platform::text::splitLines(EB_CatagoriesMemo1->toPlainText());
    e.cat2 = platform::text::splitLines(EB_CatagoriesMemo2->toPlainText());
    e.siteType = EB_TypeFreeRadio->isChecked() ? SiteType::FreewareOnly : SiteType::FreewareAndShareware;
    e.siteSystem = EB_32BitOnly->isChecked()   ? SiteSystem::Bit32Only
                   : EB_16BitOnly->isChecked() ? SiteSystem::Bit16Only
                                               : SiteSystem::Both;

    e.useHttpPost = EB_UseHTTPPostChk->isChecked();
    e.httpPostType = EB_PostType_GET->isChecked() ? HttpMethod::Get : HttpMethod::Post;
    e.httpNewScriptUrl = EB_HTTP_NewScriptURLEdit->text();
    e.httpUpdateScriptUrl = EB_HTTP_UpdateScriptURLEdit->text();
    e.httpNewScript = fromMemo(EB_NewSubmissionMemo);
    e.httpUpdateScript = fromMemo(EB_UpdateSubmissionMemo);

    e.useFtpUpload = EB_UseFTPUploadChk->isChecked();
    e.useZipFile = EB_UseZipFileChk->isChecked();
    e.use8x3FileName = EB_Use8x3FileName->isChecked();
    e.ftpServer = EB_FTPServerEdit->text();
    e.loginName = EB_LoginNameEdit->text();
    e.remotePath = EB_RemotePathEdit->text();
    e.loginPassword = EB_LoginPasswordEdit->text();
    e.addedText = addedText();
    e.ftpFileName = EB_FileName->text();
    e.ftpScript = fromMemo(EB_FileScriptMemo);

    e.useEmail = EB_UseEmail->isChecked();
    e.emailSendCopy = EB_SendEmailCopy->isChecked();
    e.emailAttachGif = EB_AttachGif->isChecked();
    e.emailAttachIco = EB_AttachIco->isChecked();
    e.emailAttachScreen = EB_AttachScreenShot->isChecked();
    e.emailAttachOther = EB_AttachOther->isChecked();
    e.emailAttachApplication = EB_AttachAppToEmail->isChecked();
    e.emailToName = EB_EmailToEdit->text();
    e.emailSubject = EB_EmailSubjectEdit->text();
    e.emailToNameUpdate = EB_EmailToEdit_Update->text();
    e.emailSubjectUpdate = EB_EmailSubjectEdit_Update->text();
    e.emailNewScript = fromMemo(EB_Email_NewSubmissionScriptMemo);
    e.emailUpdateScript = fromMemo(EB_Email_UpdateSubmissionScriptMemo);
}

void TSiteBuilderPage::applyEnablingRules() {
    EB_CatagoriesMemo1->setEnabled(EB_UseCatagory1->isChecked());
    EB_CatagoriesMemo2->setEnabled(EB_UseCatagory2->isChecked());

    const bool http = EB_UseHTTPPostChk->isChecked();
    EB_NewSubmissionMemo->setEnabled(http);
    EB_UpdateSubmissionMemo->setEnabled(http);

    const bool ftp = EB_UseFTPUploadChk->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{EB_UseZipFileChk, EB_Use8x3FileName, EB_FTPServerEdit, EB_LoginNameEdit,
                                         EB_RemotePathEdit, EB_LoginPasswordEdit, EB_AddFileToUploadChk,
                                         EB_IncludeInZipChk, EB_AddedTextBoth, EB_FileName, EB_FileScriptMemo})
        w->setEnabled(ftp);

    const bool mail = EB_UseEmail->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{
             EB_EmailToEdit, EB_EmailToEdit_Update, EB_EmailSubjectEdit, EB_EmailSubjectEdit_Update,
             EB_Email_NewSubmissionScriptMemo, EB_Email_UpdateSubmissionScriptMemo, EB_SendEmailCopy, EB_AttachIco,
             EB_AttachGif, EB_AttachScreenShot, EB_AttachOther, EB_AttachAppToEmail})
        w->setEnabled(mail);
}

// --- Lists

void TSiteBuilderPage::refreshLists() {
    const TEngBuild* eb = engines();
    fillList(EB_SiteNameCombo, eb ? eb->EngineList() : QStringList(), eb ? eb->SelectedIndex() : -1);
    fillList(EB_UserSiteNameCombo, eb ? eb->UserSites() : QStringList(), -1);
    fillList(EB_VantorelSiteNameCombo, eb ? eb->MakerSites() : QStringList(), -1);
}

void TSiteBuilderPage::loadSiteLists() {
    if (TEngBuild* eb = engines()) {
        eb->LoadSiteLists();
        siteListsLoaded();
    }
}

void TSiteBuilderPage::selectEngine(const QString& site) {
    TEngBuild* eb = engines();
    if (!eb)
        return;
    // By name, not by position, with the list's own entry as the check: an
    // engine without a settings file has no grid row, so positions differ.
    int index = eb->IndexOfSite(site);
    if (index < 0 || EB_SiteNameCombo->itemText(index) != site)
        index = EB_SiteNameCombo->findText(site, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return;
    {
        // One load, by the handler below, whatever the combo's own signals do.
        const QSignalBlocker quiet(EB_SiteNameCombo);
        EB_SiteNameCombo->setCurrentIndex(index);
    }
    EB_SiteNameComboChange();
}

void TSiteBuilderPage::siteListsLoaded() {
    if (TEngBuild* eb = engines()) {
        // Deleting an engine selects and loads the first one as a choice in
        // the list would.
        eb->LoadSelected = [this](int index) {
            refreshLists();
            EB_SiteNameCombo->setCurrentIndex(index);
            EB_SiteNameComboChange();
        };
    }
    refreshLists();
}

// --- Handlers

void TSiteBuilderPage::EB_SiteNameComboChange() {
    TEngBuild* eb = engines();
    if (!eb)
        return;
    platform::BusyCursor busy;
    ContributeBtn->hide();
    eb->SelectIndex(EB_SiteNameCombo->currentIndex());
    eb->LoadEngine(EB_SiteNameCombo->currentText());
    showEngine();
    model_.EngineSaved = true;
}

void TSiteBuilderPage::EngineInfoChanged() {
    if (filling_)
        return;
    model_.EngineSaved = false;
}

void TSiteBuilderPage::EB_ReactFromCheckBox() {
    applyEnablingRules();
    EngineInfoChanged();
}

void TSiteBuilderPage::EB_UseZipFileChkClick() {
    EngineInfoChanged();
    if (!EB_UseZipFileChk->isChecked())
        setAddedText(AddedText::AddToUpload);
}

void TSiteBuilderPage::EB_IncludeInZipChkClick() {
    EngineInfoChanged();
    if (!EB_UseZipFileChk->isChecked())
        setAddedText(AddedText::AddToUpload);
}

void TSiteBuilderPage::EB_AddNewSiteBtnClick() {
    TEngBuild* eb = engines();
    if (!eb)
        return;
    TSiteEntryFrm dialog(window());
    dialog.setWindowTitle(QStringLiteral("New Site Name:"));
    for (;;) {
        dialog.Edit1->clear();
        if (model_.dialogs().runModal(dialog) != QDialog::Accepted || dialog.Edit1->text().isEmpty())
            return;
        // A refused name (a duplicate, one that cannot be a file name, or
        // blanks only) asks again.
        if (eb->CreateEngine(dialog.Edit1->text()))
            break;
    }
    refreshLists();
    eb->Engine.clear();
    eb->Engine.siteName = eb->SelectedSite();
    showEngine();
    model_.EngineSaved = false;
    eb->SaveEngine();
    ContributeBtn->show();
    // The grid follows the engine list, so that a row and an entry of the
    // same position stay the same engine.
    emit model_.enginesChanged();
}

void TSiteBuilderPage::EB_UpdateSiteBtnClick() {
    TEngBuild* eb = engines();
    // The controls hold the engine that was loaded last: it is saved under
    // that name, whatever the list shows.
    if (!eb || eb->Engine.siteName.isEmpty())
        return;
    {
        platform::BusyCursor busy;
        storeEngine();
        eb->SaveEngine();
        emit model_.enginesChanged();
    }
    model_.EngineSaved = true;
}

void TSiteBuilderPage::EB_DeleteSiteBtnClick() {
    TEngBuild* eb = engines();
    if (!eb || eb->Engine.siteName.isEmpty())
        return;
    model_.dialogs().beep();
    if (model_.dialogs().yesNo(QStringLiteral("Delete This Site ?")) != platform::Dialogs::Answer::Yes)
        return;
    platform::BusyCursor busy;
    eb->DeleteEngine(eb->Engine.siteName);
    refreshLists();
    if (eb->EngineList().isEmpty()) {
        // Nothing is left to show or to save.
        showEngine();
        ContributeBtn->hide();
        model_.EngineSaved = true;
    }
    emit model_.enginesChanged();
}

void TSiteBuilderPage::EB_MatchUpFieldsClick() {
    TEngBuild* eb = engines();
    if (!eb)
        return;
    FieldTranslations& translations = eb->Translations;
    platform::setBusyCursor();
    TMatchUpFrm form(window());
    // Without the three Windows words the translations were never set: the
    // dialog then offers the fixed words.
    if (!translations.value(Translation::Windows95).isEmpty() &&
        !translations.value(Translation::WindowsNT).isEmpty() &&
        !translations.value(Translation::Windows95NT).isEmpty())
        form.fill(translations);
    // No hourglass over a dialog that waits for typing.
    platform::setDefaultCursor();
    model_.dialogs().runModal(form);
    form.store(translations);
}

void TSiteBuilderPage::Mnu_ScriptClick() {
    VarsForm->show();
    VarsForm->raise();
    VarsForm->activateWindow();
}
