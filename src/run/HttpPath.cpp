#include "HttpPath.h"

#include "RunHost.h"
#include "engines/EngineFiles.h"
#include "platform/HttpClient.h"
#include "platform/TextFile.h"
#include "reports/TReportsFrm.h"
#include "selection/SiteSelection.h"
#include "platform/TextHelpers.h"

#include <QCoreApplication>
#include <QTimer>

#include <exception>

namespace {

// Expands text for a submission; false when the expander failed or threw.
bool expand(TEngBuild& engines, const QString& text, QString& result) {
    try {
        result = engines.ExpandVariables(text, true);
        return !engines.ExpandFailed;
    } catch (const std::exception&) {
        return false;
    }
}

QString bracketed(int code, const QString& description) {
    return QLatin1Char('[') + QString::number(code) + QStringLiteral(" - ") + description + QLatin1Char(']');
}

} // namespace

THttpPath::THttpPath(RunHost& host, QObject* parent) : QObject(parent), host_(host) {
    platform::HttpClient* client = &host_.httpClient();
    connect(client, &platform::HttpClient::connected, this, &THttpPath::HTTP1Connected);
    connect(client, &platform::HttpClient::disconnected, this, &THttpPath::HTTP1Disconnected);
    connect(client, &platform::HttpClient::startTransfer, this, &THttpPath::HTTP1StartTransfer);
    connect(client, &platform::HttpClient::transfer, this, &THttpPath::HTTP1Transfer);
    connect(client, &platform::HttpClient::endTransfer, this, &THttpPath::HTTP1EndTransfer);
    connect(client, &platform::HttpClient::error, this, &THttpPath::HTTP1Error);
    // A coarse timer may end a 10 second wait half a second early.
    host_.httpTimer().setTimerType(Qt::PreciseTimer);
    connect(&host_.httpTimer(), &QTimer::timeout, this, &THttpPath::HTTPTimerTimer);
}

bool THttpPath::IsAcceptedRedirect(const QString& errorText) {
    return errorText == QLatin1String("151: 302 Found") || errorText == QLatin1String("151: 302 Moved Temporarily") ||
           errorText == QLatin1String("151: 302 Document Found");
}

QString THttpPath::HostOf(const QString& url) {
    const qsizetype slashes = url.indexOf(QLatin1String("//"));
    const qsizetype start = slashes < 0 ? 0 : slashes + 2;
    qsizetype end = start;
    while (end < url.size() && url[end] != QLatin1Char(':') && url[end] != QLatin1Char('/'))
        ++end;
    return url.mid(start, end - start);
}

bool THttpPath::HardcodedSiteHandler(bool, const QString&, const QString&) {
    return false;
}

void THttpPath::stop() {
    host_.httpClient().idle();
}

bool THttpPath::SubmitByHttp(bool isNew) {
    host_.xfer().clear();
    host_.xferChanged();

    TEngBuild& engines = host_.engines();
    const SiteEngine& engine = engines.Engine;
    if (engine.httpNewScript.contains(HardcodedMark) || engine.httpUpdateScript.contains(HardcodedMark)) {
        const int row = host_.CurrentRow();
        return HardcodedSiteHandler(isNew, host_.rowCell(row, selection::Category1Col),
                                    host_.rowCell(row, selection::Category2Col));
    }

    platform::HttpClient& client = host_.httpClient();
    TReportsFrm& page = host_.reports();
    const QString site = host_.currentSiteName();
    host_.setHttpStatus(QStringLiteral("Preparing to Post to ") + site);
    client.setContentType(ContentType);

    const QString url = isNew ? engine.httpNewScriptUrl : engine.httpUpdateScriptUrl;
    QString expandedUrl;
    if (!expand(engines, url, expandedUrl))
        expandedUrl = url; // the site may still take the post at the URL as written

    QString script = isNew ? engine.httpNewScript : engine.httpUpdateScript;
    TrimLeadingSpaces(script);
    if (script.isEmpty()) {
        const QString noScript = QStringLiteral("No Engine Script For HTTP Post For: ") + site;
        host_.AddLogLine(noScript);
        page.AddPageLine(noScript);
        host_.AddLogLine(QStringLiteral("Unable to post HTTP to: ") + site);
        return false;
    }
    QString expanded;
    if (!expand(engines, script, expanded)) {
        page.AddPageLine(QStringLiteral("SCRIPT ERROR FOR ") + site);
        host_.AddLogLine(QStringLiteral("Unable to post HTTP to: ") + site);
        return false;
    }

    host_.setHttpStatus(QStringLiteral("HTTP Posting: ") + site);
    const QString formData = SpacesToPercent20(expanded);
    const bool get = engine.httpPostType == HttpMethod::Get;
    const QString requestUrl = get ? LineBreaksToPercent20(expandedUrl + formData) : expandedUrl;
    client.setUrl(requestUrl);
    client.setPostData(get ? QByteArray() : platform::text::toCp1252(formData));
    requestHost_ = HostOf(requestUrl);

    HttpTimedOut = false;
    QTimer& timer = host_.httpTimer();
    page.AddPageLine(QStringLiteral("Post Data:"));
    page.AddPageLine(formData);

    bool sent = false;
    {
        struct Active {
            bool& flag;
            QTimer& timer;
            ~Active() {
                flag = false;
                timer.stop();
            }
        } active{active_, timer};
        active_ = true;
        timer.start();
        sent = get ? client.get() : client.post();
    }

    if (HttpTimedOut) {
        const QString line = QStringLiteral("Posting Error - TIMED OUT!(") + site + QLatin1Char(')');
        host_.AddLogLine(line);
        page.AddPageLine(line);
        client.idle();
        return false;
    }
    if (sent) {
        host_.setHttpStatus(QStringLiteral("Posted on ") + site);
        host_.AddLogLine(QStringLiteral("Completed HTTP Post to: ") + site);
        return finish(true);
    }
    const QString error = client.errorText();
    if (IsAcceptedRedirect(error))
        return finish(true);
    const QString line = QStringLiteral("Posting Error - ") + error + QLatin1Char('(') + site + QLatin1Char(')');
    host_.AddLogLine(line);
    page.AddPageLine(line);
    client.idle();
    QCoreApplication::processEvents();
    return false;
}

bool THttpPath::finish(bool result) {
    host_.setHttpStatus(QStringLiteral("Idle"));
    host_.setMailStatus(QStringLiteral("Idle"));
    host_.setFtpStatus(QStringLiteral("Idle"));
    host_.httpClient().idle();
    // The one moment outside a network wait where a Skip or Cancel click is taken.
    QCoreApplication::processEvents();
    return result;
}

void THttpPath::HTTP1Connected(int code, const QString& description) {
    if (active_)
        host_.reports().AddPageLine(QStringLiteral("Connected to: ") + requestHost_ + bracketed(code, description));
}

void THttpPath::HTTP1Disconnected(int code, const QString& description) {
    if (active_)
        host_.reports().AddPageLine(QStringLiteral("Disconnected: ") + requestHost_ + bracketed(code, description));
}

void THttpPath::HTTP1StartTransfer() {
    if (!active_)
        return;
    host_.reports().AddPageLine(QStringLiteral("Start Transfer: ") + requestHost_);
    host_.xfer().clear();
    host_.xferChanged();
}

void THttpPath::HTTP1Transfer(qint64 bytes, const QByteArray& text) {
    if (!active_)
        return;
    host_.reports().AddPageLine(QStringLiteral("Transfered: ") + QString::number(bytes) + QStringLiteral("bytes"));
    host_.xfer().append(platform::text::fromCp1252(text));
    host_.xferChanged();
    host_.setHttpBytes(QString::number(bytes));
}

void THttpPath::HTTP1EndTransfer() {
    if (!active_)
        return;
    host_.reports().AddPageLine(QStringLiteral("End Transfer: ") + requestHost_);
    host_.scrollLogToEnd();
    host_.setHttpBytes(QString());
}

void THttpPath::HTTP1Error(int code, const QString& description) {
    // A time-out has its own line, and a redirect answer is a done post.
    if (!active_ || HttpTimedOut || IsAcceptedRedirect(description))
        return;
    const QString line = QStringLiteral("ERROR: ") + requestHost_ + bracketed(code, description);
    host_.reports().AddPageLine(line);
    host_.AddLogLine(line);
}

void THttpPath::HTTPTimerTimer() {
    if (!active_)
        return;
    HttpTimedOut = true;
    host_.httpClient().idle();
    host_.httpTimer().stop();
}
