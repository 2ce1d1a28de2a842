// The receive path of the component: reads split and joined into frames,
// RXDataInBuffer and RXData around every reply, channel attribution, and
// the state that replies leave in the component and its channel records.
#include "ParserFixture.h"

#include "config/Log.h"
#include "support/TempDataHome.h"
#include "unit/ReadingArithmetic.h"

#include <QDir>
#include <QFile>

namespace {

struct Case {
    const char* name;
    QStringList reads;          // read path; one entry per read
    std::vector<Event> events;  // every event, RXDataInBuffer and RXData included
};

class ReadTable : public ParserFixture, public ::testing::WithParamInterface<Case> {};

TEST_P(ReadTable, RaisesExactEvents)
{
    parser.attributeTo(5);
    for (const QString& read : GetParam().reads)
        parser.parseRead(read.toLatin1());
    EXPECT_TRUE(SameEvents(recorder.events, GetParam().events));
}

const QString Nul(QChar(0));

INSTANTIATE_TEST_SUITE_P(
    Reads, ReadTable,
    ::testing::Values(
        Case{"UnitThenChannel", {"[*](*)"},
             {{"RXDataInBuffer", {"[*](*)"}}, {"RXData", {0, "[*]"}}, {"RXMasterIdle", {}},
              {"RXDataInBuffer", {"(*)"}}, {"RXData", {5, "(*)"}}, {"RXIdle", {5}}}},
        Case{"ChannelThenUnit", {"(*)[*]"},
             {{"RXDataInBuffer", {"(*)[*]"}}, {"RXData", {5, "(*)"}}, {"RXIdle", {5}},
              {"RXDataInBuffer", {"[*]"}}, {"RXData", {0, "[*]"}}, {"RXMasterIdle", {}}}},
        Case{"SplitAcrossReads", {"(GB02022,2513,20", "46,2054,0001,0030*)"},
             {{"RXDataInBuffer", {"(GB02022,2513,20"}},
              {"RXDataInBuffer", {"(GB02022,2513,2046,2054,0001,0030*)"}},
              {"RXData", {5, "(GB02022,2513,2046,2054,0001,0030*)"}},
              {"RXBiasTestData", {5, 2022, 2513, 2046, 2054, 0, 1, 30, true, 0.1018330, 0.8146640}}}},
        Case{"NulInsideFrame", {"(" + Nul + "*)" + Nul},
             {{"RXDataInBuffer", {"(*)"}}, {"RXData", {5, "(*)"}}, {"RXIdle", {5}}}},
        Case{"OpeningBracketEndsRead", {"(*)(", "!)"},
             {{"RXDataInBuffer", {"(*)("}}, {"RXData", {5, "(*)"}}, {"RXIdle", {5}},
              {"RXDataInBuffer", {"("}}, {"RXDataInBuffer", {"(!)"}}, {"RXData", {5, "(!)"}},
              {"RXTestDataNotReady", {5}}}},
        Case{"StrayClosingBracket", {"7*)(*)"},
             {{"RXDataInBuffer", {"7*)(*)"}}, {"RXDataInBuffer", {"(*)"}}, {"RXData", {5, "(*)"}},
              {"RXIdle", {5}}}},
        Case{"UnitFrameNeverClosed", {"[d06(!)", "[*]"},
             {{"RXDataInBuffer", {"[d06(!)"}}, {"RXDataInBuffer", {"(!)"}}, {"RXData", {5, "(!)"}},
              {"RXTestDataNotReady", {5}}, {"RXDataInBuffer", {"[*]"}}, {"RXData", {0, "[*]"}},
              {"RXMasterIdle", {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParserFixture, PendingTextWaitsForTheNextReadAndGivenTextDropsIt)
{
    parser.parseRead("(*)xy");
    EXPECT_EQ(UsbCommTestAccess::PendingText(comm), "xy");
    parser.parseRead("(*)x");
    EXPECT_EQ(UsbCommTestAccess::PendingText(comm), "");
    parser.parseRead("(GA21");
    recorder.events.clear();
    parser.parseText("30,3593*)(!)");
    EXPECT_TRUE(SameEvents(recorder.Replies(), {{"RXTestDataNotReady", {0}}}));
    EXPECT_EQ(UsbCommTestAccess::PendingText(comm), "");
}

TEST_F(ParserFixture, ChannelReplyBeforeAnyCommandBelongsToChannelZero)
{
    parser.parseText("(*)");
    EXPECT_TRUE(SameEvents(recorder.Replies(), {{"RXIdle", {0}}}));
}

TEST_F(ParserFixture, FoundChannelsMapSetsExactlyTheMarkedChannels)
{
    comm.Electrode(5)->setConnected(true);
    const std::vector<Event> events = Decode("[F1100000000000001]");
    // The status display is refreshed before the event.
    EXPECT_TRUE(SameEvents(events, {{"HardwareStatus", {"Disconnected", false}},
                                    {"RXMasterFoundChannels", {"1100000000000001"}}}));
    for (int ch = 0; ch < 16; ++ch)
        EXPECT_EQ(comm.Electrode(ch)->Connected(), ch == 0 || ch == 1 || ch == 15) << ch;
    // A short map clears the channels it does not reach.
    Decode("[F11]");
    EXPECT_FALSE(comm.Electrode(15)->Connected());
    EXPECT_TRUE(comm.Electrode(1)->Connected());
}

TEST_F(ParserFixture, MaintenanceRepliesWriteTheAddressedChannelRecord)
{
    SetModel(Model::Zamo24);
    Decode("(MV100101)", 3);
    Decode("(MS1AB123)", 3);
    Decode("(MD12024,03,15)", 3);
    Decode("(Mp11234,5678,1234,5678,1000,0700)", 3);
    const clsElectrode& e = *comm.Electrode(3);
    EXPECT_EQ(e.FirmwareVersion(), "001.01");
    EXPECT_EQ(e.SerialNumber(), "AB123");
    EXPECT_EQ(e.CalibrationDate().date(), QDate(2024, 3, 15));
    EXPECT_DOUBLE_EQ(e.Zamo24Pace1Amplitude(), 10.0);
    EXPECT_DOUBLE_EQ(e.Zamo24Pace2Amplitude(), 7.0);
    EXPECT_NEAR(e.Zamo24Pace1PulseWidth(), 61.7, 1e-9);
    EXPECT_NEAR(e.Zamo24Pace1BPM(), 46.307016, 1e-6);
    EXPECT_NEAR(e.Zamo24Pace2PulseWidth(), 283.9, 1e-9);
    for (int ch = 0; ch < 16; ++ch)
        EXPECT_EQ(comm.Electrode(ch)->SerialNumber().isEmpty(), ch != 3) << ch;

    // A date that does not convert, or is no calendar date, keeps the previous one.
    EXPECT_TRUE(SameEvents(Decode("(MD12024,xx,15)", 3), {}));
    EXPECT_TRUE(SameEvents(Decode("(MD12024,13,40)", 3), {{"RXCalibrationDate", {3, 2024, 13, 40}}}));
    EXPECT_EQ(comm.Electrode(3)->CalibrationDate().date(), QDate(2024, 3, 15));
}

TEST_F(ParserFixture, DiagnosticsAndLidRepliesSetTheUnitState)
{
    SetModel(Model::Zamo80);
    Decode("[d0629,0234,0362,0362,0174,0100,1,0,01010]");
    EXPECT_TRUE(comm.LidClosed());
    EXPECT_TRUE(comm.Reg5VWorking());
    EXPECT_EQ(comm.FirmwareVersion(), "010.10");
    EXPECT_EQ(comm.VCC(), 5);
    EXPECT_EQ(comm.Neg5V(), -5);
    Decode("[L1]");
    EXPECT_FALSE(comm.LidClosed());
    Decode("[L0]");
    Decode("[D0629,0234,0362,0362,0174,1,1,1,01010]");
    EXPECT_FALSE(comm.LidClosed());   // the base layout always reads the lid open
    EXPECT_TRUE(comm.Working200VOn());
    EXPECT_NEAR(UsbCommTestAccess::Temperature(comm), 39.614235, 1e-6);
    EXPECT_EQ(comm.Temperature(), 40);
}

// Channel replies for a channel beyond 0..15 (a command framed for channel
// 16 or more) reach the log, never a channel record or a reply handler.
TEST_F(ParserFixture, ReplyForChannelBeyondFifteenWritesNoRecord)
{
    testsupport::TempDataHome home;
    modMain::InitLogFile();
    SetModel(Model::Zamo24);
    for (qint16 ch : {qint16(16), qint16(40), qint16(-1)}) {
        const std::vector<Event> events =
            Decode("(MS1AB123)(MV100101)(MD12024,03,15)(Mp11234,5678,1234,5678,1000,0700)(*)", ch);
        EXPECT_TRUE(events.empty()) << ch;
        EXPECT_EQ(recorder.events.front().name, "RXDataInBuffer");
    }
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_TRUE(comm.Electrode(ch)->SerialNumber().isEmpty());
        EXPECT_EQ(comm.Electrode(ch)->Zamo24Pace1Amplitude(), 0.0);
    }
    QFile log(modMain::LogFilePath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Reply (MS1AB123) ignored: channel 16 does not exist"));
}

TEST_F(ParserFixture, MalformedRepliesAreLogged)
{
    testsupport::TempDataHome home;
    modMain::InitLogFile();
    Decode("(GA2130,35x3,0000,2175,1470*)");
    parser.parseRead("x)(*)");
    QFile log(modMain::LogFilePath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("Malformed reply (GA2130,35x3,0000,2175,1470*): the field at 8 is not a number"));
    EXPECT_TRUE(text.contains("Stray text skipped: x)"));
}

// A zero divisor keeps its IEEE value, and the receiver can tell the
// not-a-number reading, which compares false with every limit.
TEST_F(ParserFixture, ZeroOverZeroReadingIsRecognisablyNotANumber)
{
    const std::vector<Event> events = Decode("(GD12022,2022,2022,0060*)");
    ASSERT_EQ(events.size(), 1u);
    const double measurement = events[0].args[9].toDouble();
    EXPECT_TRUE(TestDataArithmetic::IsNotANumber(measurement));
    EXPECT_FALSE(TestDataArithmetic::IsNotANumber(events[0].args[8].toDouble()));   // +inf gain
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
    QObject::connect(&comm, &ctlZAMOUsbComm::RXIdle, [&] {
        if (!std::exchange(reentered, true)) {
            parser.parseRead(",0000,2175,1470*)(!)");
            duringTheHandler = recorder.Replies();
        }
    });
    parser.parseRead("(*)(GA2130,3593");
    EXPECT_EQ(duringTheHandler.size(), 3u);
    EXPECT_TRUE(SameEvents(recorder.Replies(),
                           {{"RXIdle", {0}},
                            {"RXACZTestData", {0, 2130, 3593, 0, 2175, 1470, true, 0.6835270, 30.758715, 0.0407826,
                                               false}},
                            {"RXTestDataNotReady", {0}}}));
    EXPECT_EQ(UsbCommTestAccess::PendingText(comm), "");
}

} // namespace
