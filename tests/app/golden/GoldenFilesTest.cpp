// What the station leaves on disk, compared byte for byte with files
// recorded earlier (data/): the files of a first start, and the database
// rows and full text reports of whole runs on units on pseudo-terminals.
// Everything runs through the station's own start-up in virtual time from
// 2026-03-02 09:00, so a recording is the same run after run; the data
// folder's path and the machine's computer and user names are replaced
// (support/DatabaseDump.h). A difference is a change of behaviour: the
// failure shows the first line that differs. Where the change is meant,
// ZAMO_RECORD_GOLDEN=1 writes the data afresh into the source tree.

#include "support/DatabaseDump.h"
#include "support/FakeSerialTree.h"
#include "support/PtyUnitEmulator.h"
#include "support/StationHarness.h"
#include "ui/reports/TestReportWindow.h"
#include "unit/SimulatedUnit.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::HostNeutral;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool recording()
{
    return qEnvironmentVariable("ZAMO_RECORD_GOLDEN") == QLatin1String("1");
}

// A line as the failure shows it, line ends and tabs visible.
std::string shown(const QByteArray& line)
{
    QByteArray s = line;
    s.replace("\r", "\\r").replace("\t", "\\t");
    return s.toStdString();
}

// Where two files part: the first line that differs (text), or the first
// byte (binary).
std::string firstDifference(const QByteArray& recorded, const QByteArray& now, bool binary)
{
    if (binary) {
        qsizetype at = 0;
        while (at < recorded.size() && at < now.size() && recorded[at] == now[at])
            ++at;
        return "first difference at byte " + std::to_string(at) + " (recorded " + std::to_string(recorded.size())
               + " bytes, now " + std::to_string(now.size()) + ")";
    }
    const QList<QByteArray> a = recorded.split('\n');
    const QList<QByteArray> b = now.split('\n');
    qsizetype line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line])
        ++line;
    return "first difference at line " + std::to_string(line + 1)
           + "\n  recorded: " + (line < a.size() ? shown(a[line]) : std::string("(end of file)"))
           + "\n  now:      " + (line < b.size() ? shown(b[line]) : std::string("(end of file)"));
}

// The recorded files of one case, in data/<case>/.
class Golden {
public:
    explicit Golden(const QString& name) : m_folder(QStringLiteral(ZAMO_SOURCE_DIR "/tests/app/golden/data/") + name) {}

    // Compares what the station left with the recording (or records it).
    void check(const QString& name, const QByteArray& now, bool binary = false) const
    {
        const QString path = m_folder + QLatin1Char('/') + name;
        if (recording()) {
            QDir().mkpath(m_folder);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(now) != now.size())
                ADD_FAILURE() << "cannot record " << path.toStdString();
            return;
        }
        if (!QFile::exists(path)) {
            ADD_FAILURE() << "nothing recorded at " << path.toStdString();
            return;
        }
        const QByteArray recorded = readFile(path);
        if (withoutLibraryVersion(recorded) != withoutLibraryVersion(now))
            ADD_FAILURE() << path.toStdString() << " differs: " << firstDifference(recorded, now, binary);
    }

    // An SQLite file names the library version that wrote it (bytes 96..99 of its header); a
    // point release of the system library must not count as a change of the station's files.
    static QByteArray withoutLibraryVersion(QByteArray bytes)
    {
        if (bytes.startsWith("SQLite format 3") && bytes.size() >= 100)
            bytes.replace(96, 4, QByteArray(4, '\0'));
        return bytes;
    }

private:
    QString m_folder;
};

// Every file and folder under folder, by path relative to it.
QByteArray listing(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        names << QDir(folder).relativeFilePath(it.filePath()) + (it.fileInfo().isDir() ? "/" : "");
    }
    names.sort();
    return (names.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

// File, Exit: the station ends as the operator ends it.
void exitStation(testsupport::StationHarness& station)
{
    ASSERT_TRUE(station.choose(QStringLiteral("Exit")));
    ASSERT_TRUE(platform::ProgramEnd::requested());
}

TEST(GoldenFiles, AFirstStartLeavesTheRecordedFiles)
{
    testsupport::StationHarness station;
    ASSERT_TRUE(station.start());
    ASSERT_NO_FATAL_FAILURE(exitStation(station));

    const QString folder = station.dataFolder();
    const HostNeutral neutral(folder);
    const Golden golden(QStringLiteral("first-start"));
    golden.check(QStringLiteral("files.txt"), listing(folder));
    golden.check(QStringLiteral("settings.ini"), neutral.text(readFile(folder + "/settings.ini")));
    for (const char* name :
         {"standard.tsq", "standard80.tsq", "ElectrodeTestReport.rpt", "CondensedElectrodeTestReport.rpt",
          "Zamo80CondensedElectrodeTestReport.rpt", "sqlElectrodeTestReport.rpt", "sqlCondensedElectrodeTestReport.rpt",
          "sqlZamo80CondensedElectrodeTestReport.rpt"})
        golden.check(QString::fromLatin1(name), readFile(folder + "/" + name));
    golden.check(QStringLiteral("ZAMO_Results.mdb"), readFile(folder + "/ZAMO_Results.mdb"), true);
    golden.check(QStringLiteral("ZAMO_Results.dump"), testsupport::dumpDatabase(folder + "/ZAMO_Results.mdb", neutral));
}

// A whole run on one unit behind ttyUSB0 of a fake device tree: the Linux
// converter driver talks to it over a pseudo-terminal, and the simulated
// unit's replies answer each frame before the station reads again, so the
// run goes the same way every time.
class GoldenRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::FakeSerialTree::pseudoTerminalsAvailable())
            GTEST_SKIP() << "This machine gives no pseudo-terminals";
        auto emulator = std::make_unique<testsupport::PtyUnitEmulator>(tree);
        unit = emulator.get();
        previous = platform::D2xx::install(std::move(emulator));
        ASSERT_GE(tree.addDevice(0, "FT232R USB UART"), 0);
        unit->setResponder(0, ']', [this](const QByteArray& frame) {
            return answers.rxData(QString::fromLatin1(frame), true).toLatin1();
        });
        // The answers of an all-channel frame come channel by channel.
        QObject::connect(&answers, &unit::SimulatedUnit::dataReady,
                         [this](const QString& reply, qint16) { unit->send(0, reply.toLatin1()); });
    }
    void TearDown() override
    {
        station.reset();
        if (previous)
            platform::D2xx::install(std::move(previous));
    }

    // A first start with a two-channel unit of the model; "Connect Unit 1"
    // from the ZAMO Units menu, "Run Standard Sequence" with a lot and notes
    // (on both electrodes of a base unit; on A1 of a ZAMO80), the run to its
    // end, and File, Exit.
    void runStandardSequence(bool zamo80)
    {
        station = std::make_unique<testsupport::StationHarness>();
        // The unit's seconds clock runs on the station's (virtual) clock.
        answers.setNumOfChannels(2);
        answers.setZamo80(zamo80);
        answers.init();
        if (zamo80) {
            // The standard list of a ZAMO80 without its pace step, on the
            // one electrode a ZAMO80 step tests.
            station->writeDataFile("standard80.tsq", "2.0\r\nACLG,A1-P2,2\r\nDEFR,A1-P2,1\r\nNOISE,A1-P2,1\r\n"
                                                     "ACZ,A1-P2,1\r\nACZ30,A1-P2,1\r\nDCO,A1-P2,1\r\n");
            station->setSetting(QStringLiteral("Electrodes"), QStringLiteral("Default"), QStringLiteral("A1"));
        }
        ASSERT_TRUE(station->start());
        ASSERT_TRUE(station->choose(QStringLiteral("Connect Unit 1")));
        ui::TestWindow& form = station->testWindow();
        ASSERT_TRUE(
            station->runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000))
            << station->unitStatus(1).toStdString();
        testsupport::StationHarness::startNextRunWithLot(QStringLiteral("Lot 18"), QStringLiteral("Golden run"));
        ASSERT_TRUE(station->click(QStringLiteral("Run Standard Sequence")));
        ASSERT_TRUE(form.testRunning()) << station->windows().commBuffer().right(2000).toStdString();
        ASSERT_TRUE(station->runUntil([&] { return !form.testRunning(); }, 30 * 60 * 1000, 250));
        ASSERT_TRUE(station->windows().commBuffer().contains("* Tests Completed"))
            << station->windows().commBuffer().right(4000).toStdString();
        ASSERT_NO_FATAL_FAILURE(exitStation(*station));
    }

    // The dump of the results file and the full text report of each group.
    void checkResults(const QString& name, bool zamo80)
    {
        const QString folder = station->dataFolder();
        const QString database = folder + "/ZAMO_Results.mdb";
        const HostNeutral neutral(folder);
        const Golden golden(name);
        golden.check(QStringLiteral("ZAMO_Results.dump"), testsupport::dumpDatabase(database, neutral));
        for (const qint32 group : groups(database)) {
            const QString file = folder + QStringLiteral("/report-%1.txt").arg(group);
            ui::TestReportWindow report(station->stationSettings());
            report.setDatabasePath(database);
            ASSERT_TRUE(report.exportReport(group, file, QStringLiteral("TAB"), false, zamo80)) << group;
            golden.check(QFileInfo(file).fileName(), neutral.text(readFile(file)));
        }
    }

    // The groups in the file, by the number they are reported under.
    static QList<qint32> groups(const QString& database)
    {
        QList<qint32> ids;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("golden-groups"));
            db.setDatabaseName(database);
            if (db.open())
                for (QSqlQuery q(QStringLiteral("SELECT UniqueGroupID FROM TestGroups ORDER BY UniqueGroupID"), db);
                     q.next();)
                    ids << q.value(0).toInt();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("golden-groups"));
        return ids;
    }

    testsupport::FakeSerialTree tree;
    testsupport::PtyUnitEmulator* unit = nullptr;
    std::unique_ptr<platform::D2xx> previous;
    unit::SimulatedUnit answers;
    std::unique_ptr<testsupport::StationHarness> station;
};

TEST_F(GoldenRun, TheStandardListOnABaseUnitLeavesTheRecordedRowsAndReport)
{
    ASSERT_NO_FATAL_FAILURE(runStandardSequence(false));
    checkResults(QStringLiteral("base-run"), false);
}

TEST_F(GoldenRun, TheZamo80ListWithoutItsPaceStepLeavesTheRecordedRowsAndReport)
{
    ASSERT_NO_FATAL_FAILURE(runStandardSequence(true));
    checkResults(QStringLiteral("zamo80-run"), true);
}

} // namespace
