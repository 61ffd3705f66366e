#pragma once

#include <QString>

// The mail settings every message of a run is sent with; filled from the
// program settings ("SMTP", "EMAIL", "NAME") at every run start.
struct MailSetup {
    QString server;  // "host" or "host:port"
    QString address; // sender address
    QString name;    // sender name

    bool operator==(const MailSetup&) const = default;
};
