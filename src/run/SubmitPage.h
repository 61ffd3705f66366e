#pragma once

#include <QWidget>

class TMainFrm;

// The "Submit" page: the run's controls, LEDs, counters and logs.
class TSubmitPage final : public QWidget {
    Q_OBJECT
public:
    explicit TSubmitPage(TMainFrm& main, QWidget* parent = nullptr);

private:
    TMainFrm& main_;
};
