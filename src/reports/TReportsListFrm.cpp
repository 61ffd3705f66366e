#include "TReportsListFrm.h"

#include "TReportsFrm.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString NoReportsText = QStringLiteral("No Reports Found");

} // namespace

TReportsListFrm::TReportsListFrm(QString reportsDir, platform::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), reportsDir_(std::move(reportsDir)), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TReportsListFrm"));
    setWindowTitle(QStringLiteral("Submission Reports"));

    RepListBox = new QListWidget(this);
    RepListBox->setObjectName(QStringLiteral("RepListBox"));
    RepListBox->setSelectionMode(QAbstractItemView::SingleSelection);

    const auto makeButton = [this](const char* name, const char* caption) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    GoBtn = makeButton("GoBtn", "GO");
    UpBtn = makeButton("UpBtn", "UP");
    DeleteBtn = makeButton("DeleteBtn", "Delete");
    CancelBtn = makeButton("CancelBtn", "Cancel");
    GoBtn->setDefault(true);
    UpBtn->setEnabled(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(GoBtn);
    buttons->addWidget(UpBtn);
    buttons->addStretch();
    buttons->addWidget(DeleteBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(RepListBox, 1);
    layout->addLayout(buttons);
    resize(380, 280);

    connect(GoBtn, &QPushButton::clicked, this, &TReportsListFrm::GoBtnClick);
    connect(UpBtn, &QPushButton::clicked, this, &TReportsListFrm::UpBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TReportsListFrm::DeleteBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(RepListBox, &QListWidget::itemDoubleClicked, this, &TReportsListFrm::GoBtnClick);

    FormCreate();
}

void TReportsListFrm::ShowReports(const QString& reportsDir, platform::Dialogs& dialogs, QWidget* parent) {
    TReportsListFrm form(reportsDir, dialogs, parent);
    if (form.NoReports()) {
        dialogs.beep();
        dialogs.message(NoReportsText);
        return;
    }
    dialogs.runModal(form);
}

void TReportsListFrm::FormCreate() {
    noReports_ = false;
    if (listFolder(reportsDir_) == 0)
        noReports_ = true;
    atRunLevel_ = false;
}

void TReportsListFrm::FormShow() {
    selectFirst();
}

void TReportsListFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TReportsListFrm::GoBtnClick() {
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    UpBtn->setEnabled(true);
    if (atRunLevel_) {
        const QString page = reportsDir_ + selectedApp_ + QLatin1Char('/') + name + QStringLiteral("/MainReport.htm");
        try {
            dialogs_.openUrl(ReportFileLink(page));
        } catch (const platform::FileError& error) {
            // Shown like any error that ends a handler; the dialog stays open.
            dialogs_.exceptionBox(error.message());
            return;
        }
        accept();
        return;
    }
    selectedApp_ = name;
    if (listFolder(reportsDir_ + selectedApp_) > 0) {
        atRunLevel_ = true;
    } else {
        dialogs_.beep();
        dialogs_.message(NoReportsText);
        listApplications();
    }
    selectFirst();
}

void TReportsListFrm::UpBtnClick() {
    atRunLevel_ = false;
    UpBtn->setEnabled(false);
    listApplications();
    selectFirst();
}

void TReportsListFrm::DeleteBtnClick() {
    const QString name = selectedName();
    if (RepListBox->count() == 0 || name.isEmpty())
        return;
    if (atRunLevel_) {
        dialogs_.beep();
        if (dialogs_.yesNo(QStringLiteral("Delete the selected report?")) != platform::Dialogs::Answer::Yes)
            return;
        removeFolder(reportsDir_ + selectedApp_ + QLatin1Char('/') + name);
        if (listFolder(reportsDir_ + selectedApp_) > 0)
            selectFirst();
        else
            UpBtnClick(); // the application folder stays, even when empty
        return;
    }
    dialogs_.beep();
    if (dialogs_.yesNo(QStringLiteral("Delete all reports for selected site?")) != platform::Dialogs::Answer::Yes)
        return;
    const QString appFolder = reportsDir_ + name;
    for (const platform::files::Entry& entry : platform::files::listDirectory(appFolder)) {
        if (entry.isDirectory)
            removeFolder(appFolder + QLatin1Char('/') + entry.name);
    }
    platform::files::deleteDirectory(appFolder);
    listApplications();
    if (RepListBox->count() > 0)
        selectFirst();
    else
        reject();
}

int TReportsListFrm::listFolder(const QString& folder) {
    RepListBox->clear();
    for (const platform::files::Entry& entry : platform::files::listDirectory(folder)) {
        if (entry.isDirectory)
            RepListBox->addItem(entry.name);
    }
    return RepListBox->count();
}

void TReportsListFrm::listApplications() {
    listFolder(reportsDir_);
}

void TReportsListFrm::selectFirst() {
    if (RepListBox->count() > 0)
        RepListBox->setCurrentRow(0);
}

QString TReportsListFrm::selectedName() const {
    const QListWidgetItem* item = RepListBox->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TReportsListFrm::removeFolder(const QString& folder) {
    // Failures are ignored: a locked file or a sub-folder keeps the folder,
    // and it shows up again in the next listing.
    for (const platform::files::Entry& entry : platform::files::listDirectory(folder)) {
        if (!entry.isDirectory)
            platform::files::deleteFile(folder + QLatin1Char('/') + entry.name);
    }
    platform::files::deleteDirectory(folder);
}
