#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class Workspace;

// The Settings dialog: mail sender, proxy, FTP retries and HTTP time-out.
class TSettingsForm final : public QDialog {
    Q_OBJECT
public:
    TSettingsForm(Workspace& model, QWidget* parent);

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
    Workspace& model_;
};
