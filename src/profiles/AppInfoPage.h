#pragma once

#include <QWidget>

class QListWidget;
class TMainFrm;

// The "App Info" page with its inner pages "General", "Locations" and "Description".
class TAppInfoPage final : public QWidget {
    Q_OBJECT
public:
    explicit TAppInfoPage(TMainFrm& main, QWidget* parent = nullptr);

    QListWidget* AppName;

    QString appName() const;
    // Selects the first entry of the application list and loads it (no-op when empty).
    void selectFirstApp();
    void LoadApp();
    void SaveApp();
    void SaveAppBtnClick();
    void NewApplication();
    void DeleteApplication();
    void ClearAppFields();
    // The help context of the inner page shown (1001 .. 1003).
    int helpContext() const;

private:
    TMainFrm& main_;
};
