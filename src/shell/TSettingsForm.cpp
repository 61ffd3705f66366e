#include "TSettingsForm.h"

#include "model/Settings.h"
#include "model/Workspace.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLineEdit* edit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QGroupBox* group(const char* caption, QWidget* content)
{
    auto* box = new QGroupBox(QString::fromUtf8(caption));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->addWidget(content);
    return box;
}

QSpinBox* spin(QWidget* parent, const char* name, int low, int high, int initial)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(low, high);
    s->setSingleStep(1);
    s->setValue(initial);
    s->setFixedWidth(52);
    return s;
}

} // namespace

TSettingsForm::TSettingsForm(Workspace& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    MailSendingPageControl = new QTabWidget(this);
    MailSendingPageControl->setObjectName(QStringLiteral("MailSendingPageControl"));
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("SettingsSheet"));
    MailSendingPageControl->addTab(page, QStringLiteral("Settings"));

    smtpedit = edit(page, "smtpedit");
    emailedit = edit(page, "emailedit");
    nameedit = edit(page, "nameedit");
    proxyedit = edit(page, "proxyedit");
    portedit = edit(page, "portedit");
    portedit->setText(QStringLiteral("80"));
    portedit->setFixedWidth(60);
    MaxRetrySpin = spin(page, "MaxRetrySpin", 0, 50, 3);
    HTTPTimeOutSpin = spin(page, "HTTPTimeOutSpin", 10, 60, 60);

    auto* proxy = new QWidget;
    auto* proxyRow = new QHBoxLayout(proxy);
    proxyRow->setContentsMargins(0, 0, 0, 0);
    proxyRow->addWidget(proxyedit, 1);
    proxyRow->addWidget(new QLabel(QStringLiteral("Proxy Port:")));
    proxyRow->addWidget(portedit);
    auto* retries = new QWidget;
    auto* retriesRow = new QHBoxLayout(retries);
    retriesRow->setContentsMargins(0, 0, 0, 0);
    retriesRow->addWidget(new QLabel(QStringLiteral("Maximum retries if contact failure:")));
    retriesRow->addWidget(MaxRetrySpin);
    retriesRow->addStretch();
    auto* timeout = new QWidget;
    auto* timeoutRow = new QHBoxLayout(timeout);
    timeoutRow->setContentsMargins(0, 0, 0, 0);
    timeoutRow->addWidget(new QLabel(QStringLiteral("Time out Seconds:")));
    timeoutRow->addWidget(HTTPTimeOutSpin);
    timeoutRow->addStretch();

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setSpacing(2);
    pageLayout->addWidget(group("Your SMTP Server:", smtpedit));
    pageLayout->addWidget(group("Your E-Mail Address:", emailedit));
    pageLayout->addWidget(group("Your Name:", nameedit));
    pageLayout->addWidget(group("Proxy Server (If any):", proxy));
    pageLayout->addWidget(group("FTP Settings:", retries));
    pageLayout->addWidget(group("HTTP Settings:", timeout));

    OkBtn = new QPushButton(QStringLiteral("Ok"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OkBtn, &QPushButton::clicked, this, &TSettingsForm::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MailSendingPageControl);
    layout->addLayout(buttons);
    setFixedWidth(330);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

void TSettingsForm::FormCreate()
{
    ::Settings& s = model_.Settings;
    settings_file::readSeven(model_.settingsPath(), s);
    model_.HTTPTimer->setInterval(s.HTTPTimeOut * 1000);
    model_.applyHttpSettings(settings_file::startupPort(s.PORT));
    smtpedit->setText(s.SMTP);
    emailedit->setText(s.EMAIL);
    nameedit->setText(s.NAME);
    proxyedit->setText(s.PROXY);
    portedit->setText(s.PORT);
    MaxRetrySpin->setValue(s.FTPRetries);     // the spin clamps to 0..50
    HTTPTimeOutSpin->setValue(s.HTTPTimeOut);  // and to 10..60
}

void TSettingsForm::OkBtnClick()
{
    ::Settings& s = model_.Settings;
    s.SMTP = smtpedit->text();
    s.EMAIL = emailedit->text();
    s.NAME = nameedit->text();
    s.PROXY = proxyedit->text();
    s.PORT = portedit->text();
    s.FTPRetries = MaxRetrySpin->value();
    s.HTTPTimeOut = HTTPTimeOutSpin->value();
    settings_file::writeSeven(model_.settingsPath(), s);
    // A bad port stops here with the conversion error; the keys are already saved.
    model_.applyHttpSettings(settings_file::strictPort(s.PORT));
    model_.HTTPTimer->setInterval(s.HTTPTimeOut * 1000);
    accept();
}
