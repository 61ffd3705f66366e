#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace selection {
struct PostStats;
}

// The last question before a run: what the tally will post, with "Start
// Posting!" and "Cancel Posting".
class TSubmissionVerifyFrm final : public QDialog {
    Q_OBJECT
public:
    explicit TSubmissionVerifyFrm(const selection::PostStats& stats, QWidget* parent = nullptr);

    QLabel* TotalLbl;
    QLabel* NewLbl;
    QLabel* UpdateLbl;
    QLabel* HTTPLbl;
    QLabel* FTPLbl;
    QLabel* FTPwZIPSlbl;
    QLabel* EmailLbl;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};
