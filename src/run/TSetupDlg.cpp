#include "TSetupDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSetupDlg::TSetupDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetupDlg"));
    setWindowTitle(QStringLiteral("Setup"));
    setModal(true);

    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(255);
        e->setMinimumWidth(260);
        return e;
    };
    ServerEdit = edit("ServerEdit");
    UserAddressEdit = edit("UserAddressEdit");
    UserNameEdit = edit("UserNameEdit");

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("SMTP Server"), ServerEdit);
    form->addRow(QStringLiteral("EMail address"), UserAddressEdit);
    form->addRow(QStringLiteral("Name"), UserNameEdit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(OkBtn, &QPushButton::clicked, this, &TSetupDlg::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetupDlg::setSetup(const MailSetup& setup) {
    setup_ = setup;
    ServerEdit->setText(setup.server);
    UserAddressEdit->setText(setup.address);
    UserNameEdit->setText(setup.name);
}

void TSetupDlg::OkBtnClick() {
    setup_ = {ServerEdit->text(), UserAddressEdit->text(), UserNameEdit->text()};
    accept();
}
