// The receive path of the component: reads split and joined into frames,
// rxDataInBuffer and rxData around every reply, channel attribution, and
// the state that replies leave in the component and its channel records.
#include "ParserFixture.h"
#include "support/InstalledLog.h"
#include "support/TempDataHome.h"
#include "support/UnitReplies.h"
#include "unit/ReadingArithmetic.h"

#include <QDir>
#include <QFile>

namespace {

struct Case {
    const char* name;
    QStringList reads;         // read path; one entry per read
    std::vector<Event> events; // every event, rxDataInBuffer and rxData included
};

class ReadTable : public ParserFixture, public ::testing::WithParamInterface<Case> {};

TEST_P(ReadTable, RaisesExactEvents)
{
    parser.attributeTo(5);
    for (const QString& read : GetParam().reads)
        parser.parseRead(read.toLatin1());
    EXPECT_TRUE(sameEvents(recorder.events, GetParam().events));
}

const QString nul(QChar(0));

INSTANTIATE_TEST_SUITE_P(
    reads, ReadTable,
    ::testing::Values(
        Case{"UnitThenChannel",
             {"[*](*)"},
             {{"rxDataInBuffer", {"[*](*)"}},
              {"rxData", {0, "[*]"}},
              {"rxMasterIdle", {}},
              {"rxDataInBuffer", {"(*)"}},
              {"rxData", {5, "(*)"}},
              {"rxIdle", {5}}}},
        Case{"ChannelThenUnit",
             {"(*)[*]"},
             {{"rxDataInBuffer", {"(*)[*]"}},
              {"rxData", {5, "(*)"}},
              {"rxIdle", {5}},
              {"rxDataInBuffer", {"[*]"}},
              {"rxData", {0, "[*]"}},
              {"rxMasterIdle", {}}}},
        Case{"SplitAcrossReads",
             {"(GB02022,2513,20", "46,2054,0001,0030*)"},
             {{"rxDataInBuffer", {"(GB02022,2513,20"}},
              {"rxDataInBuffer", {"(GB02022,2513,2046,2054,0001,0030*)"}},
              {"rxData", {5, "(GB02022,2513,2046,2054,0001,0030*)"}},
              {"rxBiasTestData", {5, 2022, 2513, 2046, 2054, 0, 1, 30, true, 0.1018330, 0.8146640}}}},
        Case{"NulInsideFrame",
             {"(" + nul + "*)" + nul},
             {{"rxDataInBuffer", {"(*)"}}, {"rxData", {5, "(*)"}}, {"rxIdle", {5}}}},
        Case{"OpeningBracketEndsRead",
             {"(*)(", "!)"},
             {{"rxDataInBuffer", {"(*)("}},
              {"rxData", {5, "(*)"}},
              {"rxIdle", {5}},
              {"rxDataInBuffer", {"("}},
              {"rxDataInBuffer", {"(!)"}},
              {"rxData", {5, "(!)"}},
              {"rxTestDataNotReady", {5}}}},
        Case{"StrayClosingBracket",
             {"7*)(*)"},
             {{"rxDataInBuffer", {"7*)(*)"}}, {"rxDataInBuffer", {"(*)"}}, {"rxData", {5, "(*)"}}, {"rxIdle", {5}}}},
        Case{"UnitFrameNeverClosed",
             {"[d06(!)", "[*]"},
             {{"rxDataInBuffer", {"[d06(!)"}},
              {"rxDataInBuffer", {"(!)"}},
              {"rxData", {5, "(!)"}},
              {"rxTestDataNotReady", {5}},
              {"rxDataInBuffer", {"[*]"}},
              {"rxData", {0, "[*]"}},
              {"rxMasterIdle", {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParserFixture, PendingTextWaitsForTheNextReadAndGivenTextDropsIt)
{
    parser.parseRead("(*)xy");
    EXPECT_EQ(UnitLinkTestAccess::pendingText(comm), "xy");
    parser.parseRead("(*)x");
    EXPECT_EQ(UnitLinkTestAccess::pendingText(comm), "");
    parser.parseRead("(GA21");
    recorder.events.clear();
    parser.parseText("30,3593*)(!)");
    EXPECT_TRUE(sameEvents(recorder.replies(), {{"rxTestDataNotReady", {0}}}));
    EXPECT_EQ(UnitLinkTestAccess::pendingText(comm), "");
}

TEST_F(ParserFixture, ChannelReplyBeforeAnyCommandBelongsToChannelZero)
{
    parser.parseText("(*)");
    EXPECT_TRUE(sameEvents(recorder.replies(), {{"rxIdle", {0}}}));
}

TEST_F(ParserFixture, FoundChannelsMapSetsExactlyTheMarkedChannels)
{
    comm.channels().electrode(5)->setConnected(true);
    const std::vector<Event> events = decode("[F1100000000000001]");
    // The status display is refreshed before the event.
    EXPECT_TRUE(sameEvents(
        events, {{"hardwareStatus", {"Disconnected", false}}, {"rxMasterFoundChannels", {"1100000000000001"}}}));
    for (int ch = 0; ch < 16; ++ch)
        EXPECT_EQ(comm.channels().electrode(ch)->connected(), ch == 0 || ch == 1 || ch == 15) << ch;
    // A map cut short, or with anything but 0 and 1, connects only the
    // channels marked "1" and is passed on as it came.
    for (const char* broken : {"[F11]", "[F110000000000000x]", "[F1x0000000000000?1]"}) {
        const QString map = QString::fromLatin1(broken).mid(2).chopped(1);
        EXPECT_TRUE(sameEvents(
            decode(broken), {{"hardwareStatus", {"Disconnected", false}}, {"rxMasterFoundChannels", {map.left(16)}}}))
            << broken;
        for (int ch = 0; ch < 16; ++ch)
            EXPECT_EQ(comm.channels().electrode(ch)->connected(), ch < map.size() && map[ch] == u'1') << broken;
    }
}

TEST_F(ParserFixture, MaintenanceRepliesWriteTheAddressedChannelRecord)
{
    setModel(Model::Zamo24);
    decode("(MV100101)", 3);
    decode("(MS1AB123)", 3);
    decode("(MD12024,03,15)", 3);
    decode("(Mp11234,5678,1234,5678,1000,0700)", 3);
    const unit::ChannelRecord& e = *comm.channels().electrode(3);
    EXPECT_EQ(e.firmwareVersion(), "001.01");
    EXPECT_EQ(e.serialNumber(), "AB123");
    EXPECT_EQ(e.calibrationDate().date(), QDate(2024, 3, 15));
    EXPECT_DOUBLE_EQ(e.zamo24Pace1Amplitude(), 10.0);
    EXPECT_DOUBLE_EQ(e.zamo24Pace2Amplitude(), 7.0);
    EXPECT_NEAR(e.zamo24Pace1PulseWidth(), 61.7, 1e-9);
    EXPECT_NEAR(e.zamo24Pace1BPM(), 46.307016, 1e-6);
    EXPECT_NEAR(e.zamo24Pace2PulseWidth(), 283.9, 1e-9);
    for (int ch = 0; ch < 16; ++ch)
        EXPECT_EQ(comm.channels().electrode(ch)->serialNumber().isEmpty(), ch != 3) << ch;

    // A date that does not convert, or is no calendar date, keeps the previous one.
    EXPECT_TRUE(sameEvents(decode("(MD12024,xx,15)", 3), {}));
    EXPECT_TRUE(sameEvents(decode("(MD12024,13,40)", 3), {{"rxCalibrationDate", {3, 2024, 13, 40}}}));
    EXPECT_EQ(comm.channels().electrode(3)->calibrationDate().date(), QDate(2024, 3, 15));
}

TEST_F(ParserFixture, DiagnosticsAndLidRepliesSetTheUnitState)
{
    setModel(Model::Zamo80);
    decode("[d0629,0234,0362,0362,0174,0100,1,0,01010]");
    EXPECT_TRUE(comm.lidClosed());
    EXPECT_TRUE(comm.channels().reg5VWorking());
    EXPECT_EQ(comm.channels().unitFirmwareVersion(), "010.10");
    EXPECT_EQ(comm.channels().vcc(), 5);
    EXPECT_EQ(comm.channels().neg5V(), -5);
    decode("[L1]");
    EXPECT_FALSE(comm.lidClosed());
    decode("[L0]");
    decode("[D0629,0234,0362,0362,0174,1,1,1,01010]");
    EXPECT_FALSE(comm.lidClosed()); // the base layout always reads the lid open
    EXPECT_TRUE(comm.channels().working200VOn());
    EXPECT_NEAR(UnitLinkTestAccess::temperature(comm), 39.614235, 1e-6);
    EXPECT_EQ(comm.channels().temperature(), 40);
}

// Channel replies for a channel beyond 0..15 (a command framed for channel
// 16 or more) reach the log, never a channel record or a reply handler.
TEST_F(ParserFixture, ReplyForChannelBeyondFifteenWritesNoRecord)
{
    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    stationLog.start();
    setModel(Model::Zamo24);
    for (qint16 ch : {qint16(16), qint16(40), qint16(-1)}) {
        const std::vector<Event> events =
            decode("(MS1AB123)(MV100101)(MD12024,03,15)(Mp11234,5678,1234,5678,1000,0700)(*)", ch);
        EXPECT_TRUE(events.empty()) << ch;
        EXPECT_EQ(recorder.events.front().name, "rxDataInBuffer");
    }
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_TRUE(comm.channels().electrode(ch)->serialNumber().isEmpty());
        EXPECT_EQ(comm.channels().electrode(ch)->zamo24Pace1Amplitude(), 0.0);
    }
    QFile log(stationLog.path());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Reply (MS1AB123) ignored: channel 16 does not exist"));
}

TEST_F(ParserFixture, MalformedRepliesAreLogged)
{
    testsupport::TempDataHome home;
    testsupport::InstalledLog stationLog;
    stationLog.start();
    decode("(GA2130,35x3,0000,2175,1470*)");
    parser.parseRead("x)(*)");
    decode("[F11]");
    QFile log(stationLog.path());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("Malformed reply (GA2130,35x3,0000,2175,1470*): the field at 8 is not a number"));
    EXPECT_TRUE(text.contains("Stray text skipped: x)"));
    EXPECT_TRUE(text.contains("Malformed reply [F11]: the channel map is not 16 flags of 0 and 1; only the channels "
                              "marked 1 are connected"));
}

// A zero divisor keeps its IEEE value, and the receiver can tell the
// not-a-number reading, which compares false with every limit.
TEST_F(ParserFixture, ZeroOverZeroReadingIsRecognisablyNotANumber)
{
    const std::vector<Event> events = decode("(GD12022,2022,2022,0060*)");
    ASSERT_EQ(events.size(), 1u);
    const double measurement = events[0].args[9].toDouble();
    EXPECT_TRUE(unit::TestDataArithmetic::isNotANumber(measurement));
    EXPECT_FALSE(unit::TestDataArithmetic::isNotANumber(events[0].args[8].toDouble())); // +inf gain
}

} // namespace

namespace {

// An event handler that waits lets the poll cycle read again inside the
// running pass: those bytes are parsed at once, behind what the running pass
// had not parsed yet, so a frame split across the two reads is decoded, in
// order, before the handler's wait ends.
TEST_F(ParserFixture, ReadInsideAHandlerIsParsedAtOnceBehindTheRunningPass)
{
    bool reentered = false;
    std::vector<Event> duringTheHandler;
    testsupport::onReply<unit::ChannelIdle>(&comm, [&](int, qint16, const unit::ChannelIdle&) {
        if (!std::exchange(reentered, true)) {
            parser.parseRead(",0000,2175,1470*)(!)");
            duringTheHandler = recorder.replies();
        }
    });
    parser.parseRead("(*)(GA2130,3593");
    EXPECT_EQ(duringTheHandler.size(), 3u);
    EXPECT_TRUE(
        sameEvents(recorder.replies(),
                   {{"rxIdle", {0}},
                    {"rxaczTestData", {0, 2130, 3593, 0, 2175, 1470, true, 0.6835270, 30.758715, 0.0407826, false}},
                    {"rxTestDataNotReady", {0}}}));
    EXPECT_EQ(UnitLinkTestAccess::pendingText(comm), "");
}

} // namespace
