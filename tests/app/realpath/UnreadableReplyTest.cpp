// A byte garbled on the line, through the station's own start-up: a unit on
// a pseudo-terminal whose final replies for one electrode carry a letter in
// place of a digit, the frame otherwise whole. The station asks for the
// reading again, logs the frame, and after the last retransmission stores
// ERR for that electrode alone; no reading is stored for it, and the other
// electrode is measured and judged as usual.

#include "RealPathFixture.h"
#include "platform/DbConnection.h"
#include "platform/DbParameter.h"
#include "platform/DbRecordset.h"

#include <QRegularExpression>

namespace {

using Model = testsupport::UnitEmulator::Model;

struct Garbled {
    const char* what;
    Model model;
    const char* list;     // the standard list of the unit's model
    const char* frame;    // the garbled frame as the log names it
    const char* type;     // the garbled test
    const char* goodCode; // the verdict of the other electrode
};

class UnreadableReply : public RealPath, public ::testing::WithParamInterface<Garbled> {
protected:
    // "<electrode letter>|<verdict>" of the verdicts of unit 1 in the run's
    // own group (the first) for the steps of one test type.
    static QStringList verdicts(platform::DbConnection& db, const QString& type)
    {
        QStringList found;
        for (platform::DbRecordset r = db.execute(
                 "SELECT r.A_Result, r.B_Result FROM Tests t JOIN TestTypes y ON y.TypeID = t.TestTypeID "
                 "JOIN TestUnit u ON u.TestID = t.TestID JOIN TestResults r ON r.TestUnitID = u.TestUnitID "
                 "WHERE t.GroupID = (SELECT MIN(GroupID) FROM TestGroups) AND y.TypeName = ? ORDER BY t.TestID",
                 {platform::DbParameter::fromValue(type)});
             !r.eof(); r.moveNext())
            found << "A|" + r.value(0).toString() << "B|" + r.value(1).toString();
        return found;
    }
    // The readings of A1 stored for the steps of one test type, in any group.
    static int aReadings(platform::DbConnection& db, const QString& type)
    {
        return db
            .execute("SELECT COUNT(*) FROM TestMeasurements m JOIN TestUnit u ON u.TestUnitID = m.TestUnitID "
                     "JOIN Tests t ON t.TestID = u.TestID JOIN TestTypes y ON y.TypeID = t.TestTypeID "
                     "WHERE y.TypeName = ? AND m.A_Value IS NOT NULL",
                     {platform::DbParameter::fromValue(type)})
            .value(0)
            .toInt();
    }
};

TEST_P(UnreadableReply, EndsInERRAfterTheLastRetransmissionWithNoReadingStored)
{
    const Garbled& c = GetParam();
    station.writeDataFile(c.model == Model::Base ? "standard.tsq" : "standard80.tsq", c.list);
    station.setSetting("Zamo80Delays", "DefibCharge", "3");
    Unit unit;
    unit.model = c.model;
    unit.channels = 2;
    unit.aclg = {1.5, 1.5};
    (c.model == Model::Base ? unit.garbledAcz : unit.garbledAclg)[0] = true; // A1
    ASSERT_TRUE(units.addUnit(0, unit));
    ASSERT_TRUE(station.start());
    ASSERT_TRUE(station.choose("Connect Unit 1"));
    ASSERT_TRUE(station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs))
        << station.unitStatus(1).toStdString();
    ASSERT_TRUE(runStandardSequence());

    const QString log = station.logText();
    EXPECT_TRUE(log.contains(QString("Unit #1 receive: Malformed reply ") + c.frame)) << log.toStdString();
    EXPECT_EQ(log.count("* Data error detected on Electrode A1. Requesting retransmission."), 4) << log.toStdString();
    EXPECT_TRUE(log.contains("* -> Electrode A1 Data Error"));
    // The garbled step gives A1 no reading and no pass (a ZAMO80's pre-check
    // before it measures A1 as usual).
    const QString step = log.mid(log.lastIndexOf(QString("* %1 test on Electrodes A1").arg(c.type)));
    ASSERT_FALSE(step.isEmpty());
    EXPECT_FALSE(step.contains("Measurement recorded for A1")) << step.toStdString();
    EXPECT_FALSE(step.contains(QRegularExpression("Final result recorded for A1: Pass"))) << step.toStdString();
    EXPECT_TRUE(log.contains("* Tests Completed"));

    const QString file = station.stationSettings().paths.databaseFile;
    platform::DbConnection db;
    db.openFile(file, true);
    const QStringList stored = verdicts(db, c.type);
    EXPECT_TRUE(stored.contains("A|ERR")) << stored.join(' ').toStdString();
    EXPECT_TRUE(stored.contains(QString("B|") + c.goodCode)) << stored.join(' ').toStdString();
    EXPECT_FALSE(stored.contains(QRegularExpression("^A\\|PASS"))) << stored.join(' ').toStdString();
    EXPECT_EQ(aReadings(db, c.type), 0);
}

INSTANTIATE_TEST_SUITE_P(RealPath, UnreadableReply,
                         ::testing::Values(Garbled{"BaseAcz", Model::Base, "1.0\nACZ,A1-B1,1\n",
                                                   "(GA1000,2000,0000,1150,3x00*)", "ACZ", "PASS"},
                                           Garbled{"Zamo80Aclg", Model::Zamo80, "2.0\r\nACLG,A1-B1,1\r\n",
                                                   "(GT3000,0x73*)", "ACLG", "PASS"}),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
