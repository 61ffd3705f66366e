// Two real processes on one program folder: the second start hands the
// request over to the first and ends without a window or a file touched.
#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

QStringList snapshot(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size()).arg(
                       info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

} // namespace

TEST(SingleInstanceProcesses, SecondStartEndsAndAsksTheFirstToShowItself)
{
    TempProgramDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("POSTRIX_HOME"), dir.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess first;
    first.setProcessEnvironment(env);
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(QStringLiteral(POSTRIX_EXECUTABLE), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    // The help page is written at the end of the start-up.
    QTRY_VERIFY_WITH_TIMEOUT(dir.exists(QStringLiteral("Postrix.html")), 15000);
    QTest::qWait(500);
    const QStringList before = snapshot(dir.path());

    QProcess second;
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.start(QStringLiteral(POSTRIX_EXECUTABLE), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(snapshot(dir.path()), before);

    QTRY_VERIFY_WITH_TIMEOUT(first.readAll().contains("asked to show itself"), 5000);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    first.waitForFinished(5000);
}
