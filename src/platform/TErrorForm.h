#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program's error dialog: a title line, the message (word-wrapped) and an
// instruction, with one "&Ok" button.
class TErrorForm final : public QDialog {
    Q_OBJECT
public:
    explicit TErrorForm(QWidget* parent = nullptr);

    QLabel* LblLine1;
    QLabel* LblLine2;
    QLabel* InstructionLbl;
    QPushButton* OkBtn;

    void setTexts(const QString& title, const QString& message, const QString& instruction);

protected:
    void showEvent(QShowEvent* event) override;
};
