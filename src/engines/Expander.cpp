#include "engines/Expander.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/TextHelpers.h"

#include <QHash>

#include <algorithm>

namespace {

enum class Var {
    CompName,
    CompUrl,
    CompMail,
    ContName,
    ContTitle,
    ContEmail,
    ContPhone,
    ContFax,
    ContAddr,
    ContCity,
    ContState,
    ContZip,
    ContCountry,
    AppName,
    EightPlus3,
    AppFileName,
    AppVersion,
    AppMonth,
    AppDay,
    AppYear,
    AppPlat,
    AppSubmitBy,
    AppSize32,
    AppInstSize32,
    AppSize16,
    AppInstSize16,
    AppLocalPath,
    AppPrice,
    AppStatus,
    AppEval,
    AppExpDate,
    AppExpAfter,
    AppReq,
    AppInstall,
    AppUrl,
    App32Dl1,
    App32Dl2,
    App32Dl3,
    App32Dl4,
    App16Dl1,
    App16Dl2,
    App16Dl3,
    App16Dl4,
    AppScreen,
    AppIconGif,
    AppIconIco,
    AppShortDesc,
    AppLongDesc,
    AppNotes,
    SiteName,
    SiteCat1,
    SiteCat2,
    CurDate,
    CurDateDay,
    CurDateMonth,
    CurDateYear,
    CurTime,
    CurTimeHrs,
    CurTimeMin,
    BhsId,
    FbbsDesc,
};

struct VarInfo {
    Var id;
    const char* name;
    const char* listText;
};

// The variable list's order; the list texts are shown to the user as written.
constexpr VarInfo Variables[] = {
    {Var::CompName, "COMPNAME", "Company Name"},
    {Var::CompUrl, "COMPURL", "Company URL"},
    {Var::CompMail, "COMPMAIL", "Company E-Mail"},
    {Var::ContName, "CONTNAME", "Contact Name"},
    {Var::ContTitle, "CONTTITLE", "Contact Title"},
    {Var::ContEmail, "CONTEMAIL", "Contact E-Mail"},
    {Var::ContPhone, "CONTPHONE", "Contect Telephone"},
    {Var::ContFax, "CONTFAX", "Contact Fax"},
    {Var::ContAddr, "CONTADDR", "Contact Address"},
    {Var::ContCity, "CONTCITY", "Contact City"},
    {Var::ContState, "CONTSTATE", "Contact State"},
    {Var::ContZip, "CONTZIP", "Contact Zip"},
    {Var::ContCountry, "CONTCOUNTRY", "Contact Country"},
    {Var::AppName, "APPNAME", "Application Name"},
    {Var::EightPlus3, "8PLUS3", "8 character filename"},
    {Var::AppFileName, "APPFILENAME", "Application Filename"},
    {Var::AppVersion, "APPVERSION", "Application Version"},
    {Var::AppMonth, "APPMONTH", "Application Release Month"},
    {Var::AppDay, "APPDAY", "Application Release Day"},
    {Var::AppYear, "APPYEAR", "Application Release Year"},
    {Var::AppPlat, "APPPLAT", "Application Platform"},
    {Var::AppSubmitBy, "APPSUBMITBY", "Application Submitted By"},
    {Var::AppSize32, "APPSIZE32", "32 Bit Application File Size"},
    {Var::AppInstSize32, "APPINSTSIZE32", "32 Bit Application Installed Size"},
    {Var::AppSize16, "APPSIZE16", "16 Bit Application File Size"},
    {Var::AppInstSize16, "APPINSTSIZE16", "16 Bit Application Installed Size"},
    {Var::AppLocalPath, "APPLOCALPATH", "Full Local Path To File Archive"},
    {Var::AppPrice, "APPPRICE", "Application Price"},
    {Var::AppStatus, "APPSTATUS", "Application Distribution Status "},
    {Var::AppEval, "APPEVAL", "Application Evaluation Period "},
    {Var::AppExpDate, "APPEXPDATE", "Application Expiration date"},
    {Var::AppExpAfter, "APPEXPAFTER", "Application Expires After"},
    {Var::AppReq, "APPREQ", "Application Requirements"},
    {Var::AppInstall, "APPINSTALL", "Application Install/Uninstall Support"},
    {Var::AppUrl, "APPURL", "Application Information URL"},
    {Var::App32Dl1, "APP32DL1", "32 Bit Application Download URL #1"},
    {Var::App32Dl2, "APP32DL2", "32 Bit Application Download URL #2"},
    {Var::App32Dl3, "APP32DL3", "32 Bit Application Download URL #3"},
    {Var::App32Dl4, "APP32DL4", "32 Bit Application Download URL #4"},
    {Var::App16Dl1, "APP16DL1", "16 Bit Application Download URL #1"},
    {Var::App16Dl2, "APP16DL2", "16 Bit Application Download URL #2"},
    {Var::App16Dl3, "APP16DL3", "16 Bit Application Download URL #3"},
    {Var::App16Dl4, "APP16DL4", "16 Bit Application Download URL #4"},
    {Var::AppScreen, "APPSCREEN", "Application URL to ScreenShot"},
    {Var::AppIconGif, "APPICONGIF", "URL to Application Icon in GIF format"},
    {Var::AppIconIco, "APPICONICO", "URL to Application Icon in ICO format"},
    {Var::AppShortDesc, "APPSHORTDESC", "Application short Description"},
    {Var::AppLongDesc, "APPLONGDESC", "Application Long Description"},
    {Var::AppNotes, "APPNOTES", "Application Notes to Reviewer"},
    {Var::SiteName, "SITENAME", "Name of site submitting to."},
    {Var::SiteCat1, "SITECAT1", "Data for Site category #1"},
    {Var::SiteCat2, "SITECAT2", "Data for Site category #2"},
    {Var::CurDate, "CURDATE", "Current Date"},
    {Var::CurDateDay, "CURDATE_DAY", "Current Day"},
    {Var::CurDateMonth, "CURDATE_MONTH", "Current Month Num"},
    {Var::CurDateYear, "CURDATE_YEAR", "Current Year"},
    {Var::CurTime, "CURTIME", "Current Time"},
    {Var::CurTimeHrs, "CURTIME_HRS", "Current Hours(2400)"},
    {Var::CurTimeMin, "CURTIME_MIN", "Current Minute"},
    {Var::BhsId, "BHSID", "ID# For Beverly Hills Software"},
    {Var::FbbsDesc, "FBBSDESC", "8X3 File Name (.Zip) with Short Description"},
};

const QHash<QString, Var>& variableIds() {
    static const QHash<QString, Var> ids = [] {
        QHash<QString, Var> map;
        for (const VarInfo& info : Variables)
            map.insert(QLatin1String(info.name), info.id);
        return map;
    }();
    return ids;
}

// Answers every question with nothing, while no source has been given.
class EmptySource final : public ExpanderSource {
public:
    QString companyField(CompanyField) const override { return {}; }
    QString appField(AppField) const override { return {}; }
    QString engineSiteName() const override { return {}; }
    ByteFormat engineByteFormat() const override { return ByteFormat::Bytes; }
    bool engineUsesCategory(int) const override { return false; }
    QStringList engineCategoryLines(int) const override { return {}; }
    QString fieldTranslation(Translation) const override { return {}; }
    QString selectedCategoryLabel(int) const override { return {}; }
};

const QString UnknownMarker = QStringLiteral("%UNKNOWN%");

// The rest of the text is kept reversed, so that a value is put in front of
// it by appending, and each character is moved to the result once.
void appendReversed(QString& to, QStringView from) {
    const qsizetype start = to.size();
    to.append(from);
    std::reverse(to.begin() + start, to.end());
}

} // namespace

const QList<ScriptVariable>& scriptVariables() {
    static const QList<ScriptVariable> list = [] {
        QList<ScriptVariable> result;
        for (const VarInfo& info : Variables)
            result.append(
                {QLatin1Char('%') + QLatin1String(info.name) + QLatin1Char('%'), QLatin1String(info.listText)});
        return result;
    }();
    return list;
}

const ExpanderSource& TEngBuild::source() const {
    static const EmptySource empty;
    if (source_)
        return *source_;
    return empty;
}

QString TEngBuild::ExpandVariables(const QString& text, bool forSubmission) {
    ExpandFailed = false;
    FailedVariable.clear();
    if (!text.contains(u'%'))
        return text;

    // The text being built is result + reverse(pending); result holds no
    // percent sign, so the first percent sign of the whole text is the last
    // one of pending. That keeps every pass searching from the beginning, and
    // a percent sign a value brings in is taken like one of the text.
    QString result;
    QString pending;
    appendReversed(pending, text);
    int substitutions = 0;
    for (;;) {
        const qsizetype open = pending.lastIndexOf(u'%');
        if (open < 0)
            break;
        appendReversed(result, QStringView(pending).sliced(open + 1));
        pending.truncate(open);

        const qsizetype close = pending.lastIndexOf(u'%');
        if (close < 0) {
            ExpandFailed = true;
            return text;
        }
        QString name;
        appendReversed(name, QStringView(pending).sliced(close + 1));
        pending.truncate(close);

        if (substitutions == MaxSubstitutions) {
            ExpandFailed = true;
            FailedVariable = name;
            return text;
        }
        const QString value = ResolveVariable(name, forSubmission);
        if (ExpandFailed)
            return text;
        ++substitutions;
        appendReversed(pending, value);
        if (result.size() + pending.size() > MaxExpandedLength) {
            ExpandFailed = true;
            FailedVariable = name;
            return text;
        }
    }
    appendReversed(result, pending);
    return result;
}

QString TEngBuild::ResolveVariable(const QString& name, bool forSubmission) {
    const auto found = variableIds().constFind(name);
    if (found == variableIds().constEnd()) {
        ExpandFailed = true;
        FailedVariable = name;
        return {};
    }
    const ExpanderSource& src = source();
    const auto company = [&src](CompanyField f) { return src.companyField(f); };
    const auto app = [&src](AppField f) { return src.appField(f); };
    // A 32-bit value falls back to its 16-bit twin when empty.
    const auto either = [&app](AppField first, AppField second) {
        const QString value = app(first);
        return value.isEmpty() ? app(second) : value;
    };

    switch (*found) {
    case Var::CompName:
        return company(CompanyField::Name);
    case Var::CompUrl:
        return company(CompanyField::Url);
    case Var::CompMail:
        return company(CompanyField::Mail);
    case Var::ContName:
        return company(CompanyField::Contact);
    case Var::ContTitle:
        return company(CompanyField::Title);
    case Var::ContEmail:
        return company(CompanyField::Email);
    case Var::ContPhone:
        return company(CompanyField::Phone);
    case Var::ContFax:
        return company(CompanyField::Fax);
    case Var::ContAddr:
        return company(CompanyField::Address);
    case Var::ContCity:
        return company(CompanyField::City);
    case Var::ContState:
        return company(CompanyField::State);
    case Var::ContZip:
        return company(CompanyField::Zip);
    case Var::ContCountry:
        return company(CompanyField::Country);
    case Var::AppName:
        return app(AppField::Name);
    case Var::EightPlus3:
        return app(AppField::EightChar);
    case Var::AppFileName:
        return app(AppField::FileName);
    case Var::AppVersion:
        return app(AppField::Version);
    case Var::AppMonth:
        return app(AppField::Month);
    case Var::AppDay:
        return app(AppField::Day);
    case Var::AppYear:
        return app(AppField::Year);
    case Var::AppPlat:
        return translated(TranslatedField::Platform, app(AppField::Platform));
    case Var::AppSubmitBy:
        return translated(TranslatedField::SubmittedBy, app(AppField::SubmittedBy));
    case Var::AppSize32:
        return sizeValue(either(AppField::Size32, AppField::Size16));
    case Var::AppInstSize32:
        return sizeValue(either(AppField::InstSize32, AppField::InstSize16));
    case Var::AppSize16:
        return sizeValue(app(AppField::Size16));
    case Var::AppInstSize16:
        return sizeValue(app(AppField::InstSize16));
    case Var::AppLocalPath:
        return app(AppField::LocalPath);
    case Var::AppPrice:
        return app(AppField::Price);
    case Var::AppStatus:
        return translated(TranslatedField::Status, app(AppField::Status));
    case Var::AppEval:
        return app(AppField::Eval);
    case Var::AppExpDate:
        return app(AppField::ExpireDate);
    case Var::AppExpAfter:
        return app(AppField::ExpireAfter);
    case Var::AppReq:
        return app(AppField::SpecialReq);
    case Var::AppInstall:
        return translated(TranslatedField::InstallSupport, app(AppField::Installer));
    case Var::AppUrl:
        return app(AppField::AppUrl);
    case Var::App32Dl1:
        return either(AppField::Dl1_32, AppField::Dl1_16);
    case Var::App32Dl2:
        return either(AppField::Dl2_32, AppField::Dl2_16);
    case Var::App32Dl3:
        return either(AppField::Dl3_32, AppField::Dl3_16);
    case Var::App32Dl4:
        return either(AppField::Dl4_32, AppField::Dl4_16);
    case Var::App16Dl1:
        return app(AppField::Dl1_16);
    case Var::App16Dl2:
        return app(AppField::Dl2_16);
    case Var::App16Dl3:
        return app(AppField::Dl3_16);
    case Var::App16Dl4:
        return app(AppField::Dl4_16);
    case Var::AppScreen:
        return app(AppField::ScreenShotUrl);
    case Var::AppIconGif:
        return app(AppField::GifUrl);
    case Var::AppIconIco:
        return app(AppField::IcoUrl);
    case Var::AppShortDesc:
        return app(AppField::ShortDesc);
    case Var::AppLongDesc:
        return app(AppField::LongDesc);
    case Var::AppNotes:
        return app(AppField::Notes);
    case Var::SiteName:
        return src.engineSiteName();
    case Var::SiteCat1:
        return categoryValue(1, forSubmission);
    case Var::SiteCat2:
        return categoryValue(2, forSubmission);
    case Var::CurDate:
        return platform::shortDate(clock_.now().date());
    case Var::CurDateDay:
        return QString::number(clock_.now().date().day());
    case Var::CurDateMonth:
        return QString::number(clock_.now().date().month());
    case Var::CurDateYear:
        return QString::number(clock_.now().date().year());
    case Var::CurTime:
        return platform::longTime(clock_.now().time());
    case Var::CurTimeHrs:
        return QString::number(clock_.now().time().hour());
    case Var::CurTimeMin:
        return QString::number(clock_.now().time().minute());
    case Var::BhsId:
        return company(CompanyField::BhsId);
    case Var::FbbsDesc: {
        QString line = app(AppField::EightChar) + QStringLiteral(".zip");
        if (line.size() <= 15)
            line = line.leftJustified(16, u' ');
        return line + app(AppField::ShortDesc);
    }
    }
    return {};
}

QString TEngBuild::sizeValue(const QString& size) const {
    switch (source().engineByteFormat()) {
    case ByteFormat::Kilobytes:
        return SizeToKB(size);
    case ByteFormat::Megabytes:
        return SizeToMB(size);
    case ByteFormat::Bytes:
        break;
    }
    return size;
}

QString TEngBuild::translated(TranslatedField field, const QString& text) const {
    QString value;
    for (const TranslationInfo& info : translationTable())
        if (info.field == field && text == QStringView(info.fixedWord))
            value = source().fieldTranslation(info.id);
    return value.isEmpty() ? text : value;
}

QString TEngBuild::categoryValue(int which, bool forSubmission) {
    const ExpanderSource& src = source();
    const QStringList lines = src.engineCategoryLines(which);
    if (!forSubmission) {
        if (!lines.isEmpty())
            return CategoryValue(lines.first());
        ExpandFailed = true;
        FailedVariable = UnknownMarker;
        return UnknownMarker;
    }

    // The marker is no failure here, but the next pass reads it as the
    // unknown name UNKNOWN.
    if (!src.engineUsesCategory(which) || lines.isEmpty())
        return UnknownMarker;

    const QString label = src.selectedCategoryLabel(which);
    QString value;
    bool matched = false;
    if (!label.isEmpty()) {
        for (const QString& line : lines) {
            if (line.contains(label)) {
                value = CategoryValue(line);
                matched = true;
                break;
            }
        }
    }
    if (!matched) {
        if (which == 1) {
            dialogs_.beep();
            dialogs_.message(QStringLiteral("Could NotFind!"));
        }
        value = label;
    }
    if (value.isEmpty()) {
        ExpandFailed = true;
        FailedVariable = UnknownMarker;
        return UnknownMarker;
    }
    return value;
}
