#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TMainFrm;

// The Settings dialog: mail sender, proxy, FTP retries and HTTP time-out.
class TSettingsForm final : public QDialog {
    Q_OBJECT
public:
    explicit TSettingsForm(TMainFrm& main);

    QTabWidget* MailSendingPageControl;
    QLineEdit* smtpedit;
    QLineEdit* emailedit;
    QLineEdit* nameedit;
    QLineEdit* proxyedit;
    QLineEdit* portedit;
    QSpinBox* MaxRetrySpin;
    QSpinBox* HTTPTimeOutSpin;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    void FormCreate();
    void OkBtnClick();

private:
    TMainFrm& main_;
};
