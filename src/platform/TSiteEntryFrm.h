#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The one-line name entry dialog (new company, application or site name).
class TSiteEntryFrm final : public QDialog {
    Q_OBJECT
public:
    explicit TSiteEntryFrm(QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};
