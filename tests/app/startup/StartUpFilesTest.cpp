// The station's start-up when its files fail it: a settings.ini that cannot
// be read, and a disk that is full.

#include "StationStartFixture.h"
#include "platform/WholeFile.h"
#include "support/TinyFileSystem.h"

#include <unistd.h>

#include <cerrno>
#include <optional>

namespace {

using platform::WholeFile;

class StartUpFilesTest : public StationStartFixture {
protected:
    QString ini() const { return folder + "/settings.ini"; }

    // A first start, then the settings an operator made since: a database
    // folder of their own, a limit, and a key the defaults would fill in.
    QByteArray setUpStation()
    {
        EXPECT_TRUE(start());
        endProgram();
        markDatabase();
        config::iniWrite("Limits", "DCO", "55", ini());
        QByteArray text = readAll(ini());
        text.replace("MaxRecords=100000\r\n", "");
        QFile file(ini());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return text;
    }
    QStringList templates() const
    {
        QStringList contents;
        for (const QString& name : TemplateFiles)
            contents << QString::fromUtf8(readAll(folder + "/" + name));
        return contents;
    }
};

TEST_F(StartUpFilesTest, AnUnreadableSettingsFileEndsTheStartWithAMessageAndNothingIsWritten)
{
    struct Case {
        const char* what;
        bool folderInItsPlace;
        int cause;
    };
    const Case cases[] = {
        {"a folder in its place", true, EISDIR},
        {"no read permission", false, EACCES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TempDataHome ownHome;
        folder = ownHome.stationFolder();
        QDir().mkpath(folder);
        const QByteArray iniText = "[Database]\r\nLocalDatabaseFolder=/srv/zamo\r\n";
        std::optional<platform::WholeFile::SimulatedFault> refused;
        if (c.folderInItsPlace) {
            QDir().mkpath(ini());
        } else {
            QFile file(ini());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(iniText);
            file.close();
            file.setPermissions(QFileDevice::WriteOwner);
            if (geteuid() == 0) // permissions do not stop root: the read fails at the file layer
                refused.emplace(platform::WholeFile::Step::Open, EACCES, "settings.ini");
        }
        prompts->shown.clear();

        EXPECT_FALSE(start());
        refused.reset();
        EXPECT_TRUE(platform::ProgramEnd::requested());
        EXPECT_EQ(platform::ProgramEnd::exitCode(), 1);
        const QString text =
            "Unable to read the settings file " + ini() + ": " + qt_error_string(c.cause) + ".  Exiting application.";
        ASSERT_EQ(prompts->messages(), QStringList{text});
        EXPECT_EQ(prompts->shown[0].title, "KIVO_ZAMO");
        EXPECT_TRUE(readAll(station.log.path()).contains(text.toUtf8()));
        EXPECT_FALSE(settings.switches.startingUp);
        EXPECT_EQ(station.windows.existingFrame(), nullptr) << "no window opened";

        // Nothing written: no database, no templates, no test lists, the file as it was.
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                  (QStringList{"Log", "settings.ini"}));
        if (c.folderInItsPlace) {
            EXPECT_TRUE(QFileInfo(ini()).isDir());
        } else {
            QFile::setPermissions(ini(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            EXPECT_EQ(readAll(ini()), iniText);
        }
        station.log.setPath(QString());
    }
}

TEST_F(StartUpFilesTest, OnAFullDiskEveryFileStaysWholeAndTheNextStartGoesOnWithIt)
{
    const QByteArray iniText = setUpStation();
    const QStringList templatesBefore = templates();
    const QByteArray standard = readAll(folder + "/standard.tsq");
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC);
        EXPECT_TRUE(start());
    }
    EXPECT_EQ(readAll(ini()), iniText);
    EXPECT_EQ(templates(), templatesBefore);
    EXPECT_EQ(readAll(folder + "/standard.tsq"), standard);
    EXPECT_EQ(settings.limits.limitDco, 55) << "the limits are read, not reset";
    EXPECT_TRUE(databaseIsMarked());
    EXPECT_EQ(settings.paths.databaseFile, folder + "/ZAMO_Results.mdb");
    const QStringList log = logMessages();
    EXPECT_TRUE(log.contains("INIWrite failed: unable to write Database, MaxRecords to " + ini()
                             + ": No space left on device"));
    // Each template that could not be rewritten is shown, as before.
    ASSERT_EQ(prompts->messages().size(), 6);
    EXPECT_EQ(prompts->messages().first(), "75:Error in BuildFileFromResource.  Error Message: Path/File access error ("
                                               + settings.paths.electrodeTestReport + ": No space left on device)");

    // With room again, the next start fills in the key and keeps the rest.
    EXPECT_TRUE(start());
    EXPECT_TRUE(readAll(ini()).contains("MaxRecords=100000\r\n"));
    EXPECT_EQ(settings.limits.limitDco, 55);
    EXPECT_TRUE(databaseIsMarked());
}

// The same on a real file system that is full, where every write of the
// station's files fails part way (root only; skipped elsewhere).
TEST_F(StartUpFilesTest, OnARealFullDiskSettingsKeepTheirDatabaseAndLimits)
{
    testsupport::TinyFileSystem disk(home.path(), 4 * 1024 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot().toStdString();
    const QByteArray iniText = setUpStation();
    endProgram();
    disk.fill();
    start(); // the database may be refused on a full disk; the settings must survive either way
    endProgram();
    EXPECT_EQ(readAll(ini()), iniText);

    disk.unfill();
    EXPECT_TRUE(start());
    EXPECT_EQ(settings.limits.limitDco, 55);
    EXPECT_TRUE(databaseIsMarked());
    endProgram();
}

} // namespace
