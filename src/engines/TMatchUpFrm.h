#pragma once

#include "engines/SiteEngine.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

// The Field Translations dialog: one edit per fixed word of the application
// page, holding the word the site uses in its place.
class TMatchUpFrm final : public QDialog {
    Q_OBJECT
public:
    explicit TMatchUpFrm(QWidget* parent = nullptr);

    // Windows31Edit ... InstallUninstallEdit, in the order of the translations.
    QLineEdit* edit(Translation translation) const { return edits_[static_cast<int>(translation)]; }
    QPushButton* OkBtn;

    void fill(const FieldTranslations& translations);
    void store(FieldTranslations& translations) const;

private:
    std::array<QLineEdit*, TranslationCount> edits_{};
};
