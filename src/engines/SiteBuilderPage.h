#pragma once

#include <QWidget>

class QComboBox;
class TMainFrm;

// The "Site Builder" page: the editor of the current site engine.
class TSiteBuilderPage final : public QWidget {
    Q_OBJECT
public:
    explicit TSiteBuilderPage(TMainFrm& main, QWidget* parent = nullptr);

    QComboBox* EB_SiteNameCombo;

    void EB_SiteNameComboChange();
    void EB_UpdateSiteBtnClick();
    // The engine object has (re)loaded the site lists: show them.
    void siteListsLoaded();

private:
    TMainFrm& main_;
};
