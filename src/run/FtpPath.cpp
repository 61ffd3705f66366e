#include "FtpPath.h"

#include "RunHost.h"

TFtpPath::TFtpPath(RunHost& host) : host_(host) {}
TFtpPath::~TFtpPath() = default;

bool TFtpPath::SubmitByFtp()
{
    host_.AddFtpLine(QStringLiteral("FTP upload is not available"));
    return false;
}

void TFtpPath::logOff() {}
void TFtpPath::abort() {}
void TFtpPath::idle() {}
