#include "FtpPath.h"

#include "RunHost.h"
#include "TftpForm1.h"
#include "engines/EngineFiles.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"
#include "platform/TextFile.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>
#include <exception>

namespace files = platform::files;

const QString TFtpPath::TempTextFile = QStringLiteral("FTP_Parse_Temp.tmp");

namespace {

qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

// The extension with its dot; empty when the file name has no dot.
QString extensionOf(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > lastSeparator(path) ? path.mid(dot) : QString();
}

QString fileNameOf(const QString& path) {
    return path.mid(lastSeparator(path) + 1);
}

QString withExtension(const QString& name, const QString& extension) {
    return name.left(name.size() - extensionOf(name).size()) + extension;
}

// The added text file's name comes from an engine and the profile; it must
// name a file inside the files folder, never one elsewhere.
bool isBareFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

} // namespace

TFtpPath::TFtpPath(RunHost& host) : host_(host), form_(std::make_unique<TftpForm1>(host, FtpFailed)) {}

TFtpPath::~TFtpPath() = default;

QString TFtpPath::fieldText(const char* objectName) const {
    return host_.fieldText(QLatin1String(objectName));
}

QString TFtpPath::filesDir() const {
    return host_.filesDir();
}

QString TFtpPath::expandedOrAsWritten(const QString& text) {
    TEngBuild& engines = host_.engines();
    try {
        const QString expanded = engines.ExpandVariables(text, true);
        return engines.ExpandFailed ? text : expanded;
    } catch (const std::exception&) {
        return text;
    }
}

bool TFtpPath::SubmitByFtp() {
    FtpFailed = false;
    form_->Button3Click(); // a connection left open by an earlier attempt
    const QString site = host_.currentSiteName();
    host_.setFtpStatus(QStringLiteral("logging on to ") + site);

    const SiteEngine engine = host_.engines().Engine;
    form_->tHost->setText(engine.ftpServer);
    form_->tUser->setText(expandedOrAsWritten(engine.loginName));
    form_->tPasswd->setText(expandedOrAsWritten(engine.loginPassword));
    form_->eRemoteFile->clear();
    if (!logOn() || FtpFailed)
        return false;

    QString remotePath = engine.remotePath;
    if (remotePath.startsWith(QLatin1Char('\\')))
        remotePath.remove(0, 1);
    remotePath = expandedOrAsWritten(remotePath);

    const bool textFileReady = MakeAddedTextFile();
    const QString localPath = fieldText("localpath");
    const bool archiveIsZip = extensionOf(localPath).toUpper() == QLatin1String(".ZIP");

    if (!engine.useZipFile && !archiveIsZip) {
        const QString name =
            engine.use8x3FileName ? fieldText("char8name") + extensionOf(fieldText("filename")) : fieldText("filename");
        form_->eLocalFile->setText(localPath);
        form_->eRemoteFile->setText(remotePath + name);
        form_->TransferMode = platform::FtpClient::Mode::Binary;
        host_.AddFtpLine(QStringLiteral("Sending File -> ") + form_->eRemoteFile->text());
        if (!UploadFile()) {
            failedUpload();
            return false;
        }
        host_.AddLogLine(QStringLiteral("Uploaded ") + form_->eRemoteFile->text() + QStringLiteral(" to ") + site);
        return textFileReady ? uploadTextFile(remotePath) : true;
    }

    const QString zipName = archiveIsZip            ? fileNameOf(localPath)
                            : engine.use8x3FileName ? fieldText("char8name") + QStringLiteral(".zip")
                                                    : withExtension(fileNameOf(localPath), QStringLiteral(".zip"));
    bool textInZip = false;
    if (!prepareZip(zipName, archiveIsZip, textFileReady, textInZip))
        return false;

    form_->eLocalFile->setText(filesDir() + zipName);
    form_->eRemoteFile->setText(remotePath + zipName);
    form_->TransferMode = platform::FtpClient::Mode::Binary;
    host_.AddFtpLine(QStringLiteral("Sending File -> ") + form_->eRemoteFile->text());
    if (!UploadFile()) {
        failedUpload();
        return false;
    }
    host_.AddLogLine(QStringLiteral("Uploaded ") + zipName + QStringLiteral(" to ") + site);
    // "Both" sends the text file inside the zip and beside it.
    const bool separately = textFileReady && (!textInZip || engine.addedText == AddedText::Both);
    return separately ? uploadTextFile(remotePath) : true;
}

bool TFtpPath::logOn() {
    FtpFailed = false;
    const platform::FtpResult result = form_->Button2Click();
    if (!result) {
        LastFtpError = result.message;
        FtpFailed = true;
        host_.AddFtpLine(QStringLiteral("EXCEPTION: ") + result.message);
    }
    return !FtpFailed;
}

bool TFtpPath::prepareZip(const QString& zipName, bool archiveIsZip, bool textFileReady, bool& textInZip) {
    const QString localPath = fieldText("localpath");
    const QString zipPath = filesDir() + zipName;
    bool archiveInPlace = false;
    if (!archiveIsZip) {
        host_.AddFtpLine(QStringLiteral("Zipping File: ") + zipPath);
        // A zip left by an earlier attempt or run still holds what it held
        // then (an older archive, another site's text file): start afresh.
        files::deleteFile(zipPath);
        if (!ZipMaster1.addFile(zipPath, localPath))
            return false;
    } else {
        // The archive may already lie where its copy would go: deleting the
        // "old copy" would then delete the archive itself.
        archiveInPlace = sameFile(localPath, zipPath);
        if (!archiveInPlace)
            files::deleteFile(zipPath);
        host_.AddFtpLine(QStringLiteral("Prepairing Zip File: ") + zipPath);
        if (!archiveInPlace && !files::copyFile(localPath, zipPath))
            return false;
    }
    if (!files::fileExists(zipPath))
        return false;

    const AddedText added = host_.engines().Engine.addedText;
    const QString textPath = filesDir() + AddedTextName;
    // The user's own archive is sent as it is; its text file then goes beside it.
    if ((added == AddedText::IncludeInZip || added == AddedText::Both) && textFileReady && !archiveInPlace &&
        files::fileExists(textPath)) {
        host_.AddFtpLine(QStringLiteral("Adding To Zip File: ") + textPath);
        textInZip = ZipMaster1.addFile(zipPath, textPath).ok;
    }
    return true;
}

bool TFtpPath::uploadTextFile(const QString& remotePath) {
    form_->eLocalFile->setText(filesDir() + AddedTextName);
    form_->eRemoteFile->setText(remotePath + AddedTextName);
    host_.AddFtpLine(QStringLiteral("Sending File -> ") + form_->eRemoteFile->text());
    form_->TransferMode = platform::FtpClient::Mode::Ascii;
    if (!UploadFile()) {
        failedUpload();
        return false;
    }
    host_.AddLogLine(QStringLiteral("Uploaded ") + AddedTextName + QStringLiteral(" to ") + host_.currentSiteName());
    return true;
}

void TFtpPath::failedUpload() {
    host_.AddFtpLine(QStringLiteral("ERROR SENDING FILE -> ") + form_->eRemoteFile->text());
    form_->Button3Click();
}

bool TFtpPath::MakeAddedTextFile() {
    AddedTextBody.clear();
    AddedTextName.clear();
    const QString folder = filesDir();
    files::deleteFile(folder + TempTextFile);

    TEngBuild& engines = host_.engines();
    const QString script = engines.Engine.ftpScript;
    const QString fileName = engines.Engine.ftpFileName;
    if (script.isEmpty())
        return false;
    try {
        AddedTextBody = engines.ExpandVariables(script, true);
        if (engines.ExpandFailed)
            return false;
        AddedTextName = engines.ExpandVariables(fileName, true);
        if (engines.ExpandFailed)
            return false;
    } catch (const std::exception&) {
        AddedTextName.clear();
        return false;
    }
    if (AddedTextName.isEmpty())
        return false;
    if (!isBareFileName(AddedTextName) || AddedTextName == TempTextFile) {
        AddedTextName.clear();
        return false;
    }

    const QString target = folder + AddedTextName;
    if (files::fileExists(target))
        files::deleteFile(target);
    try {
        platform::text::writeLines(folder + TempTextFile, platform::text::splitLines(AddedTextBody));
    } catch (const platform::FileError&) {
        return false;
    }
    return files::renameFile(folder + TempTextFile, target);
}

bool TFtpPath::UploadFile() {
    FtpFailed = false;
    const platform::FtpResult result = form_->Button5Click();
    if (!result) {
        LastFtpError = result.message;
        FtpFailed = true;
        host_.AddFtpLine(QStringLiteral("EXCEPTION: ") + result.message);
    }
    // A 421 reply fails the upload also when the client itself saw no error.
    if (FtpFailed) {
        host_.AddLogLine(host_.currentSiteName() + QStringLiteral(" -> ") + QStringLiteral("FTP error: ") +
                         LastFtpError);
        return false;
    }
    return true;
}

void TFtpPath::logOff() {
    form_->Button3Click();
}

void TFtpPath::abort() {
    form_->FTP1.abort();
    form_->FTP1.idle();
}

void TFtpPath::idle() {
    form_->Button6Click();
}
