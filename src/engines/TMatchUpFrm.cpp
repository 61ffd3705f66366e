#include "engines/TMatchUpFrm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TMatchUpFrm::TMatchUpFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MatchUpFrm"));
    setWindowTitle(QStringLiteral("Field Translations"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Two columns of nine: platform and submitted-by words on the left,
    // status and install words on the right.
    constexpr int rows = 9, labelWidth = 134, editWidth = 150, rowHeight = 26, columnWidth = 300;
    for (const TranslationInfo& info : translationTable()) {
        const int i = static_cast<int>(info.id);
        const int x = 8 + (i / rows) * columnWidth, y = 10 + (i % rows) * rowHeight;
        const QString word = QString::fromUtf16(info.fixedWord);
        auto* label = new QLabel(word + QLatin1Char(':'), this);
        label->setGeometry(x, y, labelWidth, 21);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(word, this);
        // "MUF_Windows31" names the edit "Windows31Edit".
        edit->setObjectName(QString::fromUtf16(info.key).mid(4) + QStringLiteral("Edit"));
        edit->setGeometry(x + labelWidth + 6, y, editWidth, 21);
        edit->setMaxLength(1023);
        label->setBuddy(edit);
        edits_[i] = edit;
    }

    OkBtn = new QPushButton(QStringLiteral("&Ok"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    const int width = 8 + 2 * columnWidth - 4;
    OkBtn->setGeometry(width - 88, 10 + rows * rowHeight + 6, 80, 25);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(width, 10 + rows * rowHeight + 40);
}

void TMatchUpFrm::fill(const FieldTranslations& translations) {
    for (const TranslationInfo& info : translationTable())
        edit(info.id)->setText(translations.value(info.id));
}

void TMatchUpFrm::store(FieldTranslations& translations) const {
    for (const TranslationInfo& info : translationTable())
        translations.set(info.id, edit(info.id)->text());
}
