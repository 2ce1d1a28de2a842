// The records of a whole run: the standard list on a simulated two-channel
// base-model unit, started from the main test window with a lot entered in
// the pre-test details window, on a fresh local database file and on the
// PostgreSQL test server. Until the station's own result handlers judge
// the readings, a stand-in completes each electrode at its final reading and
// records it with its label as the handlers do.

#include "support/StationHarness.h"

#include "core/modINIReadWrite.h"
#include "execution/UnitResultHandler.h"
#include "link/ctlZAMOUsbComm.h"
#include "platform/DbConnection.h"
#include "results/ResultsSchema.h"
#include "support/PgTestDatabase.h"

#include <gmock/gmock.h>

#include <QPushButton>

#include <map>
#include <memory>

namespace {

using platform::DbBackend;

// Final readings as the unit link reported them, per electrode in order: (label, value).
using Finals = std::map<QString, QList<std::pair<QString, double>>>;

class RecordingStandIn : public UnitResultHandler {
public:
    explicit RecordingStandIn(MainForm& form) : m_form(form) {}
    Finals finals;

    void RXACZTestData(int index, qint16 channel, qint16, qint16, qint16, qint16, qint16, bool completed, double,
                       double measurement, double, bool) override
    {
        if (completed)
            Final(index, channel, {{"20", measurement}});
    }
    void RXDCOTestData(int index, qint16 channel, qint16, qint16, qint16, qint16, qint16, qint16, bool completed,
                       double, double measurement, bool) override
    {
        if (completed)
            Final(index, channel, {{"61", measurement}});
    }
    void RXSDRTestData(int index, qint16 channel, qint16, qint16, qint16, qint16, qint16, qint16, qint16, qint16, qint16,
                       bool completed, double, double initial, double rate1, double rate2, double rate3) override
    {
        if (completed)
            Final(index, channel, {{"5", initial}, {"15", rate1}, {"25", rate2}, {"35", rate3}}, true);
    }

private:
    void Final(int unit, qint16 channel, const std::vector<std::pair<QString, double>>& readings, bool sdr = false)
    {
        auto step = m_form.State().pActiveTest;
        const auto electrode = qint16((unit - 1) * 16 + channel);
        if (!step || !step->IsElectrodeTestActive(electrode))
            return;
        RunRecorder& recorder = *m_form.Services().recorder;
        int point = 0;
        for (const auto& [label, value] : readings) {
            recorder.RecordChannelMeasurement(unit, channel, label, value, sdr, ++point, 0, false, false, label.toInt());
            finals[clsTestSequence::FindElectrodeNameByIndex(electrode)] << std::make_pair(label, value);
        }
        recorder.RecordChannelResult(unit, channel, QStringLiteral("PASS"), false);
        step->SetElectrodeTestComplete(electrode);
    }

    MainForm& m_form;
};

class StationRecordsTest : public ::testing::TestWithParam<DbBackend> {
protected:
    void SetUp() override
    {
        if (GetParam() == DbBackend::PostgreSQL)
            PointSettingsAtServer();
    }

    void PointSettingsAtServer()
    {
        QString why;
        if (!testsupport::PgTestDatabase::serverConfigured(&why)) {
            if (testsupport::PgTestDatabase::required())
                FAIL() << "CI=true and " << why.toStdString();
            GTEST_SKIP() << "PostgreSQL tests skipped: " << why.toStdString();
        }
        server = std::make_unique<testsupport::PgTestDatabase>();
        const platform::DbServerAddress a = server->address();
        platform::DbConnection connection;
        connection.openServer(a);
        ResultsSchema::Create(connection, ResultsSchema::TemplateRevision);
        const QString ini = station.DataFolder() + "/settings.ini";
        QDir().mkpath(station.DataFolder());
        for (const auto& [key, value] : std::map<QString, QString>{{"UseLocalDatabase", "0"},
                                                                   {"SQLServerHost", a.host},
                                                                   {"SQLServerInstance", QString::number(a.port)},
                                                                   {"SQLServerDatabaseName", a.database},
                                                                   {"SQLUsername", a.user},
                                                                   {"SQLPassword", a.password}})
            modINIReadWrite::INIWrite("Database", key, value, ini);
    }

    std::unique_ptr<platform::DbConnection> OpenResults() const
    {
        auto db = std::make_unique<platform::DbConnection>();
        if (server)
            db->openServer(server->address());
        else
            db->openFile(Globals::DatabaseFilePath, true);
        return db;
    }

    std::unique_ptr<testsupport::PgTestDatabase> server;
    testsupport::StationHarness station;
};

QString Rows(platform::DbConnection& db, const QString& sql)
{
    return db.execute(sql).getString("|", "\n");
}

TEST_P(StationRecordsTest, TheStandardListLeavesOneCompletedGroupWithItsRecords)
{
    ASSERT_TRUE(station.Start());
    MainForm& form = station.Form();
    auto standIn = std::make_unique<RecordingStandIn>(form);
    RecordingStandIn* handler = standIn.get();
    form.Services().results = std::move(standIn);
    station.ConnectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.RunUntil([&] { return form.RunStandardSequenceButton->isEnabled(); }, 20000));

    testsupport::StationHarness::StartNextRunWithLot("Lot 42");
    form.RunStandardSequenceButton->click();
    ASSERT_TRUE(form.pTestRunning()) << Globals::CommBuffer.right(2000).toStdString();
    ASSERT_TRUE(station.RunUntil([&] { return !form.pTestRunning(); }, 30 * 60 * 1000, 250));
    ASSERT_TRUE(Globals::CommBuffer.contains("* Tests Completed"));

    auto db = OpenResults();
    EXPECT_EQ(Rows(*db, "SELECT LotNumber, Completed, Cancelled, Zamo80, UniqueGroupID FROM TestGroups"),
              "Lot 42|True|False|False|1\n");
    EXPECT_EQ(Rows(*db, "SELECT UnitNumber, A_LotNumber, B_LotNumber, C_LotNumber FROM UnitElectrodes"),
              "1|Lot 42|Lot 42|\n");
    EXPECT_EQ(Rows(*db, "SELECT y.TypeName, u.Itteration, u.UnitNumber FROM Tests t "
                        "JOIN TestTypes y ON y.TypeID = t.TestTypeID JOIN TestUnit u ON u.TestID = t.TestID "
                        "ORDER BY t.TestID"),
              "DCO|1|1\nACZ|1|1\nSDR|1|1\nSDR|2|1\nSDR|3|1\nSDR|4|1\nACZ|1|1\n");

    // Every final reading of the unit link is in its row under its label.
    const auto& a1 = handler->finals["A1"];
    const auto& b1 = handler->finals["B1"];
    ASSERT_EQ(a1.size(), 1 + 1 + 4 * 4 + 1);
    ASSERT_EQ(b1.size(), a1.size());
    platform::DbRecordset rows = db->execute(
        "SELECT m.TimeInterval, m.A_Value, m.B_Value, y.TypeName FROM TestMeasurements m "
        "JOIN TestUnit u ON u.TestUnitID = m.TestUnitID JOIN Tests t ON t.TestID = u.TestID "
        "JOIN TestTypes y ON y.TypeID = t.TestTypeID ORDER BY m.MeasurementID");
    ASSERT_EQ(rows.recordCount(), a1.size());
    QStringList labels;
    for (int i = 0; !rows.eof(); rows.moveNext(), ++i) {
        const QString label = rows.value("TimeInterval").toString();
        labels << rows.value("TypeName").toString() + " " + label;
        EXPECT_EQ(label, a1[i].first);
        EXPECT_EQ(label, b1[i].first);
        EXPECT_DOUBLE_EQ(rows.value("A_Value").toDouble(), a1[i].second) << label.toStdString();
        EXPECT_DOUBLE_EQ(rows.value("B_Value").toDouble(), b1[i].second) << label.toStdString();
    }
    QStringList sdr;
    for (int i = 0; i < 4; ++i)
        sdr << "SDR 5" << "SDR 15" << "SDR 25" << "SDR 35";
    EXPECT_EQ(labels, QStringList({"DCO 61", "ACZ 20"}) + sdr + QStringList{"ACZ 20"});
    EXPECT_EQ(Rows(*db, "SELECT A_Result, B_Result, C_Result FROM TestResults ORDER BY ResultID"),
              QString("PASS|PASS|\n").repeated(7));
}

INSTANTIATE_TEST_SUITE_P(Backends, StationRecordsTest, ::testing::Values(DbBackend::SQLite, DbBackend::PostgreSQL),
                         [](const ::testing::TestParamInfo<DbBackend>& info) {
                             return std::string(info.param == DbBackend::SQLite ? "SQLite" : "PostgreSQL");
                         });

} // namespace
