// One FTP attempt of a site against the real FTP test server, on the real
// main window (its fields and expander): what is built in the files folder,
// what arrives on the server byte for byte, and the FTP list and log lines.
#include "ProgramFixture.h"
#include "RunProfiles.h"
#include "ServerProcess.h"

#include "engines/EngineFiles.h"
#include "platform/ZipArchiver.h"
#include "reports/TReportsFrm.h"
#include "run/FtpPath.h"
#include "run/RunHost.h"
#include "run/TftpForm1.h"
#include "model/TGWide.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString Site = QStringLiteral("Harbor Uploads");
const QString User = QStringLiteral("bob");
const QString Password = QStringLiteral("s3cret-pw");
const QString TextName = QStringLiteral("readme_2.1.txt");
// The FTP script as the engine holds it, and the text file it makes.
const QString Script = QStringLiteral("Version %APPVERSION%\r\nSecond line");
const QByteArray TextBytes = "Version 2.1\r\nSecond line\r\n";

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray bytes(qsizetype size, char seed) {
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + seed) % 256);
    data.replace(10, 4, "\r\n\n\r"); // line ends a text transfer would change
    return data;
}

// Every file below folder: relative path -> bytes.
std::map<QString, QByteArray> filesBelow(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = readAll(path);
    }
    return files;
}

// The entries of a zip archive with their contents.
std::map<QString, QByteArray> zipEntries(const QString& archive) {
    QTemporaryDir out;
    platform::ZipArchiver zip;
    const platform::ZipResult result = zip.extractAll(archive, out.path());
    EXPECT_TRUE(result.ok) << result.message.toStdString();
    return filesBelow(out.path());
}

// The run as the FTP path sees it.
class TestHost final : public RunHost {
public:
    TestHost(TMainFrm& main, const QString& programDir, const platform::Clock& clock)
        : main_(main),
          reports_(programDir + QStringLiteral("reports/"), programDir + QStringLiteral("images/"), clock) {}

    platform::HttpClient& httpClient() override { return *main_.model().HTTP1; }
    QTimer& httpTimer() override { return *main_.model().HTTPTimer; }
    platform::Dialogs& dialogs() override { return main_.model().dialogs(); }
    platform::Clock& clock() override { return main_.model().clock(); }
    QString programDir() const override { return main_.model().programDir(); }
    QString filesDir() const override { return main_.model().GWide.FilesDir; }
    QString fieldText(const QString& objectName) const override { return main_.model().fieldText(objectName); }
    TEngBuild& engines() override { return *main_.model().GWide.EngBuild; }
    TReportsFrm& reports() override { return reports_; }
    void AddLogLine(const QString& text) override { log << text; }
    void AddFtpLine(const QString& text) override { ftp << text; }
    QStringList ftpLines() const override { return ftp; }
    bool SkipRequested() const override { return false; }
    bool CancelRequested() const override { return false; }
    QString currentSiteName() const override { return Site; }
    int CurrentRow() const override { return 0; }
    QString rowSite(int) const override { return Site; }
    void setHttpStatus(const QString&) override {}
    void setMailStatus(const QString&) override {}
    void setFtpStatus(const QString& text) override { ftpStatus << text; }
    void setHttpBytes(const QString&) override {}
    void setMailProgress(int) override {}
    QStringList& xfer() override { return xfer_; }

    // The FTP list without the protocol trace: the path's own steps.
    QStringList steps() const {
        QStringList lines;
        for (const QString& line : ftp)
            if (!line.startsWith(QLatin1String("CLIENT: ")) && !line.startsWith(QLatin1String("SERVER: ")) &&
                !line.startsWith(QLatin1String("INFO: ")))
                lines << line;
        return lines;
    }
    void clear() {
        log.clear();
        ftp.clear();
        ftpStatus.clear();
    }

    QStringList log;
    QStringList ftp;
    QStringList ftpStatus;

private:
    TMainFrm& main_;
    TReportsFrm reports_;
    QStringList xfer_;
};

class FtpPathTest : public ProgramFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid() && local.isValid());
        start();
        host = std::make_unique<TestHost>(*main(), dir.path(), clock);
        path = std::make_unique<TFtpPath>(*host);
        filesDir = main()->model().GWide.FilesDir;

        field("filename", s("setup32.exe"));
        field("char8name", s("myapp"));
        field("version", s("2.1"));
        field("conmail", s("ann@acme.example"));
        SiteEngine& e = engine();
        e.clear();
        e.siteName = Site;
        e.useFtpUpload = true;
        e.loginName = User;
        e.loginPassword = Password;
        e.remotePath = s("\\incoming/");
        e.addedText = AddedText::AddToUpload;
        e.ftpFileName = s("readme_%APPVERSION%.txt");
        e.ftpScript = Script;
    }

    void TearDown() override {
        if (path)
            path->logOff();
        if (host) {
            for (const QString& line : host->ftp + host->log)
                EXPECT_FALSE(line.contains(Password)) << line.toStdString();
            if (HasFailure())
                std::cerr << "FTP list:\n" << host->ftp.join(QLatin1Char('\n')).toStdString() << std::endl;
        }
        path.reset();
        host.reset();
        ProgramFixture::TearDown();
    }

    void startServer(const QStringList& options = {}) {
        QDir(root.path()).mkpath(s("incoming"));
        ASSERT_TRUE(server.start(s("ftp_server.py"), QStringList{root.path(), User, Password} + options))
            << server.error().toStdString();
        engine().ftpServer = s("127.0.0.1:%1").arg(server.port());
    }

    void field(const char* name, const QString& text) {
        run_test::setShownText(*main(), main()->AppInfoSheet, name, text);
    }
    SiteEngine& engine() { return main()->model().GWide.EngBuild->Engine; }

    // The application's archive, set as the local path.
    QString archive(const QString& name, const QByteArray& data) {
        const QString file = local.filePath(name);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
        f.close();
        field("localpath", file);
        return file;
    }
    // A zip archive holding app.exe.
    QByteArray zipArchive(const QString& name) {
        QTemporaryDir work;
        const QString exe = work.filePath(s("app.exe"));
        QFile f(exe);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes(5000, 7));
        f.close();
        platform::ZipArchiver zip;
        EXPECT_TRUE(zip.addFile(work.filePath(name), exe).ok);
        const QByteArray data = readAll(work.filePath(name));
        archive(name, data);
        return data;
    }

    std::map<QString, QByteArray> uploaded() const { return filesBelow(root.path()); }
    void clearServer() {
        QDir(root.path()).removeRecursively();
        QDir().mkpath(root.path() + s("/incoming"));
    }

    QTemporaryDir root;  // the server's folder
    QTemporaryDir local; // the application's archive
    ServerProcess server;
    std::unique_ptr<TestHost> host;
    std::unique_ptr<TFtpPath> path;
    QString filesDir;
};

// The hidden host window.
TEST_F(FtpPathTest, HostFormHasItsFieldsAndButtons) {
    TftpForm1& form = path->form();
    EXPECT_EQ(form.windowTitle(), s("FTP Demo"));
    EXPECT_FALSE(form.isVisible());
    for (const char* name : {"tHost", "tUser", "tPasswd", "eLocalFile", "eRemoteFile"})
        EXPECT_NE(form.findChild<QLineEdit*>(QLatin1String(name)), nullptr) << name;
    const std::pair<const char*, const char*> buttons[] = {
        {"Button2", "&Logon"}, {"Button3", "L&ogoff"}, {"Button5", "&Upload file"}, {"Button6", "Abor&t"}};
    for (const auto& [name, caption] : buttons) {
        auto* b = form.findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), s(caption));
    }
}

// What each engine gets: plain, zipped (8+3 or the archive's name) or the
// zip copied under its own name, with the added text file beside the upload,
// in the zip, or both.
TEST_F(FtpPathTest, DecisionTable) {
    startServer();
    enum Prep { Plain, Zipped, Copied };
    struct Case {
        const char* name;
        bool useZip;
        bool use8x3;
        const char* archiveName;
        AddedText added;
        Prep prep;
        const char* sentName; // the name the archive (or its zip) gets
        bool textInZip;
        bool textBeside;
    };
    const Case cases[] = {
        {"plain", false, false, "MyApp32.exe", AddedText::AddToUpload, Plain, "setup32.exe", false, true},
        {"plain 8+3", false, true, "MyApp32.exe", AddedText::AddToUpload, Plain, "myapp.exe", false, true},
        {"plain ignores include", false, false, "MyApp32.exe", AddedText::IncludeInZip, Plain, "setup32.exe", false,
         true},
        {"plain both", false, true, "MyApp32.exe", AddedText::Both, Plain, "myapp.exe", false, true},
        {"no choice still sends the text", false, false, "MyApp32.exe", AddedText::None, Plain, "setup32.exe", false,
         true},
        {"zip 8+3", true, true, "MyApp32.exe", AddedText::AddToUpload, Zipped, "myapp.zip", false, true},
        {"zip archive name", true, false, "MyApp32.exe", AddedText::AddToUpload, Zipped, "MyApp32.zip", false, true},
        {"zip include", true, true, "MyApp32.exe", AddedText::IncludeInZip, Zipped, "myapp.zip", true, false},
        {"zip both", true, false, "MyApp32.exe", AddedText::Both, Zipped, "MyApp32.zip", true, true},
        {"zip of a name without extension", true, false, "MyApp32", AddedText::AddToUpload, Zipped, "MyApp32.zip",
         false, true},
        {"Zip archive copied", false, true, "Photo.Zip", AddedText::AddToUpload, Copied, "Photo.Zip", false, true},
        {"ZIP archive copied, include", true, true, "PHOTO.ZIP", AddedText::IncludeInZip, Copied, "PHOTO.ZIP", true,
         false},
        {"zip archive copied, both", true, false, "photo.zip", AddedText::Both, Copied, "photo.zip", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearServer();
        host->clear();
        engine().useZipFile = c.useZip;
        engine().use8x3FileName = c.use8x3;
        engine().addedText = c.added;
        const QString archiveName = s(c.archiveName);
        const QString sent = s(c.sentName);
        const QByteArray data = c.prep == Copied ? zipArchive(archiveName) : bytes(70000, 1);
        if (c.prep != Copied)
            archive(archiveName, data);

        ASSERT_TRUE(path->SubmitByFtp());

        QStringList steps;
        if (c.prep == Zipped)
            steps << s("Zipping File: ") + filesDir + sent;
        if (c.prep == Copied)
            steps << s("Prepairing Zip File: ") + filesDir + sent;
        if (c.textInZip)
            steps << s("Adding To Zip File: ") + filesDir + TextName;
        steps << s("Sending File -> incoming/") + sent << s("TRANSFER BEGIN.") << s("TRANSFER END.");
        QStringList log{s("Uploaded ") + (c.prep == Plain ? s("incoming/") : QString()) + sent + s(" to ") + Site};
        if (c.textBeside) {
            steps << s("Sending File -> incoming/") + TextName << s("TRANSFER BEGIN.") << s("TRANSFER END.");
            log << s("Uploaded ") + TextName + s(" to ") + Site;
        }
        EXPECT_EQ(host->steps(), steps);
        EXPECT_EQ(host->log, log);
        // The archive goes in binary, the text file beside it in ASCII.
        QStringList types{s("CLIENT: TYPE I")};
        if (c.textBeside)
            types << s("CLIENT: TYPE A");
        EXPECT_EQ(host->ftp.filter(s("CLIENT: TYPE")), types);

        std::map<QString, QByteArray> got = uploaded();
        EXPECT_EQ(got.size(), c.textBeside ? 2u : 1u);
        ASSERT_EQ(got.count(s("incoming/") + sent), 1u);
        if (c.textBeside) {
            EXPECT_EQ(got[s("incoming/") + TextName], TextBytes);
        }

        // What the archive upload holds.
        const QByteArray archiveSent = got[s("incoming/") + sent];
        if (c.prep == Plain) {
            EXPECT_EQ(archiveSent, data);
            EXPECT_FALSE(QFile::exists(filesDir + sent));
        } else {
            QTemporaryDir check;
            QFile out(check.filePath(s("sent.zip")));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(archiveSent);
            out.close();
            std::map<QString, QByteArray> entries{
                {c.prep == Copied ? s("app.exe") : archiveName, c.prep == Copied ? bytes(5000, 7) : data}};
            if (c.textInZip)
                entries[TextName] = TextBytes;
            EXPECT_EQ(zipEntries(out.fileName()), entries);
        }
        // Left in the files folder: the text file (and the zip or the copy);
        // the temporary text file is gone. The archive itself is untouched.
        EXPECT_EQ(readAll(filesDir + TextName), TextBytes);
        EXPECT_FALSE(QFile::exists(filesDir + TFtpPath::TempTextFile));
        EXPECT_EQ(readAll(local.filePath(archiveName)), data);
    }
}

// The log-on takes the server as written and the expanded user and password;
// the trace shows the password masked; the status follows the transfer.
TEST_F(FtpPathTest, LogOnFieldsTraceAndStatus) {
    startServer();
    const QByteArray data = bytes(200000, 3);
    archive(s("MyApp32.exe"), data);
    engine().ftpScript.clear();
    const struct {
        const char* name;
        QString user;
        QString password;
        QString shownUser; // the user the server sees
    } cases[] = {
        {"account", User, Password, User},
        {"anonymous with the contact address", s("anonymous"), s("%CONTEMAIL%"), s("anonymous")},
        {"unknown variable kept as written", s("%NOSUCHVARIABLE%"), Password, s("%NOSUCHVARIABLE%")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host->clear();
        clearServer();
        engine().loginName = c.user;
        engine().loginPassword = c.password;
        const bool ok = path->SubmitByFtp();
        EXPECT_EQ(ok, !c.shownUser.startsWith(u'%'));
        EXPECT_EQ(path->form().tHost->text(), engine().ftpServer);
        EXPECT_TRUE(host->ftp.contains(s("CLIENT: USER ") + c.shownUser)) << host->ftp.join(u'\n').toStdString();
        EXPECT_TRUE(host->ftp.contains(s("CLIENT: PASS ****")));
        for (const QString& line : host->ftp)
            EXPECT_FALSE(line.contains(s("ann@acme.example"))) << line.toStdString();
        EXPECT_EQ(host->ftpStatus.first(), s("logging on to ") + Site);
        if (ok) {
            EXPECT_EQ(path->form().tPasswd->text(), c.password == Password ? Password : s("ann@acme.example"));
            EXPECT_EQ(host->ftpStatus.mid(1, 1), QStringList{s("Starting Transfer")});
            EXPECT_EQ(host->ftpStatus.last(), s("Bytes Transfered: %1").arg(data.size()));
            EXPECT_EQ(uploaded()[s("incoming/setup32.exe")], data);
        }
    }
}

// The remote path loses one leading backslash, is expanded, and the file
// name follows it directly.
TEST_F(FtpPathTest, RemotePath) {
    startServer();
    for (const char* folder : {"up", "\\up", "v2.1", "flat"})
        QDir(root.path()).mkpath(s(folder));
    archive(s("MyApp32.exe"), "archive bytes");
    engine().ftpScript.clear();
    const std::pair<const char*, const char*> cases[] = {
        {"\\up/", "up/setup32.exe"},
        {"\\\\up/", "\\up/setup32.exe"},
        {"v%APPVERSION%/", "v2.1/setup32.exe"},
        {"flat", "flatsetup32.exe"},
        {"", "setup32.exe"},
        {"%NOSUCHVARIABLE%/", "%NOSUCHVARIABLE%/setup32.exe"},
    };
    for (const auto& [remote, stored] : cases) {
        SCOPED_TRACE(remote);
        host->clear();
        engine().remotePath = s(remote);
        const bool ok = path->SubmitByFtp();
        // The last: a folder the server does not have.
        EXPECT_EQ(ok, !QByteArray(remote).startsWith('%'));
        if (ok) {
            EXPECT_EQ(readAll(root.filePath(s(stored))), QByteArray("archive bytes"));
            QFile::remove(root.filePath(s(stored)));
            EXPECT_EQ(host->log, QStringList{s("Uploaded ") + s(stored) + s(" to ") + Site});
        } else {
            EXPECT_EQ(host->steps().last(), s("ERROR SENDING FILE -> ") + s(stored));
        }
    }
}

// No text file, and the archive alone goes: an empty script or file name, a
// variable that does not expand, or a name that would leave the files folder.
TEST_F(FtpPathTest, TextFileNotMadeSendsTheArchiveOnly) {
    startServer();
    archive(s("MyApp32.exe"), "archive");
    engine().useZipFile = true;
    engine().addedText = AddedText::IncludeInZip;
    dir.write(s("outside.txt"), "keep me");
    const std::pair<QString, QString> cases[] = {
        {QString(), s("readme.txt")},
        {Script, QString()},
        {s("Hello %NOSUCHVARIABLE%"), s("readme.txt")},
        {Script, s("%NOSUCHVARIABLE%.txt")},
        {Script, s("../outside.txt")},
        {Script, s("sub/readme.txt")},
        {Script, s("..")},
        {Script, TFtpPath::TempTextFile},
    };
    for (const auto& [script, name] : cases) {
        SCOPED_TRACE((script + s(" | ") + name).toStdString());
        host->clear();
        clearServer();
        engine().ftpScript = script;
        engine().ftpFileName = name;
        EXPECT_FALSE(path->MakeAddedTextFile());
        EXPECT_TRUE(path->AddedTextName.isEmpty() || name.contains(u'%'));
        ASSERT_TRUE(path->SubmitByFtp());
        EXPECT_EQ(host->log, QStringList{s("Uploaded MyApp32.zip to ") + Site});
        EXPECT_EQ(host->steps().filter(s("Adding To Zip")), QStringList());
        const auto got = uploaded();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(zipEntries(filesDir + s("MyApp32.zip")),
                  (std::map<QString, QByteArray>{{s("MyApp32.exe"), "archive"}}));
        EXPECT_FALSE(QFile::exists(filesDir + TFtpPath::TempTextFile));
    }
    EXPECT_EQ(dir.read(s("outside.txt")), QByteArray("keep me"));
    EXPECT_FALSE(QFile::exists(filesDir + s("sub")));
}

// A zip is built anew for every attempt: what an earlier attempt put into it
// (an older archive, another site's text file) is not sent again.
TEST_F(FtpPathTest, ZipIsBuiltAnewForEachAttempt) {
    startServer();
    engine().useZipFile = true;
    engine().use8x3FileName = true;
    engine().addedText = AddedText::IncludeInZip;
    archive(s("setup20.exe"), "version 2.0");
    ASSERT_TRUE(path->SubmitByFtp());
    EXPECT_EQ(zipEntries(root.filePath(s("incoming/myapp.zip"))),
              (std::map<QString, QByteArray>{{s("setup20.exe"), "version 2.0"}, {TextName, TextBytes}}));

    archive(s("setup21.exe"), "version 2.1");
    engine().addedText = AddedText::AddToUpload;
    ASSERT_TRUE(path->SubmitByFtp());
    EXPECT_EQ(zipEntries(root.filePath(s("incoming/myapp.zip"))),
              (std::map<QString, QByteArray>{{s("setup21.exe"), "version 2.1"}}));
    EXPECT_EQ(readAll(root.filePath(s("incoming/") + TextName)), TextBytes);
}

// A zip archive that already lies in the files folder is sent as it is: it
// is neither deleted nor changed, and its text file goes beside it.
TEST_F(FtpPathTest, ArchiveInTheFilesFolderIsSentInPlace) {
    startServer();
    engine().addedText = AddedText::IncludeInZip;
    const QByteArray data = zipArchive(s("photo.zip"));
    QFile::copy(local.filePath(s("photo.zip")), filesDir + s("photo.zip"));
    field("localpath", filesDir + s("photo.zip"));

    ASSERT_TRUE(path->SubmitByFtp());
    EXPECT_EQ(readAll(filesDir + s("photo.zip")), data);
    EXPECT_EQ(readAll(root.filePath(s("incoming/photo.zip"))), data);
    EXPECT_EQ(readAll(root.filePath(s("incoming/") + TextName)), TextBytes);
    EXPECT_EQ(host->steps().filter(s("Adding To Zip")), QStringList());
}

// Nothing to send after the preparation: the attempt fails without a line of its own.
TEST_F(FtpPathTest, MissingArchiveFailsAfterThePreparationLine) {
    startServer();
    engine().ftpScript.clear();
    for (const bool useZip : {true, false}) {
        SCOPED_TRACE(useZip);
        host->clear();
        engine().useZipFile = useZip;
        field("localpath", local.filePath(useZip ? s("gone.exe") : s("gone.zip")));
        EXPECT_FALSE(path->SubmitByFtp());
        EXPECT_EQ(host->steps(), QStringList{(useZip ? s("Zipping File: ") + filesDir + s("gone.zip")
                                                     : s("Prepairing Zip File: ") + filesDir + s("gone.zip"))});
        EXPECT_TRUE(host->log.isEmpty());
    }
    EXPECT_TRUE(uploaded().empty());
}

// A log-on the server refuses, or no server at all: "EXCEPTION: " and the
// reason, no log line, nothing built.
TEST_F(FtpPathTest, LogOnFailures) {
    startServer();
    archive(s("MyApp32.exe"), "archive");
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString closedServer = s("127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    const std::pair<QString, QString> cases[] = {
        {engine().ftpServer, s("wrong")},
        {closedServer, Password},
    };
    for (const auto& [address, password] : cases) {
        SCOPED_TRACE(address.toStdString());
        host->clear();
        engine().ftpServer = address;
        engine().loginPassword = password;
        EXPECT_FALSE(path->SubmitByFtp());
        EXPECT_TRUE(path->FtpFailed);
        EXPECT_FALSE(path->LastFtpError.isEmpty());
        EXPECT_EQ(host->steps(), QStringList{s("EXCEPTION: ") + path->LastFtpError});
        EXPECT_TRUE(host->log.isEmpty());
        EXPECT_FALSE(QFile::exists(filesDir + TextName));
    }
    EXPECT_TRUE(uploaded().empty());
}

// A 421 reply to the archive or to the text file fails the attempt.
TEST_F(FtpPathTest, Reply421OnUploadFailsTheAttempt) {
    const struct {
        const char* name;
        QStringList options;
        const char* refused;
        bool archiveSent;
    } cases[] = {
        {"archive", {s("--refuse-stor"), s("1")}, "incoming/setup32.exe", false},
        {"text file", {s("--refuse-name"), s("*.txt")}, "incoming/readme_2.1.txt", true},
    };
    archive(s("MyApp32.exe"), "archive");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host->clear();
        clearServer();
        server.stop();
        startServer(c.options);
        EXPECT_FALSE(path->SubmitByFtp());
        const QString event = s("ERR Event: 421Service not available, closing control connection.");
        const QStringList steps = host->steps();
        ASSERT_TRUE(steps.contains(event)) << steps.join(u'\n').toStdString();
        EXPECT_EQ(steps.mid(steps.indexOf(event)), (QStringList{event, s("EXCEPTION: ") + path->LastFtpError,
                                                                s("ERROR SENDING FILE -> ") + s(c.refused)}));
        EXPECT_TRUE(path->LastFtpError.startsWith(s("421"))) << path->LastFtpError.toStdString();
        QStringList log;
        if (c.archiveSent)
            log << s("Uploaded incoming/setup32.exe to ") + Site;
        log << Site + s(" -> FTP error: ") + path->LastFtpError;
        EXPECT_EQ(host->log, log);
        EXPECT_EQ(uploaded().count(s("incoming/setup32.exe")), c.archiveSent ? 1u : 0u);
        EXPECT_EQ(host->ftpStatus.last(), s("FTP Error"));
    }
}

} // namespace
