#include "LinkFixture.h"
#include "UsbCommTestAccess.h"

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
        {1, {0, 1, 2, 3, 5}, "A1-D1.F1"}, {2, all, "A2-P2"}, {1, {0, 2}, "A1.C1"}, {1, {0, 1}, "A1-B1"},
        {1, {15}, "P1"},  {1, {14}, "O1"}, {1, {}, ""}, {1, {14, 15}, "O1-P1"}, {1, {0, 7, 8, 9, 15}, "A1.H1-J1.P1"},
    };
    for (const Case& c : cases) {
        ctlZAMOUsbComm unit(c.unit);
        unit.setUnitID(c.unit);
        for (int ch : c.channels)
            unit.Electrode(ch)->setConnected(true);
        EXPECT_EQ(unit.GenerateElectrodeString(), c.list);
    }
}

TEST_F(UsbComm, StatusUpdateShowsTheModelAndTheChannels)
{
    ConnectedUnit(Model::Zamo80);
    for (int ch : {0, 1, 2, 3, 5})
        comm->Electrode(ch)->setConnected(true);
    UsbCommTestAccess::RefreshStatus(*comm);
    EXPECT_EQ(events.last(), "Status ZAMO80 Connected; A1-D1.F1");
    EXPECT_EQ(comm->HardwareInfo(), "Unit #1; Electrodes A1-D1.F1");
    EXPECT_EQ(comm->Display().lamp, UsbCommDisplay::Green());

    for (int ch = 0; ch < 16; ++ch)
        comm->Electrode(ch)->setConnected(false);
    UsbCommTestAccess::RefreshStatus(*comm);
    EXPECT_EQ(events.last(), "Status ZAMO80 Connected; No Electrodes Found");

    comm->Disconnect();
    EXPECT_EQ(comm->Display().lamp, UsbCommDisplay::Red());
    EXPECT_FALSE(comm->Display().connectChecked);
}

TEST_F(UsbComm, ChannelIndexesOutsideTheUnitNeverReachARecord)
{
    for (qint16 bad : {qint16(-1), qint16(16), qint16(300)}) {
        EXPECT_FALSE(comm->ElectrodeChannelExists(bad));
        EXPECT_FALSE(comm->ElectrodeChannelCalibrationExpired(bad));
        EXPECT_EQ(comm->ElectrodeChannelSerialNumber(bad), "");
        comm->SetElectrodeLastMeasurement(bad, 5, 6);
        EXPECT_EQ(comm->GetElectrodeLastMeasurement(bad), 0);
        EXPECT_EQ(comm->GetElectrodeLastMeasurement2(bad), 0);
        EXPECT_EQ(comm->GetPaceAmplitude(bad, 1), 0);
        EXPECT_EQ(comm->Electrode(bad), nullptr);
    }
    EXPECT_TRUE(log.last().contains("outside 0..15"));
}

TEST_F(UsbComm, LastMeasurementsAndPaceValuesPerChannel)
{
    comm->SetElectrodeLastMeasurement(4, 12.5);
    comm->SetElectrodeLastMeasurement(5, 1, 2);
    EXPECT_EQ(comm->GetElectrodeLastMeasurement(4), 12.5);
    EXPECT_EQ(comm->GetElectrodeLastMeasurement2(4), 0);
    EXPECT_EQ(comm->GetElectrodeLastMeasurement2(5), 2);
    comm->ClearElectrodeLastMeasurements();
    EXPECT_EQ(comm->GetElectrodeLastMeasurement(4), 0);

    comm->Electrode(2)->SetZamo24PaceParameters(1, 2, 3, 4, 5, 6);
    EXPECT_EQ(comm->GetPaceAmplitude(2, 1), 1);
    EXPECT_EQ(comm->GetPacePulseWidth(2, 1), 2);
    EXPECT_EQ(comm->GetPaceBPM(2, 2), 6);
    EXPECT_EQ(comm->GetPaceAmplitude(2, 2), 4);
    EXPECT_EQ(comm->GetPaceAmplitude(2, 3), 0);
}

TEST_F(UsbComm, ACalibrationDatedTodayOrNeverReadHasExpired)
{
    const QDate today = Clock::now().date();
    struct Case {
        OleDate date;
        bool expired;
    };
    for (const Case& c : {Case{OleDate::fromDate(today), true}, Case{OleDate(), true},
                          Case{OleDate::fromDate(today.addDays(-30)), true},
                          Case{OleDate::fromDate(today.addDays(1)), false}}) {
        comm->Electrode(7)->setCalibrationDate(c.date);
        EXPECT_EQ(comm->ElectrodeChannelCalibrationExpired(7), c.expired) << c.date.value;
    }
}

TEST_F(UsbComm, DiagnosticsListByModel)
{
    EXPECT_EQ(comm->GetDiagnosticArray(), QStringList({"", ""}));
    ConnectedUnit(Model::Base);
    const QStringList base = comm->GetDiagnosticArray();
    ASSERT_EQ(base.size(), 10);
    EXPECT_EQ(base.mid(6), QStringList({"False", "False", "False", ""}));
    EXPECT_EQ(base[1], "0");
}

TEST_F(UsbComm, ElectrodeArrayHandsOutTheLiveRecordsOnlyWhileConnected)
{
    EXPECT_TRUE(comm->GetElectrodeArray().isEmpty());
    ConnectedUnit(Model::Base);
    const auto records = comm->GetElectrodeArray();
    ASSERT_EQ(records.size(), 16);
    comm->Electrode(3)->setSerialNumber("12345");
    EXPECT_EQ(records[3]->SerialNumber(), "12345");
}

TEST_F(UsbComm, PollIntervalTestRunningAndSimulatorControls)
{
    comm->SetPollingTimerInterval(0);
    EXPECT_EQ(UsbCommTestAccess::PollInterval(*comm), 150);
    comm->SetPollingTimerInterval(250);
    EXPECT_EQ(UsbCommTestAccess::PollInterval(*comm), 250);

    comm->setTestRunning(true);
    EXPECT_FALSE(comm->Display().connectEnabled);
    comm->setTestRunning(false);
    EXPECT_TRUE(comm->Display().connectEnabled);

    EXPECT_FALSE(comm->Display().simVisible);
    comm->EnableSim();
    EXPECT_TRUE(comm->Display().simVisible);
}

TEST_F(UsbComm, TheConnectToggleOpensAndClosesThePort)
{
    UnitOfModel(Model::Base);
    comm->ConnectToggleClicked(true);
    EXPECT_TRUE(comm->Connected());
    EXPECT_TRUE(comm->Display().connectChecked);
    comm->ConnectToggleClicked(false);
    EXPECT_FALSE(comm->Connected());

    // A channel count that is not a number opens nothing.
    comm->setUseSimChecked(true);
    comm->setSimChannelsText("two");
    comm->ConnectToggleClicked(true);
    EXPECT_FALSE(comm->Connected());
    EXPECT_FALSE(comm->Display().connectChecked);
    EXPECT_TRUE(log.last().contains("not a number"));
}

TEST_F(UsbComm, ElectrodeRecordStartsEmpty)
{
    clsElectrode e;
    EXPECT_FALSE(e.Connected());
    EXPECT_TRUE(e.CalibrationDate().isZero());
    EXPECT_EQ(e.SerialNumber(), "");
    EXPECT_FALSE(e.HasValidData());
    e.setConnected(true);
    e.setSerialNumber("00042");
    e.setCalibrationDate(OleDate::fromDate(QDate(2026, 1, 1)));
    EXPECT_TRUE(e.HasValidData());
}

TEST_F(UsbComm, ASimulatedUnitConnectsThroughTheSameReceivePath)
{
    struct Case {
        bool zamo80, zamo24;
        QString status;
    };
    for (const Case& c : {Case{false, false, "Status ZAMO Connected; A1-B1"},
                          Case{true, false, "Status ZAMO80 Connected; A1-B1"},
                          Case{false, true, "Status ZAMO2-4 Connected; A1-B1"}}) {
        events.clear();
        comm->ConnectSimulator(2, c.zamo80, c.zamo24);
        Clock::advance(500);
        EXPECT_TRUE(comm->Connected());
        EXPECT_EQ(comm->IsZAMO80(), c.zamo80);
        EXPECT_EQ(comm->IsZAMO24(), c.zamo24);
        EXPECT_EQ(Only("UsbConnected"), QStringList({QString("UsbConnected %1 %2").arg(c.zamo80).arg(c.zamo24)}));
        EXPECT_EQ(events.filter("Status").last(), c.status);
        EXPECT_TRUE(Only("TX ").contains("TX [F]"));
        comm->Disconnect();
        EXPECT_FALSE(comm->Connected());
        EXPECT_FALSE(comm->SimulatorMode());
    }
}

} // namespace
