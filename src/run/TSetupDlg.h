#pragma once

#include "MailSetup.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The mail setup dialog: holds the run's MailSetup and shows it for editing
// when a message is about to go out without a server.
class TSetupDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TSetupDlg(QWidget* parent = nullptr);

    QLineEdit* ServerEdit;
    QLineEdit* UserAddressEdit;
    QLineEdit* UserNameEdit;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    const MailSetup& Setup() const { return setup_; }
    // Sets the record and the controls.
    void setSetup(const MailSetup& setup);

    void OkBtnClick();

private:
    MailSetup setup_;
};
