#include "platform/Cursor.h"
#include "AppInfoPage.h"

#include "CompanyInfoPage.h"
#include "FieldFilter.h"
#include "NameEntry.h"
#include "PageSupport.h"
#include "ProfileRules.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "model/Workspace.h"
#include "platform/TextHelpers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using profiles::FieldFilter;
using profiles::TypedKeys;

namespace {

const QString AppSection = QStringLiteral("APPINFO");
const QString CompanySection = QStringLiteral("COMPANY");
const QString NameKey = QStringLiteral("NAME");

constexpr int EditHeight = 22, LabelHeight = 16;

// Marks an item that only holds a text read from a profile that is none of
// the box's own choices.
constexpr int ForeignChoice = Qt::UserRole + 1;

QString valueOf(const QWidget* field) {
    if (auto* edit = qobject_cast<const QLineEdit*>(field))
        return edit->text();
    if (auto* box = qobject_cast<const QComboBox*>(field))
        return box->currentText();
    return {};
}

// A choice box takes the stored text, also a text that is not one of its items.
void setChoice(QComboBox* box, const QString& text) {
    for (int i = box->count() - 1; i >= 0; --i)
        if (box->itemData(i, ForeignChoice).toBool() && box->itemText(i) != text)
            box->removeItem(i);
    if (text.isEmpty()) {
        box->setCurrentIndex(-1);
        return;
    }
    int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        box->addItem(text);
        index = box->count() - 1;
        box->setItemData(index, true, ForeignChoice);
    }
    box->setCurrentIndex(index);
}

void setValue(QWidget* field, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->setText(text);
    else if (auto* box = qobject_cast<QComboBox*>(field))
        setChoice(box, text);
}

QStringList memoLines(const QPlainTextEdit* memo) {
    return platform::text::splitLines(memo->toPlainText());
}

void loadMemo(QPlainTextEdit* memo, const QString& path) {
    QStringList lines;
    if (platform::text::readLinesIfExists(path, lines))
        memo->setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace

TAppInfoPage::TAppInfoPage(Workspace& model, TCompanyInfoPage& company, QWidget* parent)
    : QWidget(parent), model_(model), company_(company) {
    setObjectName(QStringLiteral("AppInfoSheet"));
    PageControl2 = new QTabWidget(this);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setGeometry(2, 2, 586, 378);
    GeneralSheet = new QWidget;
    GeneralSheet->setObjectName(QStringLiteral("GeneralSheet"));
    LocationsSheet = new QWidget;
    LocationsSheet->setObjectName(QStringLiteral("LocationsSheet"));
    DescriptionSheet = new QWidget;
    DescriptionSheet->setObjectName(QStringLiteral("DescriptionSheet"));
    PageControl2->addTab(GeneralSheet, QStringLiteral("General"));
    PageControl2->addTab(LocationsSheet, QStringLiteral("Locations"));
    PageControl2->addTab(DescriptionSheet, QStringLiteral("Description"));

    createGeneral();
    createLocations();
    createDescription();
    addAppButtons(GeneralSheet, QString());
    addAppButtons(LocationsSheet, QStringLiteral("2"));
    addAppButtons(DescriptionSheet, QStringLiteral("3"));

    keys_ = {{QStringLiteral("FILENAME"), filename},
             {NameKey, AppName},
             {QStringLiteral("8CHAR"), char8name},
             {QStringLiteral("VERSION"), version},
             {QStringLiteral("DAY"), day},
             {QStringLiteral("MONTH"), month},
             {QStringLiteral("YEAR"), year},
             {QStringLiteral("PLATFORM"), platforms},
             {QStringLiteral("DSTATUS"), diststatus},
             {QStringLiteral("SIZE32"), bytesize32},
             {QStringLiteral("INSTSIZE32"), instsize32},
             {QStringLiteral("SIZE16"), bytesize16},
             {QStringLiteral("INSTSIZE16"), instsize16},
             {QStringLiteral("PRICE"), price},
             {QStringLiteral("STATUS"), status},
             {QStringLiteral("EVAL"), eval},
             {QStringLiteral("XDATE"), expiredate},
             {QStringLiteral("XDAYS"), expireafter},
             {QStringLiteral("installer"), installer},
             {QStringLiteral("APPURL"), appurl},
             {QStringLiteral("DL1_32"), dl1_32},
             {QStringLiteral("DL2_32"), dl2_32},
             {QStringLiteral("DL3_32"), dl3_32},
             {QStringLiteral("DL4_32"), dl4_32},
             {QStringLiteral("DL1_16"), dl1_16},
             {QStringLiteral("DL2_16"), dl2_16},
             {QStringLiteral("DL3_16"), dl3_16},
             {QStringLiteral("DL4_16"), dl4_16},
             {QStringLiteral("SHOT"), screenshot},
             {QStringLiteral("GIF"), URLGifEdit},
             {QStringLiteral("ICO"), URLIcoEdit},
             {QStringLiteral("PATH"), localpath},
             {QStringLiteral("ICOPATH"), IcoFileEdit},
             {QStringLiteral("GIFPATH"), GifFileEdit},
             {QStringLiteral("SCREENPATH"), ScreenShotEdit},
             {QStringLiteral("OTHERPATH"), OtherFileEdit},
             {QStringLiteral("SHORTDESC"), shortdesc}};

    // Every change of a field counts as an edit, also the changes of loading.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &TAppInfoPage::markChanged);
    for (QComboBox* box : {platforms, diststatus, status, installer})
        connect(box, &QComboBox::currentTextChanged, this, &TAppInfoPage::markChanged);
    for (QPlainTextEdit* memo : {longdesc, NotesToReviewer})
        connect(memo, &QPlainTextEdit::textChanged, this, &TAppInfoPage::markChanged);

    connect(AppName, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!selecting_ && row >= 0)
            profiles::runHandler(model_.dialogs(), [this] { AppNameClick(); });
    });
}

QLabel* TAppInfoPage::addLabel(QWidget* sheet, const char* name, const QString& caption, const QRect& geometry) {
    auto* label = new QLabel(caption, sheet);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QLineEdit* TAppInfoPage::addEdit(QWidget* sheet, const char* name, const QRect& geometry, int maxLength) {
    auto* edit = new QLineEdit(sheet);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QComboBox* TAppInfoPage::addChoice(QWidget* sheet, const char* name, const QRect& geometry, const QStringList& items) {
    auto* box = new QComboBox(sheet);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->addItems(items);
    box->setCurrentIndex(-1);
    FieldFilter::install(box, TypedKeys::None, model_.dialogs());
    FieldFilter::install(box->view(), TypedKeys::None, model_.dialogs());
    return box;
}

QToolButton* TAppInfoPage::addBrowse(QWidget* sheet, const char* name, const QRect& geometry, QLineEdit* field,
                                     const QString& title, const QString& filter, const QString& defaultExtension) {
    auto* button = new QToolButton(sheet);
    button->setText(QStringLiteral("..."));
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    connect(button, &QToolButton::clicked, this, [this, field, title, filter, defaultExtension] {
        const QString path = model_.dialogs().openFile(title, filter, defaultExtension);
        if (!path.isEmpty())
            field->setText(path);
    });
    return button;
}

void TAppInfoPage::addAppButtons(QWidget* sheet, const QString& suffix) {
    struct Button {
        const char* name;
        const char* caption;
        void (TAppInfoPage::*handler)();
        QPushButton** member;
    };
    const Button buttons[] = {{"NewAppBtn", "New Application", &TAppInfoPage::NewApplication, &NewAppBtn},
                              {"DeleteAppBtn", "Delete Application", &TAppInfoPage::DeleteApplication, &DeleteAppBtn},
                              {"SaveAppBtn", "Save Application", &TAppInfoPage::SaveAppBtnClick, &SaveAppBtn}};
    int x = 222;
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), sheet);
        button->setObjectName(QLatin1String(b.name) + suffix);
        button->setGeometry(x, 320, 116, 26);
        x += 122;
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this,
                [this, handler] { profiles::runHandler(model_.dialogs(), [this, handler] { (this->*handler)(); }); });
        if (suffix.isEmpty())
            *b.member = button;
    }
}

void TAppInfoPage::createGeneral() {
    QWidget* s = GeneralSheet;
    addLabel(s, "AppNameLbl", QStringLiteral("Application Name:"), {6, 4, 150, LabelHeight});
    AppName = new QListWidget(s);
    AppName->setObjectName(QStringLiteral("AppName"));
    AppName->setGeometry(6, 20, 150, 120);
    AppName->setSelectionMode(QAbstractItemView::SingleSelection);
    FieldFilter::install(AppName, TypedKeys::None, model_.dialogs());

    addLabel(s, "filenameLbl", QStringLiteral("Application Filename"), {166, 4, 140, LabelHeight});
    filename = addEdit(s, "filename", {166, 20, 140, EditHeight}, 16);
    addLabel(s, "char8nameLbl", QStringLiteral("8 Character Name:"), {314, 4, 108, LabelHeight});
    char8name = addEdit(s, "char8name", {314, 20, 104, EditHeight}, 8);
    char8name->setToolTip(QStringLiteral(
        "Some site such as Simtel and Winsite require an 8 + 3 filename for the upload.  The file created, zipped "
        "and uploaded will be the name you enter here plus '.zip'."));
    FieldFilter::install(char8name, TypedKeys::Any, model_.dialogs(),
                         [this] { profiles::runHandler(model_.dialogs(), [this] { CheckShortName(); }); });
    addLabel(s, "versionLbl", QStringLiteral("Version"), {424, 4, 80, LabelHeight});
    version = addEdit(s, "version", {424, 20, 80, EditHeight});

    addLabel(s, "dayLbl", QStringLiteral("Day"), {166, 48, 34, LabelHeight});
    day = addEdit(s, "day", {166, 64, 34, EditHeight}, 2);
    addLabel(s, "monthLbl", QStringLiteral("Release Month:"), {206, 48, 94, LabelHeight});
    month = addEdit(s, "month", {206, 64, 34, EditHeight}, 2);
    addLabel(s, "yearLbl", QStringLiteral("Year"), {314, 48, 34, LabelHeight});
    year = addEdit(s, "year", {314, 64, 34, EditHeight}, 2);
    ldatel = addLabel(s, "ldatel", QString(), {356, 64, 160, EditHeight});
    QFont bold = ldatel->font();
    bold.setBold(true);
    ldatel->setFont(bold);
    for (QLineEdit* date : {day, month, year})
        FieldFilter::install(date, TypedKeys::DigitsOnly, model_.dialogs(),
                             [this] { profiles::runHandler(model_.dialogs(), [this] { BuildLongReleaseDate(); }); });

    addLabel(s, "platformsLbl", QStringLiteral("Platform(s)"), {166, 92, 142, LabelHeight});
    platforms = addChoice(s, "platforms", {166, 108, 142, EditHeight},
                          {QStringLiteral("Windows 3.1"), QStringLiteral("Windows 95"), QStringLiteral("Windows NT"),
                           QStringLiteral("Windows 95 and NT")});
    addLabel(s, "diststatusLbl", QStringLiteral("Submitted By:"), {314, 92, 104, LabelHeight});
    diststatus = addChoice(
        s, "diststatus", {314, 108, 104, EditHeight},
        {QStringLiteral("Author"), QStringLiteral("Distributor"), QStringLiteral("Dealer"), QStringLiteral("User")});
    addLabel(s, "installerLbl", QStringLiteral("Install/Uninstall"), {424, 92, 156, LabelHeight});
    installer = addChoice(s, "installer", {424, 108, 156, EditHeight},
                          {QStringLiteral("No Install Feature"), QStringLiteral("Install Feature Only"),
                           QStringLiteral("Uninstall Feature Only"), QStringLiteral("Install/Uninstall")});

    addLabel(s, "bytesize32Lbl", QStringLiteral("32 Bit File Size"), {6, 148, 104, LabelHeight});
    bytesize32 = addEdit(s, "bytesize32", {6, 164, 104, EditHeight});
    addLabel(s, "instsize32Lbl", QStringLiteral("Installed Size:"), {116, 148, 104, LabelHeight});
    instsize32 = addEdit(s, "instsize32", {116, 164, 104, EditHeight});
    addLabel(s, "bytesize16Lbl", QStringLiteral("16 Bit File Size"), {226, 148, 104, LabelHeight});
    bytesize16 = addEdit(s, "bytesize16", {226, 164, 104, EditHeight});
    addLabel(s, "instsize16Lbl", QStringLiteral("Installed Size:"), {336, 148, 104, LabelHeight});
    instsize16 = addEdit(s, "instsize16", {336, 164, 104, EditHeight});
    for (QLineEdit* size : {bytesize32, instsize32, bytesize16, instsize16})
        FieldFilter::install(size, TypedKeys::DigitsOnly, model_.dialogs());
    addLabel(s, "priceLbl", QStringLiteral("Price: $"), {446, 148, 80, LabelHeight});
    price = addEdit(s, "price", {446, 164, 80, EditHeight});
    FieldFilter::install(price, TypedKeys::NoDollar, model_.dialogs());

    addLabel(s, "statusLbl", QStringLiteral("Status"), {6, 192, 150, LabelHeight});
    status = addChoice(s, "status", {6, 208, 150, EditHeight},
                       {QStringLiteral("Feature Limit Demo"), QStringLiteral("Time Limit Demo"),
                        QStringLiteral("Public Domain"), QStringLiteral("Freeware"), QStringLiteral("Shareware"),
                        QStringLiteral("Beta")});
    addLabel(s, "evalLbl", QStringLiteral("Evaluation Period"), {166, 192, 140, LabelHeight});
    eval = addEdit(s, "eval", {166, 208, 140, EditHeight});
    addLabel(s, "expiredateLbl", QStringLiteral("Expiration Date (day-month-year):"), {314, 192, 210, LabelHeight});
    expiredate = addEdit(s, "expiredate", {314, 208, 130, EditHeight});

    addLabel(s, "expireafterLbl", QStringLiteral("Expires After:"), {6, 240, 84, EditHeight});
    expireafter = addEdit(s, "expireafter", {92, 240, 64, EditHeight});
    addLabel(s, "expireafterDaysLbl", QStringLiteral("Days"), {162, 240, 40, EditHeight});

    addLabel(s, "specreqLbl", QStringLiteral("Special Requirements:"), {6, 270, 200, LabelHeight});
    specreq = addEdit(s, "specreq", {6, 286, 570, EditHeight});
    // Not kept in any file: it starts as "None" with every run of the program.
    specreq->setText(QStringLiteral("None"));
}

void TAppInfoPage::createLocations() {
    QWidget* s = LocationsSheet;
    constexpr int LabelX = 6, LabelWidth = 170, FieldX = 178, FieldWidth = 398;
    addLabel(s, "appurlLbl", QStringLiteral("Application Info URL"), {LabelX, 4, LabelWidth, EditHeight});
    appurl = addEdit(s, "appurl", {FieldX, 4, FieldWidth, EditHeight});

    auto downloads = [this, s](const char* name, const QString& caption, int x, const char* const names[4]) {
        auto* group = new QGroupBox(caption, s);
        group->setObjectName(QLatin1String(name));
        group->setGeometry(x, 30, 282, 118);
        QList<QLineEdit*> edits;
        for (int i = 0; i < 4; ++i) {
            const int y = 20 + 24 * i;
            addLabel(group, (QByteArray(names[i]) + "Lbl").constData(), QStringLiteral("URL#%1:").arg(i + 1),
                     {8, y, 46, EditHeight});
            edits << addEdit(group, names[i], {56, y, 218, EditHeight});
        }
        return edits;
    };
    const char* const names32[4] = {"dl1_32", "dl2_32", "dl3_32", "dl4_32"};
    const char* const names16[4] = {"dl1_16", "dl2_16", "dl3_16", "dl4_16"};
    const QList<QLineEdit*> dl32 =
        downloads("Download32Group", QStringLiteral("32 Bit Download Locations:"), 6, names32);
    const QList<QLineEdit*> dl16 =
        downloads("Download16Group", QStringLiteral("16 Bit Download Locations:"), 294, names16);
    dl1_32 = dl32[0], dl2_32 = dl32[1], dl3_32 = dl32[2], dl4_32 = dl32[3];
    dl1_16 = dl16[0], dl2_16 = dl16[1], dl3_16 = dl16[2], dl4_16 = dl16[3];

    addLabel(s, "screenshotLbl", QStringLiteral("URL Location of ScreenShot"), {LabelX, 154, LabelWidth, EditHeight});
    screenshot = addEdit(s, "screenshot", {FieldX, 154, FieldWidth, EditHeight});
    addLabel(s, "URLGifEditLbl", QStringLiteral("URL Location of .GIF Icon"), {LabelX, 178, LabelWidth, EditHeight});
    URLGifEdit = addEdit(s, "URLGifEdit", {FieldX, 178, FieldWidth, EditHeight});
    addLabel(s, "URLIcoEditLbl", QStringLiteral("URL Location of .ICO Icon"), {LabelX, 202, LabelWidth, EditHeight});
    URLIcoEdit = addEdit(s, "URLIcoEdit", {FieldX, 202, FieldWidth, EditHeight});
    for (QLineEdit* url :
         {appurl, dl1_32, dl2_32, dl3_32, dl4_32, dl1_16, dl2_16, dl3_16, dl4_16, screenshot, URLGifEdit, URLIcoEdit})
        FieldFilter::install(url, TypedKeys::NoSpace, model_.dialogs());

    addLabel(s, "localpathLbl", QStringLiteral("Full Local Path to File Archive"),
             {LabelX, 228, LabelWidth, EditHeight});
    localpath = addEdit(s, "localpath", {FieldX, 228, FieldWidth - 30, EditHeight});
    LocalPathbrowsebtn =
        addBrowse(s, "LocalPathbrowsebtn", {FieldX + FieldWidth - 26, 228, 26, EditHeight}, localpath,
                  QStringLiteral("Select your program"), QStringLiteral("Programs|*.ZIP;*.EXE"), QStringLiteral("EXE"));

    AttachmentsGroup = new QGroupBox(QStringLiteral("Local Paths to E-Mail Attachments:"), s);
    AttachmentsGroup->setObjectName(QStringLiteral("AttachmentsGroup"));
    AttachmentsGroup->setGeometry(6, 252, 570, 66);
    QWidget* g = AttachmentsGroup;
    struct Attachment {
        const char* label;
        const char* caption;
        const char* edit;
        const char* button;
        const char* title;
        const char* filter;
        const char* extension;
        QLineEdit** field;
        QToolButton** browse;
    };
    const Attachment attachments[] = {
        {"IcoFileEditLbl", ".Ico Icon:", "IcoFileEdit", "IciFileBrowse", "Select Icon File", "Icons|*.ICO", "ICO",
         &IcoFileEdit, &IciFileBrowse},
        {"GifFileEditLbl", "Gif Icon:", "GifFileEdit", "GifFileBrowse", "Select Gif File", "Gifs|*.GIF", "GIF",
         &GifFileEdit, &GifFileBrowse},
        {"ScreenShotEditLbl", "Screen Shot:", "ScreenShotEdit", "ScreenShotBrowse", "Select File", "ScreenShots|*.*",
         "", &ScreenShotEdit, &ScreenShotBrowse},
        {"OtherFileEditLbl", "Other File:", "OtherFileEdit", "OtherFileBrowse", "Select File", "Files|*.*", "",
         &OtherFileEdit, &OtherFileBrowse},
    };
    for (int i = 0; i < 4; ++i) {
        const Attachment& a = attachments[i];
        const int x = i % 2 == 0 ? 8 : 290;
        const int y = i < 2 ? 18 : 42;
        addLabel(g, a.label, QString::fromUtf8(a.caption), {x, y, 72, EditHeight});
        *a.field = addEdit(g, a.edit, {x + 74, y, 170, EditHeight});
        *a.browse = addBrowse(g, a.button, {x + 246, y, 26, EditHeight}, *a.field, QString::fromUtf8(a.title),
                              QString::fromUtf8(a.filter), QString::fromUtf8(a.extension));
    }
}

void TAppInfoPage::createDescription() {
    QWidget* s = DescriptionSheet;
    addLabel(s, "shortdescLbl", QStringLiteral("Short Description:"), {6, 4, 200, LabelHeight});
    shortdesc = addEdit(s, "shortdesc", {6, 20, 340, EditHeight}, 46);
    addLabel(s, "longdescLbl", QStringLiteral("Long Description"), {6, 48, 200, LabelHeight});
    longdesc = new QPlainTextEdit(s);
    longdesc->setObjectName(QStringLiteral("longdesc"));
    longdesc->setGeometry(6, 64, 570, 146);
    longdesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    addLabel(s, "NotesToReviewerLbl",
             QStringLiteral("Notes to reviewer if applicable.  (Reg code offer, Version Update Changes, etc.)"),
             {6, 216, 570, LabelHeight});
    NotesToReviewer = new QPlainTextEdit(s);
    NotesToReviewer->setObjectName(QStringLiteral("NotesToReviewer"));
    NotesToReviewer->setGeometry(6, 232, 570, 82);
    for (QWidget* field :
         {static_cast<QWidget*>(shortdesc), static_cast<QWidget*>(longdesc), static_cast<QWidget*>(NotesToReviewer)})
        FieldFilter::install(field, TypedKeys::NoDollar, model_.dialogs());
}

QString TAppInfoPage::appName() const {
    return AppName->currentItem() ? AppName->currentItem()->text() : QString();
}

QString TAppInfoPage::profilePath(const QString& app) const {
    return model_.GWide.DataDir + app + QStringLiteral(".dat");
}

int TAppInfoPage::helpContext() const {
    return 1001 + PageControl2->currentIndex();
}

void TAppInfoPage::markChanged() {
    model_.AppSaved = false;
}

QStringList TAppInfoPage::appList() const {
    QStringList names;
    for (int i = 0; i < AppName->count(); ++i)
        names << AppName->item(i)->text();
    return names;
}

void TAppInfoPage::selectApp(int row) {
    const profiles::FlagScope programmatic(selecting_);
    AppName->setCurrentRow(row);
}

void TAppInfoPage::selectFirstApp() {
    if (AppName->count() == 0)
        return;
    selectApp(0);
    // A profile that fails to load (a hand-edited month that is no number)
    // is reported and the start-up goes on: it must not keep the program
    // from starting. Before the window is shown the error is not reported,
    // as showing the window loads the first application again.
    try {
        LoadApp();
    } catch (const std::exception& error) {
        if (window()->isVisible())
            profiles::showError(model_.dialogs(), error);
    }
}

void TAppInfoPage::AppNameClick() {
    // Unsaved grid changes belong to the application left behind.
    model_.SiteSelectionChanged = false;
    LoadApp();
}

void TAppInfoPage::showCompanyApps() {
    {
        const profiles::FlagScope programmatic(selecting_);
        AppName->clear();
        AppName->addItems(model_.GWide.LoadAppList(company_.companyName()));
    }
    model_.SiteSelectionChanged = false;
    if (AppName->count() > 0) {
        selectFirstApp();
    } else {
        // No application is shown, so there is nothing to save.
        ClearAppFields();
        model_.AppSaved = true;
    }
}

void TAppInfoPage::showAppList(const QStringList& names) {
    const profiles::FlagScope programmatic(selecting_);
    AppName->clear();
    AppName->addItems(names);
}

bool TAppInfoPage::settleUnsavedEdits() {
    if (model_.AppSaved || appName().isEmpty())
        return true;
    switch (model_.askToSave(appName())) {
    case platform::Dialogs::Answer::Cancel: return false;
    case platform::Dialogs::Answer::Yes: SaveApp(); break;
    case platform::Dialogs::Answer::No: model_.AppSaved = true; break;
    }
    return true;
}

void TAppInfoPage::wrapLongDescription() {
    QString wrapped = WrapText(longdesc->toPlainText(), 72);
    // The memo holds lines, not line ends: without the last break, a second
    // run does not add an empty line.
    wrapped.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (wrapped.endsWith(QLatin1Char('\n')))
        wrapped.chop(1);
    longdesc->setPlainText(wrapped);
    model_.AppSaved = false;
}

void TAppInfoPage::LoadApp() {
    const QString name = appName();
    if (name.isEmpty())
        return;
    const platform::BusyCursor busy;
    const platform::IniFile profile(profilePath(name));
    for (const auto& [key, field] : keys_)
        if (key != NameKey)
            setValue(field, profile.readString(AppSection, key));
    try {
        loadMemo(longdesc, model_.GWide.DataDir + name + QStringLiteral(".lds"));
        loadMemo(NotesToReviewer, model_.GWide.DataDir + name + QStringLiteral(".nts"));
    } catch (...) {
        // A description that cannot be read leaves the memo as it was.
    }
    BuildLongReleaseDate();
    emit model_.appShown(name);
}

void TAppInfoPage::SaveApp() {
    const QString name = appName();
    if (name.isEmpty())
        return;
    const QString path = profilePath(name);
    profiles::ensureWritableName(name, path);
    platform::IniFile profile(path);
    for (const auto& [key, value] : company_.profileValues())
        profile.writeString(CompanySection, key, value);
    for (const auto& [key, field] : keys_)
        profile.writeString(AppSection, key, key == NameKey ? name : valueOf(field));
    profile.updateFile();
    platform::text::writeLines(model_.GWide.DataDir + name + QStringLiteral(".lds"), memoLines(longdesc));
    platform::text::writeLines(model_.GWide.DataDir + name + QStringLiteral(".nts"), memoLines(NotesToReviewer));
    model_.AppSaved = true;
}

void TAppInfoPage::SaveAppBtnClick() {
    const platform::BusyCursor busy;
    SaveApp();
    emit model_.appSaved(appName());
}

QString TAppInfoPage::otherCompanyListing(const QString& app) const {
    const QString shown = company_.companyName();
    for (const QString& company : company_.companyList()) {
        if (company != shown && platform::text::readLines(model_.GWide.appListFile(company)).contains(app))
            return company;
    }
    return {};
}

void TAppInfoPage::NewApplication() {
    if (company_.companyName().isEmpty()) {
        model_.dialogs().beep();
        model_.dialogs().errorMessage(QStringLiteral("You have not entered a company yet!"));
        model_.requestPage(Workspace::Page::CompanyInfo);
        company_.NewCompany();
        return;
    }
    const QString name =
        profiles::askNewName(model_.dialogs(), window(), QStringLiteral("New Application Name"), [this](const QString& entered) {
            const QString title = QStringLiteral("APP NAME DUPLICATE");
            if (appList().contains(entered)) {
                model_.dialogs().errorDialog(title, QStringLiteral("The App name you entered is already on the list!"),
                                      QString());
                return false;
            }
            // An application's files are named after it alone: taking the name
            // of another company's application would clear that one's profile.
            const QString other = otherCompanyListing(entered);
            if (!other.isEmpty()) {
                model_.dialogs().errorDialog(
                    title, QStringLiteral("The App name you entered is already on the list of %1!").arg(other),
                    QString());
                return false;
            }
            return profiles::fileNameAccepted(model_.dialogs(), QStringLiteral("APP NAME INVALID"), entered);
        });
    if (name.isEmpty())
        return;

    {
        const profiles::FlagScope programmatic(selecting_);
        AppName->addItem(name);
        try {
            model_.GWide.SaveAppList(company_.companyName(), appList());
        } catch (...) {
            delete AppName->takeItem(AppName->count() - 1);
            throw;
        }
    }
    model_.AppSaved = false;
    selectApp(appList().indexOf(name));
    ClearAppFields();
    SaveAppBtnClick();
}

void TAppInfoPage::DeleteApplication() {
    const QString name = appName();
    if (name.isEmpty())
        return;
    model_.dialogs().beep();
    if (model_.dialogs().yesNo(QStringLiteral("Delete This Application ?")) != platform::Dialogs::Answer::Yes)
        return;

    const platform::BusyCursor busy;
    const int row = appList().indexOf(name);
    {
        const profiles::FlagScope programmatic(selecting_);
        QListWidgetItem* item = AppName->takeItem(row);
        try {
            model_.GWide.SaveAppList(company_.companyName(), appList());
        } catch (...) {
            AppName->insertItem(row, item);
            AppName->setCurrentItem(item);
            throw;
        }
        delete item;
    }
    const QString selection = model_.GWide.DataDir + name + QStringLiteral("_SITES.dat");
    if (platform::files::fileExists(selection))
        platform::files::deleteFile(selection);
    if (AppName->count() == 0) {
        ClearAppFields();
        // No application is shown, so there is nothing to save.
        model_.AppSaved = true;
    } else {
        selectApp(0);
        LoadApp();
    }
}

void TAppInfoPage::ClearAppFields() {
    for (QLineEdit* edit : {char8name,  filename,   version,    month,     day,        year,    bytesize32,  instsize32,
                            bytesize16, instsize16, price,      eval,      expiredate, specreq, expireafter, appurl,
                            dl1_32,     dl2_32,     dl3_32,     dl4_32,    dl1_16,     dl2_16,  dl3_16,      dl4_16,
                            screenshot, URLGifEdit, URLIcoEdit, localpath, shortdesc})
        edit->clear();
    longdesc->clear();
    NotesToReviewer->clear();
}

void TAppInfoPage::BuildLongReleaseDate() {
    LongReleaseDate = profiles::longReleaseDate(day->text(), month->text(), year->text());
    ldatel->setText(LongReleaseDate);
}

void TAppInfoPage::CheckShortName() {
    const QString text = char8name->text();
    if (profiles::shortNameRejected(text)) {
        model_.dialogs().beep();
        model_.dialogs().message(QStringLiteral("You can only have alpha-numeric values in this field."));
        char8name->clear();
        // After the focus change that led here has ended.
        QTimer::singleShot(0, char8name, [this] { char8name->setFocus(Qt::OtherFocusReason); });
        return;
    }
    const QString lowered = profiles::lowerShortName(text);
    if (lowered != text)
        char8name->setText(lowered);
}
