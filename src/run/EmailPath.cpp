#include "EmailPath.h"

#include "RunHost.h"

TEmailPath::TEmailPath(RunHost& host) : host_(host) {}
TEmailPath::~TEmailPath() = default;

void TEmailPath::setMailSetup(const QString&, const QString&, const QString&) {}

bool TEmailPath::SubmitByEmail(bool, int, bool)
{
    host_.AddLogLine(QStringLiteral("Unable to post EMAIL to: ") + host_.currentSiteName());
    return false;
}

void TEmailPath::cancel() {}
bool TEmailPath::sending() const { return false; }
