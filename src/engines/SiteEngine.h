#pragma once

#include <QString>
#include <QStringList>

#include <array>

// How file sizes are given to a site (BYTE_FORMAT 1, 2, 3).
enum class ByteFormat { Bytes, Kilobytes, Megabytes };
// Which programs a site takes (SITE_TYPE 1, 2).
enum class SiteType { FreewareOnly, FreewareAndShareware };
// Which systems a site takes (SITE_SYSTEM 1, 2, 3).
enum class SiteSystem { Bit32Only, Bit16Only, Both };
// HTTP method of the form submission (HTTP_POST_TYPE 1, 2).
enum class HttpMethod { Post, Get };
// The added text file of an FTP upload: ADD_FILE_TO_ZIP ("Add to Upload"),
// INCLUDE_IN_ZIP ("Include in Zip"), ADDED_TEXT_BOTH ("Both"). None is what a
// settings file with all three keys off loads as.
enum class AddedText { None, AddToUpload, IncludeInZip, Both };

// Decoding and encoding of the integer keys. Any number a key does not know
// reads as the key's default choice.
inline ByteFormat decodeByteFormat(int value) {
    return value == 2 ? ByteFormat::Kilobytes : value == 3 ? ByteFormat::Megabytes : ByteFormat::Bytes;
}
inline int encodeByteFormat(ByteFormat format) {
    return format == ByteFormat::Megabytes ? 3 : format == ByteFormat::Kilobytes ? 2 : 1;
}
inline SiteType decodeSiteType(int value) {
    return value == 1 ? SiteType::FreewareOnly : SiteType::FreewareAndShareware;
}
inline int encodeSiteType(SiteType type) {
    return type == SiteType::FreewareOnly ? 1 : 2;
}
inline SiteSystem decodeSiteSystem(int value) {
    return value == 1 ? SiteSystem::Bit32Only : value == 2 ? SiteSystem::Bit16Only : SiteSystem::Both;
}
inline int encodeSiteSystem(SiteSystem system) {
    return system == SiteSystem::Both ? 3 : system == SiteSystem::Bit16Only ? 2 : 1;
}
inline HttpMethod decodeHttpMethod(int value) {
    return value == 2 ? HttpMethod::Get : HttpMethod::Post;
}
inline int encodeHttpMethod(HttpMethod method) {
    return method == HttpMethod::Get ? 2 : 1;
}

// The current site engine: one member per settings key (in the order the
// settings file is written), the two category lists and the five scripts.
// The field translations are kept apart (FieldTranslations), because clearing
// the engine leaves them alone.
struct SiteEngine {
    QString siteName;

    ByteFormat byteFormat = ByteFormat::Bytes;          // BYTE_FORMAT
    QString sitesWebUrl;                                // SITES_WEB_URL
    bool useCat1 = false;                               // USE_CAT1
    bool useCat2 = false;                               // USE_CAT2
    SiteType siteType = SiteType::FreewareAndShareware; // SITE_TYPE
    SiteSystem siteSystem = SiteSystem::Both;           // SITE_SYSTEM
    bool useHttpPost = false;                           // USE_HTTP_POST
    HttpMethod httpPostType = HttpMethod::Post;         // HTTP_POST_TYPE
    QString httpNewScriptUrl;                           // HTTP_NEW_SCRIPT_URL
    QString httpUpdateScriptUrl;                        // HTTP_UPDATE_SCRIPT_URL
    // (MUF_ keys: FieldTranslations)
    bool useFtpUpload = false;                    // USE_FTP_UPLOAD
    bool useZipFile = false;                      // USE_ZIP_FILE
    bool use8x3FileName = false;                  // USE_8X3_FILENAME
    QString ftpServer;                            // FTP_SERVER
    QString loginName;                            // LOGIN_NAME
    QString remotePath;                           // REMOTE_PATH
    QString loginPassword;                        // LOGIN_PASSWORD
    AddedText addedText = AddedText::AddToUpload; // ADD_FILE_TO_ZIP, INCLUDE_IN_ZIP, ADDED_TEXT_BOTH
    QString ftpFileName;                          // FTP_FILENAME
    bool useEmail = false;                        // USE_EMAIL
    bool emailSendCopy = false;                   // EMAIL_SEND_COPY
    bool emailAttachGif = false;                  // EMAIL_ATTACH_GIF
    bool emailAttachIco = false;                  // EMAIL_ATTACH_ICO
    bool emailAttachScreen = false;               // EMAIL_ATTACH_SCREEN
    bool emailAttachOther = false;                // EMAIL_ATTACH_OTHER
    bool emailAttachApplication = false;          // EMAIL_ATTACH_APPLICATION
    QString emailToName;                          // EMAIL_TONAME
    QString emailSubject;                         // EMAIL_SUBJECT
    QString emailToNameUpdate;                    // EMAIL_TONAME_UPDATE
    QString emailSubjectUpdate;                   // EMAIL_SUBJECT_UPDATE

    QStringList cat1; // primary category lines, value">label
    QStringList cat2; // secondary category lines

    // Each script is one text, its lines joined by CR LF.
    QString httpNewScript;
    QString httpUpdateScript;
    QString ftpScript;
    QString emailNewScript;
    QString emailUpdateScript;

    // Back to the defaults of a cleared engine (the site name too).
    void clear() { *this = SiteEngine(); }

    bool operator==(const SiteEngine&) const = default;
};

// The 18 field translations, in the order of their keys in the settings file.
enum class Translation {
    Windows31,
    Windows95,
    WindowsNT,
    Windows95NT,
    Author,
    Distributor,
    Dealer,
    User,
    FeatureLimitDemo,
    TimeLimitDemo,
    PublicDomain,
    Freeware,
    Shareware,
    Beta,
    NoInstallFeature,
    InstallFeatureOnly,
    UnInstallFeatureOnly,
    InstallUninstall,
};
constexpr int TranslationCount = 18;

// The application fields whose fixed words a site may want in its own words.
enum class TranslatedField { Platform, SubmittedBy, Status, InstallSupport };

struct TranslationInfo {
    Translation id;
    TranslatedField field;
    const char16_t* key;       // the settings key
    const char16_t* fixedWord; // the application page's word, and the key's default
};

inline const std::array<TranslationInfo, TranslationCount>& translationTable() {
    static const std::array<TranslationInfo, TranslationCount> table{{
        {Translation::Windows31, TranslatedField::Platform, u"MUF_Windows31", u"Windows 3.1"},
        {Translation::Windows95, TranslatedField::Platform, u"MUF_Windows95", u"Windows 95"},
        {Translation::WindowsNT, TranslatedField::Platform, u"MUF_WindowsNT", u"Windows NT"},
        {Translation::Windows95NT, TranslatedField::Platform, u"MUF_Windows95NT", u"Windows 95 and NT"},
        {Translation::Author, TranslatedField::SubmittedBy, u"MUF_Author", u"Author"},
        {Translation::Distributor, TranslatedField::SubmittedBy, u"MUF_Distributor", u"Distributor"},
        {Translation::Dealer, TranslatedField::SubmittedBy, u"MUF_Dealer", u"Dealer"},
        {Translation::User, TranslatedField::SubmittedBy, u"MUF_User", u"User"},
        {Translation::FeatureLimitDemo, TranslatedField::Status, u"MUF_FeatureLimitDemo", u"Feature Limit Demo"},
        {Translation::TimeLimitDemo, TranslatedField::Status, u"MUF_TimeLimitDemo", u"Time Limit Demo"},
        {Translation::PublicDomain, TranslatedField::Status, u"MUF_PublicDomain", u"Public Domain"},
        {Translation::Freeware, TranslatedField::Status, u"MUF_Freeware", u"Freeware"},
        {Translation::Shareware, TranslatedField::Status, u"MUF_Shareware", u"Shareware"},
        {Translation::Beta, TranslatedField::Status, u"MUF_Beta", u"Beta"},
        {Translation::NoInstallFeature, TranslatedField::InstallSupport, u"MUF_NoInstallFeature",
         u"No Install Feature"},
        {Translation::InstallFeatureOnly, TranslatedField::InstallSupport, u"MUF_InstallFeatureOnly",
         u"Install Feature Only"},
        {Translation::UnInstallFeatureOnly, TranslatedField::InstallSupport, u"MUF_UnInstallFeatureOnly",
         u"Uninstall Feature Only"},
        {Translation::InstallUninstall, TranslatedField::InstallSupport, u"MUF_InstallUninstall", u"Install/Uninstall"},
    }};
    return table;
}

inline QString translationKey(Translation t) {
    return QString::fromUtf16(translationTable()[static_cast<int>(t)].key);
}
inline QString fixedWord(Translation t) {
    return QString::fromUtf16(translationTable()[static_cast<int>(t)].fixedWord);
}

// The program-wide field translations: empty when the program starts, set by
// loading or creating an engine and by the Field Translations dialog.
class FieldTranslations {
public:
    QString value(Translation t) const { return values_[static_cast<int>(t)]; }
    void set(Translation t, const QString& text) { values_[static_cast<int>(t)] = text; }

    // Addressed by settings key ("MUF_Windows95"), matched exactly; an unknown
    // key reads as empty and is not stored.
    QString value(const QString& key) const {
        for (const TranslationInfo& info : translationTable())
            if (key == QStringView(info.key))
                return value(info.id);
        return {};
    }
    void set(const QString& key, const QString& text) {
        for (const TranslationInfo& info : translationTable())
            if (key == QStringView(info.key))
                set(info.id, text);
    }

    void setToFixedWords() {
        for (const TranslationInfo& info : translationTable())
            set(info.id, QString::fromUtf16(info.fixedWord));
    }

    bool operator==(const FieldTranslations&) const = default;

private:
    std::array<QString, TranslationCount> values_;
};
