#include "support/OwnMountNamespace.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/mount.h>

namespace testsupport {

namespace {

constexpr char InsideKey[] = "ZAMO_IN_OWN_MOUNT_NAMESPACE";

bool mayMountHere()
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path());
    if (::mount("tmpfs", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4096") != 0)
        return false;
    ::umount2(path.constData(), MNT_DETACH);
    return true;
}

} // namespace

OwnMountNamespace::OwnMountNamespace()
{
    if (qEnvironmentVariableIsSet(InsideKey) || mayMountHere())
        return;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(InsideKey), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("unshare"),
                {QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount"),
                 QCoreApplication::applicationFilePath(),
                 QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    if (!child.waitForStarted()) {
        m_outcome = Outcome::Impossible;
        m_why = QStringLiteral("unshare: ") + child.errorString();
        return;
    }
    child.waitForFinished(300000);
    m_why = QString::fromLocal8Bit(child.readAll());
    if (!m_why.contains(QStringLiteral("[==========] Running ")))
        m_outcome = Outcome::Impossible; // unshare itself failed
    else if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        m_outcome = Outcome::Failed;
    else if (m_why.contains(QStringLiteral("[  SKIPPED ] ")))
        m_outcome = Outcome::Skipped;
    else
        m_outcome = Outcome::Passed;
}

} // namespace testsupport
