// The records of a whole run: the standard list on a simulated two-channel
// base-model unit, started from the main test window with a lot entered in
// the pre-test details window, on a fresh local database file and on the
// PostgreSQL test server. The station's own result handlers judge and
// record every reading.

#include "StationBackendFixture.h"
#include "run/VerdictRules.h"
#include "support/UnitReplies.h"
#include "unit/UnitLink.h"

#include <QPushButton>
#include <QRegularExpression>

#include <gmock/gmock.h>

#include <map>
#include <memory>

namespace {

using platform::DbBackend;

// The number of final DCO and SDR replies per electrode.
using Finals = std::map<QString, int>;

// Counts the final replies of the simulated unit as the link reports them.
void countFinals(unit::UnitLink& link, ui::TestWindow& form, Finals& finals)
{
    auto count = [&finals](qint16 channel, bool completed) {
        if (completed)
            ++finals[run::VerdictRules::electrodeName(run::UnitIndex::first(), channel)];
    };
    testsupport::onReply<unit::DcoReading>(
        &link, &form, [count](int, qint16 ch, const unit::DcoReading& r) { count(ch, r.completed); });
    testsupport::onReply<unit::SdrReading>(
        &link, &form, [count](int, qint16 ch, const unit::SdrReading& r) { count(ch, r.completed); });
}

// The final ACZ readings of the simulated unit, per electrode, in the order they came.
using Readings = std::map<QString, QList<double>>;

void collectAczFinals(unit::UnitLink& link, ui::TestWindow& form, Readings& readings)
{
    testsupport::onReply<unit::AczReading>(&link, &form, [&readings](int, qint16 ch, const unit::AczReading& r) {
        if (r.completed)
            readings[run::VerdictRules::electrodeName(run::UnitIndex::first(), ch)] << r.measurement;
    });
}

// The verdict codes the station announced for one electrode, in order.
QStringList announcedVerdicts(const QString& log, const QString& electrode)
{
    const std::map<QString, QString> codes{
        {"Passed", "PASS"}, {"Failed", "FAIL"}, {"Marginal Pass", "PASS?"}, {"Passed with Expired Channel", "PASS*"}};
    const QRegularExpression line("Final result recorded for " + electrode + ": ([^\\r\\n]*)");
    QStringList verdicts;
    for (auto m = line.globalMatch(log); m.hasNext();) {
        const QString text = m.next().captured(1).trimmed();
        const auto code = codes.find(text);
        verdicts << (code == codes.end() ? text : code->second);
    }
    return verdicts;
}

QStringList Column(platform::DbConnection& db, const QString& sql)
{
    QStringList values;
    for (platform::DbRecordset rows = db.execute(sql); !rows.eof(); rows.moveNext())
        values << rows.value(0).toString();
    return values;
}

class StationRecordsTest : public StationOnBackend {};

QString rows(platform::DbConnection& db, const QString& sql)
{
    return db.execute(sql).getString("|", "\n");
}

TEST_P(StationRecordsTest, TheStandardListLeavesOneCompletedGroupWithItsRecords)
{
    QDir().mkpath(station.dataFolder());
    config::iniWrite("Diagnostics", "Enabled", "1", station.dataFolder() + "/settings.ini");
    ASSERT_TRUE(station.start());
    ui::TestWindow& form = station.testWindow();
    Finals finals;
    countFinals(station.link(1), form, finals);
    Readings aczFinals;
    collectAczFinals(station.link(1), form, aczFinals);
    station.connectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().standardSequenceButton()->isEnabled(); }, 20000));

    testsupport::StationHarness::startNextRunWithLot("Lot 42");
    form.testListPanel().standardSequenceButton()->click();
    ASSERT_TRUE(form.testRunning()) << station.windows().commBuffer().right(2000).toStdString();
    ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 30 * 60 * 1000, 250));
    ASSERT_TRUE(station.windows().commBuffer().contains("* Tests Completed"));

    auto db = openResults();
    EXPECT_EQ(rows(*db, "SELECT LotNumber, Completed, Cancelled, Zamo80, UniqueGroupID FROM TestGroups"),
              "Lot 42|True|False|False|1\n");
    EXPECT_EQ(rows(*db, "SELECT UnitNumber, A_LotNumber, B_LotNumber, C_LotNumber FROM UnitElectrodes"),
              "1|Lot 42|Lot 42|\n");
    // The unit's diagnostics, asked for when the group was created, are stored with it.
    EXPECT_EQ(rows(*db, "SELECT d.UnitNumber, g.UniqueGroupID FROM UnitMasterDiagnostics d "
                        "JOIN TestGroups g ON g.GroupID = d.GroupID"),
              "1|1\n");
    EXPECT_EQ(rows(*db, "SELECT y.TypeName, u.Itteration, u.UnitNumber FROM Tests t "
                        "JOIN TestTypes y ON y.TypeID = t.TestTypeID JOIN TestUnit u ON u.TestID = t.TestID "
                        "ORDER BY t.TestID"),
              "DCO|1|1\nACZ|1|1\nSDR|1|1\nSDR|2|1\nSDR|3|1\nSDR|4|1\nACZ|1|1\n");

    // Every final reading is stored under its label, with the interim DCO
    // readings before it; every electrode of every step has its verdict.
    EXPECT_GE(finals["A1"], 5); // DCO and four SDR
    EXPECT_GE(finals["B1"], 5);
    QStringList labels;
    for (platform::DbRecordset rows =
             db->execute("SELECT m.TimeInterval, y.TypeName, m.A_Value, m.B_Value FROM TestMeasurements m "
                         "JOIN TestUnit u ON u.TestUnitID = m.TestUnitID JOIN Tests t ON t.TestID = u.TestID "
                         "JOIN TestTypes y ON y.TypeID = t.TestTypeID ORDER BY m.MeasurementID");
         !rows.eof(); rows.moveNext())
        labels << rows.value("TypeName").toString() + " " + rows.value("TimeInterval").toString();
    QStringList sdr;
    for (int i = 0; i < 4; ++i)
        sdr << "SDR 5"
            << "SDR 15"
            << "SDR 25"
            << "SDR 35";
    EXPECT_EQ(labels.filter(QRegularExpression("^(ACZ|SDR)")), QStringList({"ACZ 20"}) + sdr + QStringList{"ACZ 20"});
    EXPECT_EQ(labels.filter("DCO").last(), "DCO 61");
    EXPECT_GE(labels.filter("DCO").size(), 2);

    const QStringList verdicts{"PASS", "PASS?", "PASS*", "FAIL", "ERR", "FAIL_O", "FAIL_1", "FAIL_2"};
    platform::DbRecordset results =
        db->execute("SELECT A_Result, B_Result, C_Result FROM TestResults ORDER BY ResultID");
    int rowsOfResults = 0;
    for (; !results.eof(); results.moveNext(), ++rowsOfResults) {
        EXPECT_TRUE(verdicts.contains(results.value("A_Result").toString())) << rowsOfResults;
        EXPECT_TRUE(verdicts.contains(results.value("B_Result").toString())) << rowsOfResults;
        EXPECT_TRUE(results.value("C_Result").toString().isEmpty());
    }
    EXPECT_EQ(rowsOfResults, 7);

    // The stored readings are the simulator's values, and the stored verdicts
    // are the ones the station announced, electrode by electrode.
    const QString aczRows = "SELECT m.%1_Value FROM TestMeasurements m JOIN TestUnit u ON u.TestUnitID = m.TestUnitID "
                            "JOIN Tests t ON t.TestID = u.TestID JOIN TestTypes y ON y.TypeID = t.TestTypeID "
                            "WHERE y.TypeName = 'ACZ' ORDER BY m.MeasurementID";
    const QString log = station.logText();
    for (const QString letter : {"A", "B"}) {
        SCOPED_TRACE(letter.toStdString());
        const QList<double>& sent = aczFinals[letter + "1"];
        ASSERT_EQ(sent.size(), 2);
        QList<double> stored;
        for (const QString& v : Column(*db, aczRows.arg(letter)))
            stored << v.toDouble();
        EXPECT_EQ(stored, sent);
        EXPECT_EQ(Column(*db, QString("SELECT %1_Result FROM TestResults ORDER BY ResultID").arg(letter)),
                  announcedVerdicts(log, letter + "1"));
    }
}

INSTANTIATE_STATION_ON_BOTH_BACKENDS(StationRecordsTest);

} // namespace
