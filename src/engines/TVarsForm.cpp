#include "engines/TVarsForm.h"

#include "engines/Expander.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

bool insertIntoEditor(QWidget* target, const QString& text) {
    if (!target || !target->isEnabled())
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        // The edit inside a choice box or a number box is not a text field of its own.
        QWidget* owner = edit->parentWidget();
        if (edit->isReadOnly() || qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractSpinBox*>(owner))
            return false;
        edit->insert(text);
        return true;
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(target)) {
        if (memo->isReadOnly())
            return false;
        memo->insertPlainText(text);
        return true;
    }
    if (auto* memo = qobject_cast<QTextEdit*>(target)) {
        if (memo->isReadOnly())
            return false;
        memo->insertPlainText(text);
        return true;
    }
    return false;
}

QStringList TVarsForm::variableLines() {
    QStringList lines;
    for (const ScriptVariable& v : scriptVariables())
        lines << v.variable + QLatin1Char('|') + v.listText;
    return lines;
}

TVarsForm::TVarsForm(QWidget& anchor, QWidget* parent) : QDialog(parent), main_(anchor) {
    setObjectName(QStringLiteral("VarsForm"));
    setWindowTitle(QStringLiteral("SiteBuilder Variables"));
    // A tool window: above its main window, never blocking it.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setModal(false);
    setFixedSize(452, 330);

    VarListBox = new QTreeWidget(this);
    VarListBox->setObjectName(QStringLiteral("VarListBox"));
    VarListBox->setGeometry(6, 6, 440, 286);
    VarListBox->setColumnCount(2);
    VarListBox->setHeaderHidden(true);
    VarListBox->setRootIsDecorated(false);
    VarListBox->setIndentation(0);
    VarListBox->setUniformRowHeights(true);
    VarListBox->setAllColumnsShowFocus(true);
    VarListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    VarListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    VarListBox->header()->setStretchLastSection(true);
    QList<QTreeWidgetItem*> items;
    for (const QString& line : variableLines()) {
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        items << new QTreeWidgetItem(QStringList{line.left(bar), line.mid(bar + 1)});
    }
    VarListBox->addTopLevelItems(items);
    VarListBox->resizeColumnToContents(0);
    VarListBox->header()->resizeSection(0, VarListBox->header()->sectionSize(0) + 12);
    VarListBox->installEventFilter(this);

    UseBtn = new QPushButton(QStringLiteral("Use Selected"), this);
    UseBtn->setObjectName(QStringLiteral("UseBtn"));
    UseBtn->setGeometry(268, 298, 92, 25);
    UseBtn->setAutoDefault(false);
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(366, 298, 80, 25);
    CloseBtn->setAutoDefault(false);

    connect(UseBtn, &QPushButton::clicked, this, &TVarsForm::UseBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TVarsForm::CloseBtnClick);
    connect(VarListBox, &QTreeWidget::itemDoubleClicked, this, &TVarsForm::UseBtnClick);
}

QString TVarsForm::selectedVariable() const {
    const QList<QTreeWidgetItem*> selected = VarListBox->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(0);
}

void TVarsForm::UseBtnClick() {
    const QString variable = selectedVariable();
    if (variable.isEmpty())
        return;
    // The main window keeps its focus widget while this window is active:
    // that is the control the user was writing in.
    QWidget* mainWindow = main_.window();
    QWidget* target = mainWindow->focusWidget();
    insertIntoEditor(target, variable);
    mainWindow->activateWindow();
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

void TVarsForm::CloseBtnClick() {
    close();
}

void TVarsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (VarListBox->topLevelItemCount() > 0)
        VarListBox->setCurrentItem(VarListBox->topLevelItem(0));
    VarListBox->setFocus(Qt::OtherFocusReason);
}

bool TVarsForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == VarListBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            UseBtnClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
