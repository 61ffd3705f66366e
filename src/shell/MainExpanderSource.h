#pragma once

#include "engines/ExpanderSource.h"

class TMainFrm;

// The expander's view of the main window: every value is read from the
// controls at the moment it is asked for, so unsaved edits count.
class MainExpanderSource final : public ExpanderSource {
public:
    explicit MainExpanderSource(const TMainFrm& main) : main_(main) {}

    QString companyField(CompanyField field) const override;
    QString appField(AppField field) const override;
    QString engineSiteName() const override;
    ByteFormat engineByteFormat() const override;
    bool engineUsesCategory(int which) const override;
    QStringList engineCategoryLines(int which) const override;
    QString fieldTranslation(Translation translation) const override;
    QString selectedCategoryLabel(int which) const override;
    QString controlText(const QString& objectName) const override;

private:
    QString text(const char* objectName) const;
    bool checked(const char* objectName) const;

    const TMainFrm& main_;
};
