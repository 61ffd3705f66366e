#include "TSubmissionVerifyFrm.h"

#include "selection/SiteSelection.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSubmissionVerifyFrm::TSubmissionVerifyFrm(const selection::PostStats& stats, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SubmissionVerifyFrm"));
    setWindowTitle(QStringLiteral("Submission Verification:"));

    auto* intro = new QLabel(
        QStringLiteral("  Postrix will submit using the settings you have chosen on the \"Sites\" tab page."));
    intro->setObjectName(QStringLiteral("Label1"));
    intro->setWordWrap(true);
    intro->setFixedWidth(270);

    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(8);
    numbers->setVerticalSpacing(2);
    int row = 0;
    auto add = [&](const char* objectName, const char* caption, int value) {
        auto* label = new QLabel(QLatin1String(caption));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* number = new QLabel(QString::number(value));
        number->setObjectName(QLatin1String(objectName));
        numbers->addWidget(label, row, 0);
        numbers->addWidget(number, row, 1);
        ++row;
        return number;
    };
    TotalLbl = add("TotalLbl", "Total Sites:", stats.TotalToPost);
    NewLbl = add("NewLbl", "New:", stats.NewCount);
    UpdateLbl = add("UpdateLbl", "Update:", stats.UpdateCount);
    HTTPLbl = add("HTTPLbl", "HTTP:", stats.HttpCount);
    FTPLbl = add("FTPLbl", "FTP:", stats.FtpCount);
    FTPwZIPSlbl = add("FTPwZIPSlbl", "FTP w/Zips:", stats.FtpZipCount);
    EmailLbl = add("EmailLbl", "EMAIL:", stats.EmailCount);
    numbers->setColumnStretch(1, 1);
    QFont bold = TotalLbl->font();
    bold.setBold(true);
    TotalLbl->setFont(bold);

    OkBtn = new QPushButton(QStringLiteral("Start Posting!"));
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel Posting"));
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(numbers);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
