#include "platform/IniFile.h"
#include "platform/WholeFile.h"
#include "support/TinyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

using platform::WholeFile;

namespace {

class WholeFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("settings.ini");

    void put(const QByteArray& content, const QString& file = QString()) const
    {
        QFile f(file.isEmpty() ? path : file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    QByteArray content(const QString& file = QString()) const
    {
        QFile f(file.isEmpty() ? path : file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList filesThere() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(WholeFileTest, AStepThatFailsLeavesTheOldFileWholeAndSaysWhy)
{
    struct Case {
        platform::WholeFile::Step step;
        int error;
        const char* what;
    };
    const Case cases[] = {
        {platform::WholeFile::Step::Create, ENOSPC, "no room for a new file"},
        {platform::WholeFile::Step::Write, ENOSPC, "the disk fills while writing"},
        {platform::WholeFile::Step::Sync, EIO, "the medium fails at the flush"},
        {platform::WholeFile::Step::Close, EIO, "the error shows only at close, as on a network share"},
        {platform::WholeFile::Step::Rename, EXDEV, "the new file cannot take the old one's place"},
    };
    const QByteArray old = "[Database]\r\nLocalDatabaseFolder=/srv/zamo\r\n";
    for (const Case& c : cases) {
        put(old);
        QString error;
        {
            platform::WholeFile::SimulatedFault fault(c.step, c.error);
            EXPECT_FALSE(platform::WholeFile::save(path, QByteArray(100000, 'n'), &error)) << c.what;
        }
        EXPECT_EQ(error, qt_error_string(c.error)) << c.what;
        EXPECT_EQ(content(), old) << c.what;
        EXPECT_EQ(filesThere(), QStringList{"settings.ini"}) << c.what << ": the new file is removed";
    }
    ASSERT_TRUE(platform::WholeFile::save(path, "new"));
    EXPECT_EQ(content(), "new");
    EXPECT_EQ(filesThere(), QStringList{"settings.ini"});
}

TEST_F(WholeFileTest, AFaultOnOnePathLeavesTheOthersAlone)
{
    platform::WholeFile::SimulatedFault fault(platform::WholeFile::Step::Write, ENOSPC, "settings.ini");
    EXPECT_FALSE(platform::WholeFile::save(path, "x"));
    EXPECT_TRUE(platform::WholeFile::save(dir.filePath("standard.tsq"), "1.0\r\n"));
}

TEST_F(WholeFileTest, TheNewFileKeepsThePermissionsAndALinkStaysALink)
{
    put("old");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    ASSERT_TRUE(platform::WholeFile::save(path, "new"));
    const auto ownerGroupOthers = QFileDevice::Permissions(0x7077);
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOthers,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);

    const QString link = dir.filePath("link.ini");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(platform::WholeFile::save(link, "through the link"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(content(), "through the link");
}

// The new file beside the target is named after it, yet stays within the
// longest name the folder takes however long the target's name is: every
// name that the file system allows can be saved, replaced and copied to.
TEST_F(WholeFileTest, ANameAsLongAsTheFileSystemAllowsCanBeSavedAndCopiedTo)
{
    const long longest = ::pathconf(QFile::encodeName(dir.path()).constData(), _PC_NAME_MAX);
    if (longest != 255)
        GTEST_SKIP() << "the temporary folder takes names of " << longest << " bytes, not 255";
    // A report's name of so many bytes, most of them in characters of the
    // one given.
    const auto name = [](int bytes, QChar character) {
        const QString suffix = QStringLiteral(".PDF");
        const int body = bytes - int(suffix.size());
        const int size = int(QString(character).toUtf8().size());
        return QString(character).repeated(body / size) + QString(body % size, QLatin1Char('x')) + suffix;
    };
    const struct {
        int bytes;
        QChar character;
        const char* what;
    } cases[] = {
        {248, QLatin1Char('r'), "a temporary name of 255 bytes"},
        {249, QLatin1Char('r'), "one byte too many for the temporary name"},
        {251, QLatin1Char('r'), ""},
        {255, QLatin1Char('r'), "the longest name"},
        {255, QChar(0xE9), "two-byte characters"},
        {254, QChar(0x20AC), "three-byte characters"},
    };
    for (const auto& c : cases) {
        const QString fileName = name(c.bytes, c.character);
        SCOPED_TRACE(std::to_string(c.bytes) + " bytes: " + c.what);
        ASSERT_EQ(QFile::encodeName(fileName).size(), c.bytes);
        const QString target = dir.filePath(fileName);
        QString error;
        EXPECT_TRUE(WholeFile::save(target, "new", &error)) << error.toStdString();
        EXPECT_EQ(content(target), "new");
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_TRUE(WholeFile::save(target, "replaced", &error)) << error.toStdString();
        EXPECT_EQ(content(target), "replaced");
        EXPECT_EQ(QFile::permissions(target) & QFileDevice::Permissions(0x7077),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(filesThere(), QStringList{fileName});
        QFile::remove(target);

        QDir().mkpath(dir.filePath("copies"));
        const QString copy = dir.filePath("copies/" + fileName);
        put("copied");
        EXPECT_TRUE(WholeFile::copy(path, copy, {}, &error)) << error.toStdString();
        EXPECT_EQ(content(copy), "copied");
        EXPECT_EQ(QDir(dir.filePath("copies")).entryList(QDir::Files | QDir::Hidden), QStringList{fileName});
        QFile::remove(copy);
        QFile::remove(path);
    }
}

TEST_F(WholeFileTest, ReadTellsAMissingFileFromOneThatCannotBeRead)
{
    QByteArray bytes = "stale";
    QString error;
    EXPECT_EQ(platform::WholeFile::read(dir.filePath("none"), &bytes, &error),
              platform::WholeFile::ReadResult::Missing);
    EXPECT_EQ(platform::WholeFile::read(dir.filePath("none/deeper"), &bytes, &error),
              platform::WholeFile::ReadResult::Missing);
    EXPECT_TRUE(bytes.isEmpty());

    EXPECT_EQ(platform::WholeFile::read(dir.path(), &bytes, &error), platform::WholeFile::ReadResult::Failed);
    EXPECT_EQ(error, qt_error_string(EISDIR));
    put("abc");
    {
        platform::WholeFile::SimulatedFault fault(platform::WholeFile::Step::Read, EIO);
        EXPECT_EQ(platform::WholeFile::read(path, &bytes, &error), platform::WholeFile::ReadResult::Failed);
        EXPECT_EQ(error, qt_error_string(EIO));
        EXPECT_TRUE(bytes.isEmpty());
    }
    EXPECT_EQ(platform::WholeFile::read(path, &bytes, &error), platform::WholeFile::ReadResult::Read);
    EXPECT_EQ(bytes, "abc");

    EXPECT_FALSE(platform::WholeFile::save(dir.path(), "x", &error)) << "a folder in the file's place";
    EXPECT_EQ(error, qt_error_string(EISDIR));
}

// The same on a real file system that is full: the write itself fails part
// way, after the new file took what room there was.
TEST_F(WholeFileTest, OnAFullFileSystemTheOldFilesStayWhole)
{
    const QString mountPoint = dir.filePath("disk");
    ASSERT_TRUE(QDir().mkdir(mountPoint));
    testsupport::TinyFileSystem disk(mountPoint, 256 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot().toStdString();

    const QString ini = mountPoint + "/settings.ini";
    const QString report = mountPoint + "/report.txt";
    const QByteArray settings = "[Database]\r\nLocalDatabaseFolder=/srv/zamo\r\n[Limits]\r\nDCO=55\r\n";
    put(settings, ini);
    put(QByteArray(20000, 'r'), report);
    disk.fill();

    QString error;
    EXPECT_FALSE(platform::IniFile::write(ini, "Limits", "ACZ", "3000", &error));
    EXPECT_EQ(error, qt_error_string(ENOSPC));
    EXPECT_FALSE(platform::WholeFile::save(report, QByteArray(40000, 'R'), &error));
    EXPECT_EQ(error, qt_error_string(ENOSPC));
    EXPECT_EQ(content(ini), settings);
    EXPECT_EQ(content(report), QByteArray(20000, 'r'));
    EXPECT_EQ(platform::IniFile::read(ini, "Database", "LocalDatabaseFolder"), "/srv/zamo");
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files), (QStringList{"report.txt", "settings.ini"}));

    disk.unfill();
    EXPECT_TRUE(platform::IniFile::write(ini, "Limits", "ACZ", "3000"));
    EXPECT_EQ(platform::IniFile::read(ini, "Limits", "ACZ"), "3000");
}

} // namespace
