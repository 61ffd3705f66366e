#pragma once

#include "engines/SiteEngine.h"

#include <QString>
#include <QStringList>

// Company page fields, named after their profile keys.
enum class CompanyField {
    Name,    // CONAME
    Url,     // CURL
    Mail,    // CCMAIL
    Contact, // CONTACT
    Title,   // CTITLE
    Email,   // CEMAIL
    Phone,   // CPHONE
    Fax,     // CFAX
    Address, // CADDR
    City,    // CCITY
    State,   // CSTATE
    Zip,     // CZIP
    Country, // CCOUNTRY
    BhsId,   // BHSID (the page's member, not a field)
};

// Application page fields, named after their profile keys; the last three
// are the fields kept outside the profile's settings.
enum class AppField {
    Name,          // NAME
    EightChar,     // 8CHAR
    FileName,      // FILENAME
    Version,       // VERSION
    Month,         // MONTH
    Day,           // DAY
    Year,          // YEAR
    Platform,      // PLATFORM
    SubmittedBy,   // DSTATUS
    Size32,        // SIZE32
    InstSize32,    // INSTSIZE32
    Size16,        // SIZE16
    InstSize16,    // INSTSIZE16
    LocalPath,     // PATH
    Price,         // PRICE
    Status,        // STATUS
    Eval,          // EVAL
    ExpireDate,    // XDATE
    ExpireAfter,   // XDAYS
    Installer,     // installer
    AppUrl,        // APPURL
    Dl1_32,        // DL1_32
    Dl2_32,        // DL2_32
    Dl3_32,        // DL3_32
    Dl4_32,        // DL4_32
    Dl1_16,        // DL1_16
    Dl2_16,        // DL2_16
    Dl3_16,        // DL3_16
    Dl4_16,        // DL4_16
    ScreenShotUrl, // SHOT
    GifUrl,        // GIF
    IcoUrl,        // ICO
    ShortDesc,     // SHORTDESC
    SpecialReq,    // specreq (not stored)
    LongDesc,      // longdesc, the whole multi-line text
    Notes,         // NotesToReviewer, the whole multi-line text
};

// Where the variable expander reads its values: what the pages show at this
// moment, unsaved edits included. The main window answers from its controls
// (the field translations from TEngBuild::Translations, which the Field
// Translations dialog edits); tests answer from plain values.
class ExpanderSource {
public:
    virtual ~ExpanderSource() = default;

    virtual QString companyField(CompanyField field) const = 0;
    virtual QString appField(AppField field) const = 0;

    // The current engine as the Site Builder shows it. `which` is 1 (primary)
    // or 2 (secondary).
    virtual QString engineSiteName() const = 0;
    virtual ByteFormat engineByteFormat() const = 0;
    virtual bool engineUsesCategory(int which) const = 0;
    virtual QStringList engineCategoryLines(int which) const = 0;
    virtual QString fieldTranslation(Translation translation) const = 0;

    // Submission mode only: the category label chosen in the primary (1) or
    // secondary (2) column of the Sites grid row being submitted.
    virtual QString selectedCategoryLabel(int which) const = 0;

    // The text a page control shows now, by its object name (an edit, a
    // choice box, a memo with "\n" between its lines); empty when none.
    virtual QString controlText(const QString& /*objectName*/) const { return {}; }
};
