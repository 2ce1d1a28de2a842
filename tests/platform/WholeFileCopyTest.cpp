// Copying and moving a file whole: the caller hears of every chunk, a copy
// that fails at any step leaves nothing at the target, neither replaces a
// file, and a move to another file system copies first and removes last.

#include "platform/WholeFile.h"
#include "support/TinyFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using platform::WholeFile;

namespace {

class WholeFileCopy : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString source = dir.filePath("ZAMO_Results.mdb");
    QString target = dir.filePath("Archive/Backup-ZAMO_Results.mdb");
    QByteArray bytes = QByteArray(2500000, 'r') + "end";

    void SetUp() override
    {
        QDir().mkpath(dir.filePath("Archive"));
        put(source, bytes);
    }
    static void put(const QString& path, const QByteArray& content)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    static QByteArray content(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList archiveFiles() const { return QDir(dir.filePath("Archive")).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(WholeFileCopy, CopiesChunkByChunkAndTellsEachOne)
{
    QList<std::pair<qint64, qint64>> told;
    ASSERT_TRUE(platform::WholeFile::copy(source, target, [&](qint64 copied, qint64 total) {
        told << std::pair{copied, total};
        return true;
    }));
    EXPECT_EQ(content(target), bytes);
    EXPECT_EQ(content(source), bytes);
    const qint64 size = bytes.size();
    const QList<std::pair<qint64, qint64>> expected = {{0, size}, {1 << 20, size}, {2 << 20, size}, {size, size}};
    EXPECT_EQ(told, expected);
    EXPECT_EQ(archiveFiles(), QStringList{"Backup-ZAMO_Results.mdb"});
}

TEST_F(WholeFileCopy, ACopyThatFailsAtAnyStepLeavesNothingAtTheTarget)
{
    const struct {
        platform::WholeFile::Step step;
        int error;
    } cases[] = {{platform::WholeFile::Step::Open, EACCES},   {platform::WholeFile::Step::Read, EIO},
                 {platform::WholeFile::Step::Create, ENOSPC}, {platform::WholeFile::Step::Write, ENOSPC},
                 {platform::WholeFile::Step::Sync, EIO},      {platform::WholeFile::Step::Close, EIO},
                 {platform::WholeFile::Step::Rename, EIO}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.step));
        QString error;
        {
            platform::WholeFile::SimulatedFault fault(c.step, c.error);
            EXPECT_FALSE(platform::WholeFile::copy(source, target, {}, &error));
        }
        EXPECT_EQ(error, qt_error_string(c.error));
        EXPECT_TRUE(archiveFiles().isEmpty()) << archiveFiles().join(", ").toStdString();
        EXPECT_EQ(content(source), bytes);
    }
}

TEST_F(WholeFileCopy, NeitherCopyNorMoveReplacesAFile)
{
    put(target, "an earlier backup");
    QString error;
    EXPECT_FALSE(platform::WholeFile::copy(source, target, {}, &error));
    EXPECT_EQ(error, qt_error_string(EEXIST));
    EXPECT_FALSE(platform::WholeFile::move(source, target, &error));
    EXPECT_EQ(error, qt_error_string(EEXIST));
    EXPECT_EQ(content(target), "an earlier backup");
    EXPECT_EQ(content(source), bytes);
    EXPECT_EQ(archiveFiles(), QStringList{"Backup-ZAMO_Results.mdb"});

    EXPECT_FALSE(platform::WholeFile::copy(dir.filePath("missing.mdb"), dir.filePath("copy.mdb"), {}, &error));
    EXPECT_EQ(error, qt_error_string(ENOENT));
}

TEST_F(WholeFileCopy, AMoveToAnotherFileSystemCopiesWholeBeforeItRemoves)
{
    testsupport::TinyFileSystem small(dir.filePath("Archive"), 4 << 20);
    if (!small.mounted())
        GTEST_SKIP() << small.whyNot().toStdString();
    ASSERT_TRUE(platform::WholeFile::move(source, target));
    EXPECT_EQ(content(target), bytes);
    EXPECT_FALSE(QFile::exists(source));

    // The disk there is full: the file stays where it was, and nothing is left there.
    ASSERT_TRUE(platform::WholeFile::move(target, source));
    small.fill();
    QString error;
    EXPECT_FALSE(platform::WholeFile::move(source, target, &error));
    EXPECT_EQ(error, qt_error_string(ENOSPC));
    EXPECT_EQ(content(source), bytes);
    small.unfill();
    EXPECT_TRUE(archiveFiles().isEmpty()) << archiveFiles().join(", ").toStdString();
}

} // namespace
