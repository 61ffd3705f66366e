#pragma once

#include "engines/ExpanderSource.h"

class QWidget;
class TAppInfoPage;
class TSitesPage;
class Workspace;

// The expander's view of the main window: every value is read from the
// controls at the moment it is asked for, so unsaved edits count. window:
// where the controls are found by their object names.
class MainExpanderSource final : public ExpanderSource {
public:
    MainExpanderSource(const QWidget& window, const Workspace& model, const TAppInfoPage& app,
                       const TSitesPage& sites)
        : window_(window), model_(model), app_(app), sites_(sites) {}

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

    const QWidget& window_;
    const Workspace& model_;
    const TAppInfoPage& app_;
    const TSitesPage& sites_;
};
