#include "LinkFixture.h"
#include "UnitLinkTestAccess.h"

using platform::Clock;
using platform::OleDate;

namespace {

using UsbComm = LinkFixture;

TEST_F(UsbComm, ChannelListNamesRunsAndSingleChannels)
{
    struct Case {
        qint16 unit;
        QList<int> channels;
        QString list;
    };
    QList<int> all;
    for (int c = 0; c < 16; ++c)
        all << c;
    const Case cases[] = {
        {1, {0, 1, 2, 3, 5}, "A1-D1.F1"},
        {2, all, "A2-P2"},
        {1, {0, 2}, "A1.C1"},
        {1, {0, 1}, "A1-B1"},
        {1, {15}, "P1"},
        {1, {14}, "O1"},
        {1, {}, ""},
        {1, {14, 15}, "O1-P1"},
        {1, {0, 7, 8, 9, 15}, "A1.H1-J1.P1"},
    };
    for (const Case& c : cases) {
        unit::UnitLink unit(c.unit);
        unit.setUnitNumber(c.unit);
        for (int ch : c.channels)
            unit.channels().electrode(ch)->setConnected(true);
        EXPECT_EQ(unit.channels().channelList(), c.list);
    }
}

TEST_F(UsbComm, StatusUpdateShowsTheModelAndTheChannels)
{
    connectedUnit(Model::Zamo80);
    for (int ch : {0, 1, 2, 3, 5})
        comm->channels().electrode(ch)->setConnected(true);
    UnitLinkTestAccess::refreshStatus(*comm);
    EXPECT_EQ(events.last(), "Status ZAMO80 Connected; A1-D1.F1");
    EXPECT_EQ(comm->status().hardwareInfo(), "Unit #1; Electrodes A1-D1.F1");
    EXPECT_EQ(comm->status().display().lamp, unit::UnitLinkDisplay::green());

    for (int ch = 0; ch < 16; ++ch)
        comm->channels().electrode(ch)->setConnected(false);
    UnitLinkTestAccess::refreshStatus(*comm);
    EXPECT_EQ(events.last(), "Status ZAMO80 Connected; No Electrodes Found");

    comm->disconnectDevice();
    EXPECT_EQ(comm->status().display().lamp, unit::UnitLinkDisplay::red());
    EXPECT_FALSE(comm->status().display().connectChecked);
}

TEST_F(UsbComm, ChannelIndexesOutsideTheUnitNeverReachARecord)
{
    for (qint16 bad : {qint16(-1), qint16(16), qint16(300)}) {
        EXPECT_FALSE(comm->channels().electrodeChannelExists(bad));
        EXPECT_FALSE(comm->channels().electrodeChannelCalibrationExpired(bad));
        EXPECT_EQ(comm->channels().electrodeChannelSerialNumber(bad), "");
        comm->channels().setElectrodeLastMeasurement(bad, 5, 6);
        EXPECT_EQ(comm->channels().getElectrodeLastMeasurement(bad), 0);
        EXPECT_EQ(comm->channels().getElectrodeLastMeasurement2(bad), 0);
        EXPECT_EQ(comm->channels().getPaceAmplitude(bad, 1), 0);
        EXPECT_EQ(comm->channels().electrode(bad), nullptr);
    }
    EXPECT_TRUE(log.last().contains("outside 0..15"));
}

TEST_F(UsbComm, LastMeasurementsAndPaceValuesPerChannel)
{
    comm->channels().setElectrodeLastMeasurement(4, 12.5);
    comm->channels().setElectrodeLastMeasurement(5, 1, 2);
    EXPECT_EQ(comm->channels().getElectrodeLastMeasurement(4), 12.5);
    EXPECT_EQ(comm->channels().getElectrodeLastMeasurement2(4), 0);
    EXPECT_EQ(comm->channels().getElectrodeLastMeasurement2(5), 2);
    comm->channels().clearElectrodeLastMeasurements();
    EXPECT_EQ(comm->channels().getElectrodeLastMeasurement(4), 0);

    comm->channels().electrode(2)->setZamo24PaceParameters(1, 2, 3, 4, 5, 6);
    EXPECT_EQ(comm->channels().getPaceAmplitude(2, 1), 1);
    EXPECT_EQ(comm->channels().getPacePulseWidth(2, 1), 2);
    EXPECT_EQ(comm->channels().getPaceBPM(2, 2), 6);
    EXPECT_EQ(comm->channels().getPaceAmplitude(2, 2), 4);
    EXPECT_EQ(comm->channels().getPaceAmplitude(2, 3), 0);
}

TEST_F(UsbComm, ACalibrationDatedTodayOrNeverReadHasExpired)
{
    const QDate today = platform::Clock::now().date();
    struct Case {
        platform::OleDate date;
        bool expired;
    };
    for (const Case& c : {Case{platform::OleDate::fromDate(today), true}, Case{platform::OleDate(), true},
                          Case{platform::OleDate::fromDate(today.addDays(-30)), true},
                          Case{platform::OleDate::fromDate(today.addDays(1)), false}}) {
        comm->channels().electrode(7)->setCalibrationDate(c.date);
        EXPECT_EQ(comm->channels().electrodeChannelCalibrationExpired(7), c.expired) << c.date.value;
    }
}

TEST_F(UsbComm, DiagnosticsListByModel)
{
    EXPECT_EQ(comm->channels().getDiagnosticArray(), QStringList({"", ""}));
    connectedUnit(Model::Base);
    const QStringList base = comm->channels().getDiagnosticArray();
    ASSERT_EQ(base.size(), 10);
    EXPECT_EQ(base.mid(6), QStringList({"False", "False", "False", ""}));
    EXPECT_EQ(base[1], "0");
}

TEST_F(UsbComm, ElectrodeArrayHandsOutTheLiveRecordsOnlyWhileConnected)
{
    EXPECT_TRUE(comm->channels().getElectrodeArray().isEmpty());
    connectedUnit(Model::Base);
    const auto records = comm->channels().getElectrodeArray();
    ASSERT_EQ(records.size(), 16);
    comm->channels().electrode(3)->setSerialNumber("12345");
    EXPECT_EQ(records[3]->serialNumber(), "12345");
}

TEST_F(UsbComm, PollIntervalTestRunningAndSimulatorControls)
{
    comm->setPollingTimerInterval(0);
    EXPECT_EQ(UnitLinkTestAccess::pollInterval(*comm), 150);
    comm->setPollingTimerInterval(250);
    EXPECT_EQ(UnitLinkTestAccess::pollInterval(*comm), 250);

    comm->setTestRunning(true);
    EXPECT_FALSE(comm->status().display().connectEnabled);
    comm->setTestRunning(false);
    EXPECT_TRUE(comm->status().display().connectEnabled);

    EXPECT_FALSE(comm->status().display().simVisible);
    comm->enableSim();
    EXPECT_TRUE(comm->status().display().simVisible);
}

TEST_F(UsbComm, ElectrodeRecordStartsEmpty)
{
    unit::ChannelRecord e;
    EXPECT_FALSE(e.connected());
    EXPECT_TRUE(e.calibrationDate().isZero());
    EXPECT_EQ(e.serialNumber(), "");
    EXPECT_FALSE(e.hasValidData());
    e.setConnected(true);
    e.setSerialNumber("00042");
    e.setCalibrationDate(platform::OleDate::fromDate(QDate(2026, 1, 1)));
    EXPECT_TRUE(e.hasValidData());
}

TEST_F(UsbComm, ASimulatedUnitConnectsThroughTheSameReceivePath)
{
    struct Case {
        bool zamo80, zamo24;
        QString status;
    };
    for (const Case& c :
         {Case{false, false, "Status ZAMO Connected; A1-B1"}, Case{true, false, "Status ZAMO80 Connected; A1-B1"},
          Case{false, true, "Status ZAMO2-4 Connected; A1-B1"}}) {
        events.clear();
        comm->connectSimulator(2, c.zamo80, c.zamo24);
        platform::Clock::advance(500);
        EXPECT_TRUE(comm->connected());
        EXPECT_EQ(comm->isZamo80(), c.zamo80);
        EXPECT_EQ(comm->isZamo24(), c.zamo24);
        EXPECT_EQ(only("UsbConnected"), QStringList({QString("UsbConnected %1 %2").arg(c.zamo80).arg(c.zamo24)}));
        EXPECT_EQ(events.filter("Status").last(), c.status);
        EXPECT_TRUE(only("TX ").contains("TX [F]"));
        comm->disconnectDevice();
        EXPECT_FALSE(comm->connected());
        EXPECT_FALSE(comm->simulatorMode());
    }
}

} // namespace
