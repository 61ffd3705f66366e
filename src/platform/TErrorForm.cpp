#include "TErrorForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TErrorForm::TErrorForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ErrorForm"));
    setWindowTitle(QStringLiteral("ERROR"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setModal(true);

    LblLine1 = new QLabel(this);
    LblLine1->setObjectName(QStringLiteral("LblLine1"));
    QFont bold = LblLine1->font();
    bold.setBold(true);
    LblLine1->setFont(bold);
    LblLine2 = new QLabel(this);
    LblLine2->setObjectName(QStringLiteral("LblLine2"));
    LblLine2->setWordWrap(true);
    LblLine2->setMinimumWidth(320);
    InstructionLbl = new QLabel(this);
    InstructionLbl->setObjectName(QStringLiteral("InstructionLbl"));
    InstructionLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    OkBtn = new QPushButton(QStringLiteral("&Ok"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblLine1);
    layout->addWidget(LblLine2);
    layout->addSpacing(8);
    layout->addWidget(InstructionLbl);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TErrorForm::setTexts(const QString& title, const QString& message, const QString& instruction)
{
    LblLine1->setText(title);
    LblLine2->setText(message);
    InstructionLbl->setText(instruction);
}

void TErrorForm::showEvent(QShowEvent* event)
{
    if (InstructionLbl->text().isEmpty())
        InstructionLbl->setText(QStringLiteral("Please click OK to continue..."));
    QDialog::showEvent(event);
}
