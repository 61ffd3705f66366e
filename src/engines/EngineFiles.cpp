#include "engines/EngineFiles.h"

#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "platform/TextHelpers.h"

#include <algorithm>

namespace {

const QString Section = QStringLiteral("SETTINGS");

bool siteLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// A stable sort: entries equal but for letter case keep the order they came
// in, so the maker's entry of a name stays before the user's.
void sortSites(QStringList& list) {
    std::stable_sort(list.begin(), list.end(), siteLess);
}

// Inserts after every entry that does not sort behind it; returns the index.
int insertSorted(QStringList& list, const QString& name) {
    const auto at = std::upper_bound(list.begin(), list.end(), name, siteLess);
    const int index = int(at - list.begin());
    list.insert(index, name);
    return index;
}

void removeFirst(QStringList& list, const QString& name) {
    const qsizetype index = list.indexOf(name);
    if (index >= 0)
        list.removeAt(index);
}

// The site names of a list file, without those that cannot be file names.
QStringList readSiteList(const QString& path) {
    QStringList lines;
    if (!platform::text::readLinesIfExists(path, lines))
        return {};
    QString reason;
    lines.removeIf([&reason](const QString& name) { return !TEngBuild::IsValidSiteName(name, reason); });
    sortSites(lines);
    return lines;
}

QString scriptSuffix(EngineScript script) {
    switch (script) {
    case EngineScript::HttpNew:
        return QStringLiteral(" HTTP_NEW.scp");
    case EngineScript::HttpUpdate:
        return QStringLiteral(" HTTP_UPDATE.scp");
    case EngineScript::Ftp:
        return QStringLiteral(" FTP_NEW.scp");
    case EngineScript::EmailNew:
        return QStringLiteral(" EMAIL_NEW.scp");
    case EngineScript::EmailUpdate:
        return QStringLiteral(" EMAIL_UPDATE.scp");
    }
    return {};
}

constexpr EngineScript AllScripts[] = {EngineScript::HttpNew, EngineScript::HttpUpdate, EngineScript::Ftp,
                                       EngineScript::EmailNew, EngineScript::EmailUpdate};

QString& scriptText(SiteEngine& engine, EngineScript script) {
    switch (script) {
    case EngineScript::HttpNew:
        return engine.httpNewScript;
    case EngineScript::HttpUpdate:
        return engine.httpUpdateScript;
    case EngineScript::Ftp:
        return engine.ftpScript;
    case EngineScript::EmailNew:
        return engine.emailNewScript;
    case EngineScript::EmailUpdate:
        break;
    }
    return engine.emailUpdateScript;
}

struct BusyCursor {
    BusyCursor() { platform::setBusyCursor(); }
    ~BusyCursor() { platform::setDefaultCursor(); }
};

} // namespace

TEngBuild::TEngBuild(Folders folders, platform::Dialogs& dialogs, platform::Clock& clock, ExpanderSource* source)
    : folders_(std::move(folders)), dialogs_(dialogs), clock_(clock), source_(source) {}

// --- Names and paths

bool TEngBuild::IsValidSiteName(const QString& name, QString& reason) {
    reason = platform::files::invalidFileNameReason(name);
    return reason.isEmpty();
}

QString TEngBuild::settingsPath(const QString& site) const {
    return folders_.sites + site + QStringLiteral(".ini");
}

QString TEngBuild::categoryPath(const QString& site, int which) const {
    return folders_.cat + site + (which == 2 ? QStringLiteral(" Cat2.cat") : QStringLiteral(" Cat1.cat"));
}

QString TEngBuild::scriptPath(const QString& site, EngineScript script) const {
    return folders_.sites + site + scriptSuffix(script);
}

QString TEngBuild::makerListPath() const {
    return folders_.sites + QStringLiteral("Sites.dat");
}

QString TEngBuild::userListPath() const {
    return folders_.sites + QStringLiteral("User_Sites.dat");
}

// --- Site lists

void TEngBuild::LoadSiteLists() {
    makerSites_ = readSiteList(makerListPath());
    userSites_ = readSiteList(userListPath());
    engineList_ = makerSites_ + userSites_;
    sortSites(engineList_);
    selected_ = -1;
}

void TEngBuild::SaveSiteLists() {
    platform::text::writeLines(makerListPath(), makerSites_);
    platform::text::writeLines(userListPath(), userSites_);
}

int TEngBuild::IndexOfSite(const QString& name) const {
    return int(engineList_.indexOf(name));
}

void TEngBuild::SelectIndex(int index) {
    selected_ = index >= 0 && index < engineList_.size() ? index : -1;
}

QString TEngBuild::SelectedSite() const {
    return selected_ >= 0 ? engineList_[selected_] : QString();
}

QString TEngBuild::CategoryValue(const QString& line) {
    const qsizetype at = line.indexOf(QLatin1String("\">"));
    return at >= 1 ? line.left(at) : line;
}

QString TEngBuild::CategoryLabel(const QString& line) {
    const qsizetype at = line.indexOf(QLatin1String("\">"));
    return at >= 0 && at + 2 < line.size() ? line.mid(at + 2) : line;
}

// --- Loading

void TEngBuild::LoadEngine(const QString& site) {
    Engine.clear();
    Engine.siteName = site;
    // A name that cannot be a file name never reaches a path outside the
    // engine folders: such an engine loads as cleared.
    QString reason;
    if (!IsValidSiteName(site, reason))
        return;

    readSettings(site);
    platform::text::readLinesIfExists(categoryPath(site, 1), Engine.cat1);
    platform::text::readLinesIfExists(categoryPath(site, 2), Engine.cat2);
    for (const EngineScript script : AllScripts) {
        QStringList lines;
        if (platform::text::readLinesIfExists(scriptPath(site, script), lines))
            scriptText(Engine, script) = lines.join(QLatin1String("\r\n"));
    }
}

void TEngBuild::readSettings(const QString& site) {
    const QString path = settingsPath(site);
    if (!platform::files::fileExists(path))
        return;
    const platform::IniFile ini(path);
    const auto text = [&ini](const char* key) { return ini.readString(Section, QLatin1String(key)); };
    const auto flag = [&ini](const char* key) { return ini.readBool(Section, QLatin1String(key), false); };
    const auto number = [&ini](const char* key, int def) { return ini.readInteger(Section, QLatin1String(key), def); };

    SiteEngine& e = Engine;
    e.byteFormat = decodeByteFormat(number("BYTE_FORMAT", 1));
    e.sitesWebUrl = text("SITES_WEB_URL");
    e.useCat1 = flag("USE_CAT1");
    e.useCat2 = flag("USE_CAT2");
    e.siteType = decodeSiteType(number("SITE_TYPE", 2));
    e.siteSystem = decodeSiteSystem(number("SITE_SYSTEM", 3));
    e.useHttpPost = flag("USE_HTTP_POST");
    e.httpPostType = decodeHttpMethod(number("HTTP_POST_TYPE", 1));
    e.httpNewScriptUrl = text("HTTP_NEW_SCRIPT_URL");
    e.httpUpdateScriptUrl = text("HTTP_UPDATE_SCRIPT_URL");
    for (const TranslationInfo& info : translationTable())
        Translations.set(info.id,
                         ini.readString(Section, QString::fromUtf16(info.key), QString::fromUtf16(info.fixedWord)));
    e.useFtpUpload = flag("USE_FTP_UPLOAD");
    e.useZipFile = flag("USE_ZIP_FILE");
    e.use8x3FileName = flag("USE_8X3_FILENAME");
    e.ftpServer = text("FTP_SERVER");
    e.loginName = text("LOGIN_NAME");
    e.remotePath = text("REMOTE_PATH");
    e.loginPassword = text("LOGIN_PASSWORD");
    // Each key that is on takes the choice from the ones before it.
    e.addedText = AddedText::None;
    if (flag("ADD_FILE_TO_ZIP"))
        e.addedText = AddedText::AddToUpload;
    if (flag("INCLUDE_IN_ZIP"))
        e.addedText = AddedText::IncludeInZip;
    if (flag("ADDED_TEXT_BOTH"))
        e.addedText = AddedText::Both;
    e.ftpFileName = text("FTP_FILENAME");
    e.useEmail = flag("USE_EMAIL");
    e.emailSendCopy = flag("EMAIL_SEND_COPY");
    e.emailAttachGif = flag("EMAIL_ATTACH_GIF");
    e.emailAttachIco = flag("EMAIL_ATTACH_ICO");
    e.emailAttachScreen = flag("EMAIL_ATTACH_SCREEN");
    e.emailAttachOther = flag("EMAIL_ATTACH_OTHER");
    e.emailAttachApplication = flag("EMAIL_ATTACH_APPLICATION");
    e.emailToName = text("EMAIL_TONAME");
    e.emailSubject = text("EMAIL_SUBJECT");
    e.emailToNameUpdate = text("EMAIL_TONAME_UPDATE");
    e.emailSubjectUpdate = text("EMAIL_SUBJECT_UPDATE");
}

// --- Saving

void TEngBuild::SaveEngine() {
    const QString site = Engine.siteName;
    QString reason;
    if (site.isEmpty() || !IsValidSiteName(site, reason))
        return;

    writeSettings();

    const QStringList* lists[] = {&Engine.cat1, &Engine.cat2};
    for (int which = 1; which <= 2; ++which) {
        const QStringList& lines = *lists[which - 1];
        if (lines.isEmpty())
            platform::files::deleteFile(categoryPath(site, which));
        else
            platform::text::writeLines(categoryPath(site, which), lines);
    }

    // An empty script writes nothing: the file on disk, if any, stays.
    for (const EngineScript script : AllScripts) {
        const QString& body = scriptText(Engine, script);
        if (!body.isEmpty())
            platform::text::writeLines(scriptPath(site, script), platform::text::splitLines(body));
    }
}

void TEngBuild::writeSettings() {
    platform::IniFile ini(settingsPath(Engine.siteName));
    const auto text = [&ini](const char* key, const QString& value) {
        ini.writeString(Section, QLatin1String(key), value);
    };
    const auto flag = [&ini](const char* key, bool value) { ini.writeBool(Section, QLatin1String(key), value); };
    const auto number = [&ini](const char* key, int value) { ini.writeInteger(Section, QLatin1String(key), value); };

    const SiteEngine& e = Engine;
    number("BYTE_FORMAT", encodeByteFormat(e.byteFormat));
    text("SITES_WEB_URL", e.sitesWebUrl);
    flag("USE_CAT1", e.useCat1);
    flag("USE_CAT2", e.useCat2);
    number("SITE_TYPE", encodeSiteType(e.siteType));
    number("SITE_SYSTEM", encodeSiteSystem(e.siteSystem));
    flag("USE_HTTP_POST", e.useHttpPost);
    number("HTTP_POST_TYPE", encodeHttpMethod(e.httpPostType));
    text("HTTP_NEW_SCRIPT_URL", e.httpNewScriptUrl);
    text("HTTP_UPDATE_SCRIPT_URL", e.httpUpdateScriptUrl);
    for (const TranslationInfo& info : translationTable())
        ini.writeString(Section, QString::fromUtf16(info.key), Translations.value(info.id));
    flag("USE_FTP_UPLOAD", e.useFtpUpload);
    flag("USE_ZIP_FILE", e.useZipFile);
    flag("USE_8X3_FILENAME", e.use8x3FileName);
    text("FTP_SERVER", e.ftpServer);
    text("LOGIN_NAME", e.loginName);
    text("REMOTE_PATH", e.remotePath);
    text("LOGIN_PASSWORD", e.loginPassword);
    flag("ADD_FILE_TO_ZIP", e.addedText == AddedText::AddToUpload);
    flag("INCLUDE_IN_ZIP", e.addedText == AddedText::IncludeInZip);
    flag("ADDED_TEXT_BOTH", e.addedText == AddedText::Both);
    text("FTP_FILENAME", e.ftpFileName);
    flag("USE_EMAIL", e.useEmail);
    flag("EMAIL_SEND_COPY", e.emailSendCopy);
    flag("EMAIL_ATTACH_GIF", e.emailAttachGif);
    flag("EMAIL_ATTACH_ICO", e.emailAttachIco);
    flag("EMAIL_ATTACH_SCREEN", e.emailAttachScreen);
    flag("EMAIL_ATTACH_OTHER", e.emailAttachOther);
    flag("EMAIL_ATTACH_APPLICATION", e.emailAttachApplication);
    text("EMAIL_TONAME", e.emailToName);
    text("EMAIL_SUBJECT", e.emailSubject);
    text("EMAIL_TONAME_UPDATE", e.emailToNameUpdate);
    text("EMAIL_SUBJECT_UPDATE", e.emailSubjectUpdate);
    ini.updateFile();
}

// --- Creating and deleting

bool TEngBuild::CreateEngine(const QString& name) {
    QString site = name;
    TrimSpaces(site);
    if (site.isEmpty())
        return false;
    QString reason;
    if (!IsValidSiteName(site, reason)) {
        dialogs_.errorDialog(QStringLiteral("SITE NAME INVALID"), reason, QString());
        return false;
    }
    if (engineList_.contains(site)) {
        dialogs_.errorDialog(QStringLiteral("SITE NAME DUPLICATE"),
                             QStringLiteral("The site name you entered is already on the list!"), QString());
        return false;
    }
    selected_ = insertSorted(engineList_, site);
    insertSorted(userSites_, site);
    Translations.setToFixedWords();
    SaveSiteLists();
    return true;
}

void TEngBuild::DeleteEngine(const QString& site) {
    BusyCursor busy;
    QString reason;
    if (IsValidSiteName(site, reason)) {
        platform::files::deleteFile(settingsPath(site));
        platform::files::deleteFile(categoryPath(site, 1));
        platform::files::deleteFile(categoryPath(site, 2));
        for (const EngineScript script : AllScripts)
            platform::files::deleteFile(scriptPath(site, script));
    }
    removeFirst(makerSites_, site);
    removeFirst(userSites_, site);
    removeFirst(engineList_, site);
    SaveSiteLists();

    if (engineList_.isEmpty()) {
        // Nothing is left to show: a later save must not bring the deleted
        // engine's files back.
        selected_ = -1;
        Engine.clear();
        return;
    }
    selected_ = 0;
    if (LoadSelected)
        LoadSelected(0);
    else
        LoadEngine(engineList_.first());
}
