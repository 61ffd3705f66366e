#include "SubmitPage.h"

#include "EmailPath.h"
#include "FtpPath.h"
#include "HttpPath.h"
#include "TALed.h"
#include "TSubmissionVerifyFrm.h"
#include "engines/EngineFiles.h"
#include "model/PageLinks.h"
#include "model/Workspace.h"
#include "platform/Dialogs.h"
#include "selection/SiteSelection.h"

#include <QAbstractListModel>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>

#include <exception>

// The hidden "xfer" list: a view of the response chunks the HTTP path keeps.
class XferModel final : public QAbstractListModel {
public:
    XferModel(const QStringList& lines, QObject* parent) : QAbstractListModel(parent), lines_(lines) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(lines_.size()); }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= lines_.size())
            return {};
        return lines_[index.row()];
    }
    void refresh() {
        beginResetModel();
        endResetModel();
    }

private:
    const QStringList& lines_;
};

namespace {

const QString Idle = QStringLiteral("Idle");

QLabel* caption(QWidget* parent, const char* text, int x, int y, int w) {
    auto* label = new QLabel(QLatin1String(text), parent);
    label->setGeometry(x, y, w, 16);
    return label;
}

QLabel* valueLabel(QWidget* parent, const char* name, int x, int y, int w) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, w, 16);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, const char* hint, int x, int y) {
    auto* b = new QPushButton(QLatin1String(text), parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setGeometry(x, y, 92, 24);
    return b;
}

QListWidget* list(QWidget* parent, const char* name, const QRect& geometry) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setUniformItemSizes(true);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return l;
}

QLCDNumber* panel(QWidget* parent, const char* name, int x, int y) {
    auto* p = new QLCDNumber(3, parent);
    p->setObjectName(QLatin1String(name));
    p->setSegmentStyle(QLCDNumber::Flat);
    p->setGeometry(x, y, 64, 30);
    QPalette colours = p->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, TALed::onColor());
    p->setPalette(colours);
    p->setAutoFillBackground(true);
    p->display(QString());
    return p;
}

TALed* led(QWidget* parent, const char* name, const char* text, int x, int y, int captionWidth) {
    caption(parent, text, x, y, captionWidth);
    auto* l = new TALed(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x + captionWidth, y + 1, 14, 14);
    return l;
}

} // namespace

TSubmitPage::TSubmitPage(Workspace& model, SiteGridRows& grid, RunNeighbours& neighbours, QWidget* parent)
    : QWidget(parent), model_(model), grid_(grid) {
    setObjectName(QStringLiteral("SubmitSheet"));
    createControls();

    http_ = std::make_unique<THttpPath>(*this);
    ftp_ = std::make_unique<TFtpPath>(*this);
    email_ = std::make_unique<TEmailPath>(*this, this);
    driver_ = std::make_unique<TRunDriver>(model_, grid_, neighbours, static_cast<RunPaths&>(*this),
                                           static_cast<RunView&>(*this));
}

TSubmitPage::~TSubmitPage() = default;

void TSubmitPage::createControls() {
    // Left: what the run is doing now, and the FTP list.
    caption(this, "Current:", 8, 6, 76);
    currentsite = valueLabel(this, "currentsite", 86, 6, 202);
    caption(this, "HTTP Status:", 8, 24, 76);
    httpstatus = valueLabel(this, "httpstatus", 86, 24, 202);
    caption(this, "HTTP Bytes:", 8, 42, 76);
    httpbytes = valueLabel(this, "httpbytes", 86, 42, 202);
    caption(this, "Mail Status:", 8, 60, 76);
    mailstatus = valueLabel(this, "mailstatus", 86, 60, 202);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(86, 78, 202, 10);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide(); // shown while a message is being sent
    caption(this, "FTP Status:", 8, 92, 76);
    ftpstatus = valueLabel(this, "ftpstatus", 86, 92, 202);
    ftplist = list(this, "ftplist", QRect(8, 114, 280, 96));

    // Right: lamps, counters, progress and the buttons.
    ftpled = led(this, "ftpled", "FTP:", 300, 6, 30);
    httpled = led(this, "httpled", "HTTP:", 364, 6, 38);
    mailled = led(this, "mailled", "EMAIL:", 436, 6, 44);
    caption(this, "Total To Post:", 300, 28, 120);
    SitesToPostdgt = panel(this, "SitesToPostdgt", 300, 44);
    caption(this, "Total Processed:", 420, 28, 120);
    SitesProcesseddgt = panel(this, "SitesProcesseddgt", 420, 44);
    caption(this, "Total Progress:", 300, 80, 120);
    PostStatus = new QProgressBar(this);
    PostStatus->setObjectName(QStringLiteral("PostStatus"));
    PostStatus->setGeometry(300, 96, 284, 16);
    PostStatus->setRange(0, 1);
    PostStatus->setValue(0);
    PostStatus->setTextVisible(false);

    submitBtn = button(this, "submitBtn", "Save/Submit",
                       "Saves the current app and submits it to all sites marked to post.", 300, 124);
    skip = button(this, "skip", "Skip",
                  "Instructs Postrix to stop posting to this site and go to the next one.  This may take a while "
                  "depending on Postrix's current state.",
                  396, 124);
    cancel = button(this, "cancel", "Cancel",
                    "Instructs Postrix to Cancel this entire submission run.  This can take some time depending on "
                    "Postrix's current state.",
                    492, 124);
    ViewReport =
        button(this, "ViewReport", "View Reports", "View Submission reports with your default web browser.", 300, 154);
    print = button(this, "print", "Print Log", "Print the current log to your printer.", 396, 154);
    exitb = button(this, "exitb", "Exit", "Close Postrix.", 492, 154);
    skip->setEnabled(false);
    cancel->setEnabled(false);

    // Bottom: the run log over the whole width.
    caption(this, "Log:", 8, 214, 60);
    log = list(this, "log", QRect(8, 230, 576, 146));

    xferModel_ = new XferModel(xfer_, this);
    xferView = new QListView(this);
    xferView->setObjectName(QStringLiteral("xfer"));
    xferView->setModel(xferModel_);
    xferView->hide();

    setStatusesIdle();

    connect(submitBtn, &QPushButton::clicked, this, &TSubmitPage::submitBtnClick);
    connect(skip, &QPushButton::clicked, this, &TSubmitPage::skipClick);
    connect(cancel, &QPushButton::clicked, this, &TSubmitPage::cancelClick);
    connect(ViewReport, &QPushButton::clicked, this, &TSubmitPage::ViewReportClick);
    connect(print, &QPushButton::clicked, this, &TSubmitPage::printClick);
    connect(exitb, &QPushButton::clicked, this, &TSubmitPage::exitbClick);
}

// --- RunHost

platform::HttpClient& TSubmitPage::httpClient() {
    return *model_.HTTP1;
}

QTimer& TSubmitPage::httpTimer() {
    return *model_.HTTPTimer;
}

platform::Dialogs& TSubmitPage::dialogs() {
    return model_.dialogs();
}

platform::Clock& TSubmitPage::clock() {
    return model_.clock();
}

QString TSubmitPage::programDir() const {
    return model_.programDir();
}

QString TSubmitPage::filesDir() const {
    return model_.GWide.FilesDir;
}

QString TSubmitPage::fieldText(const QString& objectName) const {
    return model_.fieldText(objectName);
}

TEngBuild& TSubmitPage::engines() {
    return *model_.GWide.EngBuild;
}

TReportsFrm& TSubmitPage::reports() {
    return driver_->reports();
}

void TSubmitPage::AddLogLine(const QString& text) {
    log->addItem(text);
    log->scrollToBottom();
}

void TSubmitPage::AddFtpLine(const QString& text) {
    ftplist->addItem(text);
    ftplist->scrollToBottom();
}

static QStringList linesOf(const QListWidget* list) {
    QStringList lines;
    lines.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QStringList TSubmitPage::ftpLines() const {
    return linesOf(ftplist);
}

QStringList TSubmitPage::logLines() const {
    return linesOf(log);
}

bool TSubmitPage::SkipRequested() const {
    return driver_->SkipRequested();
}

bool TSubmitPage::CancelRequested() const {
    return driver_->CancelRequested();
}

QString TSubmitPage::currentSiteName() const {
    return model_.engineName();
}

int TSubmitPage::CurrentRow() const {
    return driver_->CurrentRow();
}

QString TSubmitPage::rowSite(int row) const {
    return rowCell(row, selection::SiteCol);
}

QString TSubmitPage::rowCell(int row, int column) const {
    return grid_.cell(row, column);
}

void TSubmitPage::setHttpStatus(const QString& text) {
    httpstatus->setText(text);
}
void TSubmitPage::setMailStatus(const QString& text) {
    mailstatus->setText(text);
}
void TSubmitPage::setFtpStatus(const QString& text) {
    ftpstatus->setText(text);
}
void TSubmitPage::setHttpBytes(const QString& text) {
    httpbytes->setText(text);
}
void TSubmitPage::setMailProgress(int percent) {
    ProgressBar1->setValue(qBound(0, percent, 100));
}
void TSubmitPage::setMailProgressVisible(bool visible) {
    ProgressBar1->setVisible(visible);
}
void TSubmitPage::xferChanged() {
    xferModel_->refresh();
}
void TSubmitPage::scrollLogToEnd() {
    log->scrollToBottom();
}

// --- RunPaths

void TSubmitPage::setMailSetup(const QString& server, const QString& address, const QString& name) {
    email_->setMailSetup(server, address, name);
}

bool TSubmitPage::SubmitByFtp() {
    return ftp_->SubmitByFtp();
}

void TSubmitPage::ftpLogOff() {
    ftp_->logOff();
}

bool TSubmitPage::SubmitByHttp(bool isNew) {
    return http_->SubmitByHttp(isNew);
}

bool TSubmitPage::SubmitByEmail(bool isNew, int row, bool isCopy) {
    return email_->SubmitByEmail(isNew, row, isCopy);
}

void TSubmitPage::stopForSkip() {
    ftp_->abort();
    http_->stop();
    if (email_->sending())
        email_->cancel();
}

void TSubmitPage::stopForCancel() {
    http_->stop();
    ftp_->idle();
}

// --- RunView and page state

void TSubmitPage::clearLists() {
    ftplist->clear();
    log->clear();
}

void TSubmitPage::clearFtpList() {
    ftplist->clear();
}

void TSubmitPage::showSite(const QString& site) {
    currentsite->setText(site);
}

void TSubmitPage::setStatusesIdle() {
    httpstatus->setText(Idle);
    mailstatus->setText(Idle);
    ftpstatus->setText(Idle);
}

void TSubmitPage::allLampsOff() {
    for (TALed* l : {ftpled, httpled, mailled}) {
        l->setBlinking(false);
        l->setOn(false);
    }
}

void TSubmitPage::lightOnly(RunLamp lamp) {
    TALed* lit = lamp == RunLamp::Ftp ? ftpled : lamp == RunLamp::Http ? httpled : mailled;
    for (TALed* l : {ftpled, httpled, mailled})
        if (l != lit)
            l->setBlinking(false);
    lit->setOn(true);
    lit->setBlinking(true);
}

void TSubmitPage::siteProcessed(int processed) {
    setPanel(SitesProcesseddgt, processed);
    setSitesToPost(sitesToPost_ - 1);
    PostStatus->setValue(qMin(PostStatus->value() + 1, PostStatus->maximum()));
}

void TSubmitPage::setPanel(QLCDNumber* p, int value) {
    const int shown = qBound(0, value, PanelMaximum);
    if (shown == 0)
        p->display(QString());
    else
        p->display(shown);
}

void TSubmitPage::setSitesToPost(int value) {
    sitesToPost_ = value;
    setPanel(SitesToPostdgt, value);
}

void TSubmitPage::showTally(int totalToPost) {
    setSitesToPost(totalToPost);
    driver_->SitesProcessed = 0;
    setPanel(SitesProcesseddgt, 0);
    // A maximum of 0 would turn the bar into a busy indicator.
    PostStatus->setRange(0, qMax(totalToPost, 1));
    PostStatus->setValue(0);
}

bool TSubmitPage::verifySubmission(const selection::PostStats& stats) {
    TSubmissionVerifyFrm form(stats, window());
    return model_.dialogs().runModal(form) == QDialog::Accepted;
}

bool TSubmitPage::IsEngineCompatible() const {
    return driver_->IsEngineCompatible();
}

void TSubmitPage::SetRunControls(bool running) {
    driver_->SetRunControls(running);
}

void TSubmitPage::showRunControls(bool running) {
    for (QPushButton* b : {submitBtn, ViewReport, print, exitb})
        b->setEnabled(!running);
    skip->setEnabled(running);
    cancel->setEnabled(running);
    if (!running) {
        setSitesToPost(0);
        setPanel(SitesProcesseddgt, 0);
        PostStatus->setValue(0);
    }
}

// --- Handlers

void TSubmitPage::submitBtnClick() {
    driver_->Submit();
}

void TSubmitPage::skipClick() {
    driver_->Skip();
}

void TSubmitPage::cancelClick() {
    driver_->Cancel();
}

void TSubmitPage::ViewReportClick() {
    emit model_.reportsRequested();
}

void TSubmitPage::printClick() {
    platform::Dialogs& dialogs = model_.dialogs();
    if (log->count() == 0) {
        dialogs.beep();
        dialogs.message(QStringLiteral("You do not have a log to print."));
        return;
    }
    dialogs.printLines(QStringLiteral("Postrix Log"), linesOf(log));
}

void TSubmitPage::exitbClick() {
    window()->close();
}
