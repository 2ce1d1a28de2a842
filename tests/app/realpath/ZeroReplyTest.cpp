// A garbled ACZ30 zero reply, from a unit on a pseudo-terminal through the
// station's own start-up. Its value is never used, so garbled it does what a
// readable one does: it ends the zero routine on its electrode with its
// line, and nothing else. An ACZ30 zero run has no test group and leaves no
// row in the results file; an ACZ measurement that meets the reply is judged
// from its own final reading.

#include "RealPathFixture.h"
#include "support/StoredRunChecks.h"

namespace {

class ZeroReply : public RealPath {
protected:
    QString file() const { return station.stationSettings().paths.databaseFile; }
};

TEST_F(ZeroReply, AGarbledZeroReplyEndsTheZeroRunWithItsLineAndNoRow)
{
    Unit unit;
    unit.model = Model::Zamo80;
    unit.channels = 2;
    unit.garbledZero[0] = true; // A1
    ASSERT_TRUE(units.addUnit(0, unit));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO80 Connected; A1-B1"));
    ASSERT_TRUE(station.choose("Run ACZ30 Zero"));
    ASSERT_TRUE(station.testWindow().testRunning());
    ASSERT_TRUE(station.waitUntil([&] { return !station.testWindow().testRunning(); }, RunMs));

    const QString log = station.logText();
    EXPECT_TRUE(log.contains("Unit #1 receive: Malformed reply (Gz0x23): the field at 3 is not a number"))
        << log.toStdString();
    EXPECT_TRUE(log.contains("* ACZ30 Zero Test Complete on Electrode A1"));
    EXPECT_TRUE(log.contains("* ACZ30 Zero Test Complete on Electrode B1"));
    EXPECT_FALSE(log.contains("Requesting retransmission")) << log.toStdString();
    EXPECT_FALSE(log.contains("Data Error"));
    EXPECT_EQ(station.storedGroups(), 0);
    EXPECT_EQ(testsupport::rowsOfNoRun(file()), "");
    EXPECT_EQ(station.storedVerdicts(), QStringList());
}

TEST_F(ZeroReply, AGarbledZeroReplyDuringAnAczStepLeavesTheElectrodeToItsReading)
{
    station.writeDataFile("standard80.tsq", "2.0\nACZ,A1-P2,1\n");
    Unit unit;
    unit.model = Model::Zamo80;
    unit.channels = 2;
    unit.garbledZeroInAcz[0] = true; // A1, in the open-circuit pre-check and in the step
    ASSERT_TRUE(units.addUnit(0, unit));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(connectFromMenu(1, "ZAMO80 Connected; A1-B1"));
    ASSERT_TRUE(runStandardSequence());

    const QString log = station.logText();
    EXPECT_EQ(log.count("Malformed reply (Gz0x23)"), 2) << log.toStdString();
    EXPECT_EQ(log.count("* ACZ30 Zero Test Complete on Electrode A1"), 2);
    EXPECT_FALSE(log.contains("Requesting retransmission")) << log.toStdString();
    EXPECT_EQ(station.storedVerdicts(), (QStringList{"A1 PASS", "B1 PASS", "A1 PASS", "B1 PASS"}));
    EXPECT_EQ(testsupport::groupEnds(file()), "1|True|False\n");
    EXPECT_EQ(testsupport::rowsOfNoRun(file()), "");
}

} // namespace
