// Unit and signal-generator events during a run of the whole station on a
// simulated ZAMO80: an opened lid stops the run; a roll step goes on when
// the signal generator's delay ends; the other unit's USB error box leaves
// the run going.
#include "support/StationHarness.h"

#include "config/IniKeys.h"
#include "platform/FakeD2xx.h"
#include "testlists/ElectrodeSelection.h"

#include <gmock/gmock.h>

#include <QDir>
#include <QPushButton>

#include <utility>

namespace {

class UnitEventsRunTest : public ::testing::Test {
protected:
    // Starts a list of the given steps on electrode A1 of a simulated ZAMO80.
    void StartOnZamo80(const QStringList& types)
    {
        ASSERT_TRUE(station.Start());
        station.ConnectSimulatedUnit(1, 2, true);
        MainForm& form = station.Form();
        ASSERT_TRUE(station.RunUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
        modMain::ApplyElectrodeString("A1");
        form.ApplyElectrodeSelection();
        Globals::ActiveTestList.clear();
        for (const QString& type : types) {
            auto step = std::make_shared<clsTestSequence>();
            step->InitByString(type + ",A1,1");
            Globals::ActiveTestList.append(step);
        }
        form.UpdateTestSequenceList();
        testsupport::StationHarness::StartNextRunWithLot("LOT-3");
        form.testListPanel().runButton()->click();
        ASSERT_TRUE(form.pTestRunning()) << StationWindows::CommBuffer().toStdString();
    }

    QStringList Lines() const { return StationWindows::CommBuffer().split("\r\n"); }

    testsupport::StationHarness station;
};

TEST_F(UnitEventsRunTest, AnOpenedLidStopsTheRun)
{
    StartOnZamo80({"ACZ", "ACZ30"});
    station.Advance(3000);
    ASSERT_TRUE(station.Form().pTestRunning());

    emit station.Link(1).RXMasterLidState(1, false);

    EXPECT_FALSE(station.Form().pTestRunning());
    EXPECT_EQ(Lines().count("*ZAMO80 Lid Opened.  Aborting tests!"), 1);
    EXPECT_TRUE(Lines().contains("* Tests Cancelled"));
    EXPECT_TRUE(station.LogText().contains("*ZAMO80 Lid Opened.  Aborting tests!"));
}

TEST_F(UnitEventsRunTest, ARollStepCompletesWhenTheRollersDelayEnds)
{
    QDir().mkpath(station.DataFolder());
    const QString ini = station.DataFolder() + "/settings.ini";
    modINIReadWrite::INIWrite("ZAMO-SG", "Enabled", "1", ini);
    modINIReadWrite::INIWrite("ZAMO-SG", "Delay", "12", ini);
    const qint64 started = platform::Clock::tickCount();
    StartOnZamo80({"SGROLL"});
    ASSERT_TRUE(station.RunUntil([&] { return !station.Form().pTestRunning(); }, 60000));

    const QStringList lines = Lines();
    EXPECT_TRUE(lines.contains("* ZAMO-SG Channel 0 Command Sent. Starting 12s Delay.")) << StationWindows::CommBuffer().toStdString();
    EXPECT_TRUE(lines.contains("ZAMO-SG Delay Complete."));
    EXPECT_TRUE(lines.contains("* Tests Completed"));
    EXPECT_GE(platform::Clock::tickCount() - started, 12000);
}

// Unit 2's port fails while a poll tick of unit 1 runs (a command for unit 2
// sent from a handler of unit 1's reply): the station's USB error box for
// unit 2 waits two minutes for the operator, and meanwhile unit 1 polls and
// reads, so that its run goes on to its end.
TEST_F(UnitEventsRunTest, UnitOneRunsOnWhileUnitTwosUsbErrorBoxWaits)
{
    platform::ScopedFakeD2xx noConverters;   // the reconnection after OK finds no unit 2
    StartOnZamo80({"ACZ"});
    station.Advance(1000);
    ASSERT_TRUE(station.Form().pTestRunning());
    station.Prompts().messageOpenMs = 120000;
    bool raised = false;
    qsizetype framesWhileOpen = 0;
    QString linesWhileOpen;
    QObject::connect(&station.Link(1), &ctlZAMOUsbComm::TXData, [&](int, const QString&) {
        if (std::exchange(raised, true))
            return;
        const qsizetype before = station.Sent(1).size();
        const QString linesBefore = StationWindows::CommBuffer();
        emit station.Link(2).UsbError(2, QStringLiteral("FT-Write - General IO Error"));
        framesWhileOpen = station.Sent(1).size() - before;
        linesWhileOpen = StationWindows::CommBuffer().mid(linesBefore.size());
    });
    station.Advance(1000);
    ASSERT_TRUE(raised);
    station.Prompts().messageOpenMs = 0;

    EXPECT_EQ(station.Prompts().messages().filter("There is an error communicating with the device.").size(), 1);
    EXPECT_GT(framesWhileOpen, 10);
    EXPECT_TRUE(linesWhileOpen.contains("* ACZ Test Complete on Electrode A1")) << linesWhileOpen.toStdString();
    EXPECT_TRUE(linesWhileOpen.contains("* Tests Completed")) << linesWhileOpen.toStdString();
}

} // namespace
