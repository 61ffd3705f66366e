#pragma once

#include <QString>

class QWidget;
class RunHost;

// The e-mail submission of one site and the copy to the company contact.
class TEmailPath final {
public:
    explicit TEmailPath(RunHost& host);
    ~TEmailPath();

    // Filled at every run start from the settings (server, sender address, sender name).
    void setMailSetup(const QString& server, const QString& address, const QString& name);

    bool SubmitByEmail(bool isNew, int row, bool isCopy);
    // Skip: cancels a message being prepared or sent.
    void cancel();
    bool sending() const;

private:
    RunHost& host_;
};
