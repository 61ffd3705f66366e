#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTreeWidget;

// The variable list: a window that stays on top of the main window without
// blocking it, and puts the chosen variable into the memo or edit that was
// last active in the main window.
class TVarsForm final : public QDialog {
    Q_OBJECT
public:
    // anchor: a widget of the window where the variable goes; parent: the owner of this window.
    TVarsForm(QWidget& anchor, QWidget* parent);

    QTreeWidget* VarListBox;
    QPushButton* UseBtn;
    QPushButton* CloseBtn;

    // The entries, "variable|list text", in the order of the list.
    static QStringList variableLines();

    // The first column of the selected entry; empty when nothing is selected.
    QString selectedVariable() const;

    void UseBtnClick();
    void CloseBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& main_;
};

// Replaces the selection of target (or inserts at its caret) with text when
// target is a memo or a one-line edit that takes typing; false otherwise.
bool insertIntoEditor(QWidget* target, const QString& text);
