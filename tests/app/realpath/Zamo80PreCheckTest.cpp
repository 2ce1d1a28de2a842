// A ZAMO80 run through the station's own start-up, on a unit on a
// pseudo-terminal: the open-circuit pre-check finds an open electrode, the
// operator drops it, and the run tests the other electrode alone and leaves
// the run's group and its condensed group, whose report the station exports
// at the run's end with the open electrode's failure on it. The electrode
// is open either way a unit tells it: a reading below the open threshold,
// or no reading at all (over the range, on every repeat).

#include "RealPathFixture.h"
#include "platform/DbConnection.h"
#include "platform/DbRecordset.h"
#include "support/PdfText.h"

#include <QDir>

namespace {

struct OpenElectrode {
    const char* what;
    double reading;
    bool overRange;
};

class Zamo80PreCheck : public RealPath, public ::testing::WithParamInterface<OpenElectrode> {};

TEST_P(Zamo80PreCheck, DropsTheOpenElectrodeAndTheCondensedReportShowsItsFailure)
{
    const OpenElectrode& c = GetParam();
    station.writeDataFile("standard80.tsq", "2.0\r\nACZ,A1-P2,1\r\n");
    const QString exports = station.dataFolder() + "/exports/";
    QDir().mkpath(exports);
    station.setSetting("Reports", "ExportPDFEnabled", "1");
    station.setSetting("Reports", "ExportPath", exports);
    station.setSetting("Reports", "DisplayEnabled", "0");
    station.setSetting("Reports", "ShowShortCircuit", "1"); // the pre-check on the report
    Unit zamo80;
    zamo80.model = Model::Zamo80;
    zamo80.channels = 2;
    zamo80.acz[1] = c.reading; // B1 is open
    zamo80.aczOverRange[1] = c.overRange;
    ASSERT_TRUE(units.addUnit(0, zamo80));
    station.prompts().messageAnswers.push_back(platform::MsgResult::Ok);
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(station.choose("Connect Unit 1"));
    ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs))
        << station.unitStatus(1).toStdString();

    ASSERT_TRUE(runStandardSequence());
    const QStringList messages = station.prompts().messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], "Open Circuit Channels Detected! Click OK to ignore channel(s) B1, or click Cancel to "
                           "abort the test.");
    EXPECT_TRUE(messages[1].startsWith("Test report automatically exported to PDF file.")) << messages[1].toStdString();
    const QString log = station.logText();
    EXPECT_TRUE(log.contains("* Open Circuit test on Electrodes A1-P1 started at "));
    EXPECT_TRUE(log.contains("* ACZ test on Electrodes A1 started at "));
    EXPECT_FALSE(log.contains("* ACZ test on Electrodes B1 started at "));
    EXPECT_TRUE(log.contains("* Tests Completed"));

    platform::DbConnection db;
    db.openFile(station.stationSettings().paths.databaseFile, true);
    // B1's reading, where it gave one: in the run's group and the condensed one.
    EXPECT_EQ(db.execute("SELECT COUNT(*) FROM TestMeasurements WHERE B_Value IS NOT NULL").value(0).toInt(),
              c.overRange ? 0 : 2);
    // The condensed group holds the pre-check's two verdicts and A1's own.
    QStringList condensed;
    for (platform::DbRecordset r = db.execute(
             "SELECT t.Zamo80ParentTestID, r.A_Result, r.B_Result FROM TestGroups s JOIN TestGroups c "
             "ON c.GroupID = s.Zamo80CondensedID AND c.Zamo80CondensedID = s.UniqueGroupID JOIN Tests t "
             "ON t.GroupID = c.GroupID JOIN TestUnit u ON u.TestID = t.TestID JOIN TestResults r "
             "ON r.TestUnitID = u.TestUnitID WHERE s.DateExecuted IS NOT NULL ORDER BY t.Zamo80ParentTestID");
         !r.eof(); r.moveNext())
        condensed << r.value(0).toString() + " " + r.value(1).toString() + " " + r.value(2).toString();
    EXPECT_EQ(condensed, (QStringList{"1 PASS FAIL_O", "2 PASS "}));

    // The condensed report the station exported at the run's end: B1's line
    // carries the failure.
    const QStringList files = QDir(exports).entryList({"TestReport_*.PDF"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QString report = testsupport::pdfText(exports + files[0], true);
    QString b1;
    for (const QString& line : report.split('\n'))
        if (b1.isEmpty() && line.trimmed().startsWith("B1 "))
            b1 = line.simplified();
    EXPECT_TRUE(b1.contains("FAIL_O")) << report.toStdString();
}

INSTANTIATE_TEST_SUITE_P(RealPath, Zamo80PreCheck,
                         ::testing::Values(OpenElectrode{"Reading", -500, false}, OpenElectrode{"OverRange", 0, true}),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
