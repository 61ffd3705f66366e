#pragma once

#include <QDialog>

class QPushButton;

namespace platform {
class Dialogs;
}

// The About box. Its tiny "&D" button (Alt+D) closes it and asks the main
// window to open the engine checker.
class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    TAboutBox(platform::Dialogs& dialogs, QString makerHomePage, QWidget* parent = nullptr);

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* MassBtn;

    bool massButtonPressed() const { return massPressed_; }

private:
    platform::Dialogs& dialogs_;
    QString makerHomePage_;
    bool massPressed_ = false;
};

// The product picture of the splash and the About box, drawn at the given size.
QPixmap productPicture(int width, int height);
