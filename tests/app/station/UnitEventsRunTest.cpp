// Unit and signal-generator events during a run of the whole station on a
// simulated ZAMO80: an opened lid stops the run; a roll step goes on when
// the signal generator's delay ends; the other unit's USB error box leaves
// the run going.
#include "config/IniKeys.h"
#include "platform/FakeD2xx.h"
#include "support/StationHarness.h"
#include "testlists/ElectrodeSelection.h"

#include <QDir>
#include <QPushButton>

#include <gmock/gmock.h>

#include <utility>

namespace {

class UnitEventsRunTest : public ::testing::Test {
protected:
    // Starts a list of the given steps on electrode A1 of a simulated ZAMO80.
    void startOnZamo80(const QStringList& types)
    {
        ASSERT_TRUE(station.start());
        station.connectSimulatedUnit(1, 2, true);
        ui::TestWindow& form = station.testWindow();
        ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
        testlists::StationTestLists& lists = station.station().testLists;
        lists.applyElectrodeString("A1");
        form.applyElectrodeSelection();
        lists.active.clear();
        for (const QString& type : types) {
            auto step = std::make_shared<testlists::TestStep>();
            step->initByString(type + ",A1,1");
            lists.active.append(step);
        }
        form.updateTestSequenceList();
        testsupport::StationHarness::startNextRunWithLot("LOT-3");
        form.testListPanel().runButton()->click();
        ASSERT_TRUE(form.testRunning()) << station.windows().commBuffer().toStdString();
    }

    QStringList logLines() const { return station.windows().commBuffer().split("\r\n"); }

    testsupport::StationHarness station;
};

TEST_F(UnitEventsRunTest, AnOpenedLidStopsTheRun)
{
    startOnZamo80({"ACZ", "ACZ30"});
    station.advance(3000);
    ASSERT_TRUE(station.testWindow().testRunning());

    emit station.link(1).replyReceived(unit::UnitReply{1, 0, unit::LidState{false}});

    EXPECT_FALSE(station.testWindow().testRunning());
    EXPECT_EQ(logLines().count("*ZAMO80 Lid Opened.  Aborting tests!"), 1);
    EXPECT_TRUE(logLines().contains("* Tests Cancelled"));
    EXPECT_TRUE(station.logText().contains("*ZAMO80 Lid Opened.  Aborting tests!"));
}

TEST_F(UnitEventsRunTest, ARollStepCompletesWhenTheRollersDelayEnds)
{
    QDir().mkpath(station.dataFolder());
    const QString ini = station.dataFolder() + "/settings.ini";
    config::iniWrite("ZAMO-SG", "Enabled", "1", ini);
    config::iniWrite("ZAMO-SG", "Delay", "12", ini);
    const qint64 started = platform::Clock::tickCount();
    startOnZamo80({"SGROLL"});
    ASSERT_TRUE(station.runUntil([&] { return !station.testWindow().testRunning(); }, 60000));

    const QStringList lines = logLines();
    EXPECT_TRUE(lines.contains("* ZAMO-SG Channel 0 Command Sent. Starting 12s Delay."))
        << station.windows().commBuffer().toStdString();
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
    platform::ScopedFakeD2xx noConverters; // the reconnection after OK finds no unit 2
    startOnZamo80({"ACZ"});
    station.advance(1000);
    ASSERT_TRUE(station.testWindow().testRunning());
    station.prompts().messageOpenMs = 120000;
    bool raised = false;
    qsizetype framesWhileOpen = 0;
    QString linesWhileOpen;
    QObject::connect(&station.link(1), &unit::UnitLink::txData, [&](int, const QString&) {
        if (std::exchange(raised, true))
            return;
        const qsizetype before = station.sent(1).size();
        const QString linesBefore = station.windows().commBuffer();
        emit station.link(2).usbError(2, QStringLiteral("FT-Write - General IO Error"));
        framesWhileOpen = station.sent(1).size() - before;
        linesWhileOpen = station.windows().commBuffer().mid(linesBefore.size());
    });
    station.advance(1000);
    ASSERT_TRUE(raised);
    station.prompts().messageOpenMs = 0;

    EXPECT_EQ(station.prompts().messages().filter("There is an error communicating with the device.").size(), 1);
    EXPECT_GT(framesWhileOpen, 10);
    EXPECT_TRUE(linesWhileOpen.contains("* ACZ Test Complete on Electrode A1")) << linesWhileOpen.toStdString();
    EXPECT_TRUE(linesWhileOpen.contains("* Tests Completed")) << linesWhileOpen.toStdString();
}

} // namespace
