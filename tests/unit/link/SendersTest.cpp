// The unit command senders through the whole link: what each model gets on
// the wire, what goes out at once and what waits in the send queue, and the
// charge and lid sequences with their pauses, in virtual time.

#include "LinkFixture.h"
#include "UnitLinkTestAccess.h"
#include "support/AllChannelCommandTable.h"
#include "support/UnitReplies.h"

#include <functional>
#include <iterator>
#include <vector>

using platform::Clock;

namespace {

using Send = std::function<void(unit::UnitLink&)>;

class Senders : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        connectedUnit(Model::Base);
    }

    void as(Model model)
    {
        UnitLinkTestAccess::setModel(*comm, unit::unitModelOf(model == Model::Zamo80, model == Model::Zamo24));
    }

    void present(std::initializer_list<int> channels)
    {
        for (int c : channels)
            comm->channels().electrode(c)->setConnected(true);
    }

    // The frames a call sends: those written during the call marked "now",
    // then those the poll cycle takes from the queue afterwards.
    QString frames(const Send& send)
    {
        events.clear();
        send(*comm);
        QStringList out;
        for (const QString& e : only("TX "))
            out << "now " + e.mid(3);
        events.clear();
        platform::Clock::advance(150 * 30);
        for (const QString& e : only("TX "))
            out << e.mid(3);
        return out.join(" ");
    }

    QString framesAs(Model model, const Send& send)
    {
        as(model);
        return frames(send);
    }
};

struct Row {
    const char* sender;
    Send send;
    const char* base;
    const char* zamo80 = nullptr; // nullptr: the same as the base model
    const char* zamo24 = nullptr; // nullptr: the same as the ZAMO80
};

TEST_F(Senders, EveryModelGetsItsOwnFramesAndNothingWhereItIsNotServed)
{
    // clang-format off
    const Row rows[] = {
        // calibration board
        {"TXCalBoardGetFirmwareVersion", [](auto& c) { c.calBoard().txCalBoardGetFirmwareVersion(3); }, "[C03(mV1)]"},
        {"TXCalBoardGetSerialNumber", [](auto& c) { c.calBoard().txCalBoardGetSerialNumber(3); }, "[C03(mS1)]"},
        {"TXCalBoardSetSerialNumber", [](auto& c) { c.calBoard().txCalBoardSetSerialNumber(3, "123"); }, "[C03(mS000123)]"},
        {"TXCalBoardSetSerialNumber long", [](auto& c) { c.calBoard().txCalBoardSetSerialNumber(3, "9876543"); }, "[C03(mS098765)]"},
        {"TXCalBoardSetCalibrationReferenceResistors1", [](auto& c) { c.calBoard().txCalBoardSetCalibrationReferenceResistors1(3, 1000, -5); }, "[C03(mR01000,-0005)]"},
        {"TXCalBoardGetCalibrationReferenceResistors1", [](auto& c) { c.calBoard().txCalBoardGetCalibrationReferenceResistors1(3); }, "[C03(mR1)]"},
        {"TXCalBoardSetCalibrationReferenceResistors2", [](auto& c) { c.calBoard().txCalBoardSetCalibrationReferenceResistors2(3, 10000, 47); }, "[C03(mR410000,0047)]"},
        {"TXCalBoardGetCalibrationReferenceResistors2", [](auto& c) { c.calBoard().txCalBoardGetCalibrationReferenceResistors2(3); }, "[C03(mR5)]"},
        {"TXCalBoardSetCalibrationReferenceDCO", [](auto& c) { c.calBoard().txCalBoardSetCalibrationReferenceDCO(3, 70000, -12); }, "[C03(mR270000,-00012)]"},
        {"TXCalBoardGetCalibrationReferenceDCO", [](auto& c) { c.calBoard().txCalBoardGetCalibrationReferenceDCO(3); }, "[C03(mR3)]"},
        {"TXCalBoardSetPotentialReference", [](auto& c) { c.calBoard().txCalBoardSetPotentialReference(3, 1, 123456); }, "[C03(mP000001,123456)]"},
        {"TXCalBoardGetPotentialReference", [](auto& c) { c.calBoard().txCalBoardGetPotentialReference(3); }, "[C03(mP1)]"},
        {"TXCalBoardACZResistorOff", [](auto& c) { c.calBoard().txCalBoardACZResistorOff(3); }, "[C03(gA0)]"},
        {"TXCalBoardACZResistorOff now", [](auto& c) { c.calBoard().txCalBoardACZResistorOff(3, true); }, "now [C03(gA0)]"},
        {"TXCalBoardACZResistorOn 2", [](auto& c) { c.calBoard().txCalBoardACZResistorOn(3, 2); }, "[C03(gA2)]"},
        {"TXCalBoardACZResistorOn 0", [](auto& c) { c.calBoard().txCalBoardACZResistorOn(3, 0); }, ""},
        {"TXCalBoardACZResistorOn 4", [](auto& c) { c.calBoard().txCalBoardACZResistorOn(3, 4); }, ""},
        {"TXCalBoardDCOVoltageOff", [](auto& c) { c.calBoard().txCalBoardDCOVoltageOff(3); }, "[C03(gD0)]"},
        {"TXCalBoardDCOVoltageOff now", [](auto& c) { c.calBoard().txCalBoardDCOVoltageOff(3, true); }, "now [C03(gD0)]"},
        {"TXCalBoardDCOVoltageOn 1", [](auto& c) { c.calBoard().txCalBoardDCOVoltageOn(3, 1); }, "[C03(gD1)]"},
        {"TXCalBoardDCOVoltageOn 4", [](auto& c) { c.calBoard().txCalBoardDCOVoltageOn(3, 4); }, ""},
        {"TXCalBoardNoiseVoltageOff", [](auto& c) { c.calBoard().txCalBoardNoiseVoltageOff(3); }, "[C03(gN0)]"},
        {"TXCalBoardNoiseVoltageOff now", [](auto& c) { c.calBoard().txCalBoardNoiseVoltageOff(3, true); }, "now [C03(gN0)]"},
        {"TXCalBoardNoiseVoltageOn 3", [](auto& c) { c.calBoard().txCalBoardNoiseVoltageOn(3, 3); }, "[C03(gN3)]"},
        {"TXCalBoardNoiseVoltageOn 0", [](auto& c) { c.calBoard().txCalBoardNoiseVoltageOn(3, 0); }, ""},
        {"TXCalBoardBiasResistorOff", [](auto& c) { c.calBoard().txCalBoardBiasResistorOff(3); }, "[C03(gB0)]"},
        {"TXCalBoardBiasResistorOff now", [](auto& c) { c.calBoard().txCalBoardBiasResistorOff(3, true); }, "now [C03(gB0)]"},
        {"TXCalBoardBiasResistorOn", [](auto& c) { c.calBoard().txCalBoardBiasResistorOn(3); }, "[C03(gB1)]"},
        {"TXCalBoardSDROff", [](auto& c) { c.calBoard().txCalBoardSDROff(3); }, "[C03(gS0)]"},
        {"TXCalBoardSDROff now", [](auto& c) { c.calBoard().txCalBoardSDROff(3, true); }, "now [C03(gS0)]"},
        {"TXCalBoardReadSDRVoltage", [](auto& c) { c.calBoard().txCalBoardReadSDRVoltage(3); }, "[C03(gS1)]"},
        {"TXCalBoardSDRPowerResistor", [](auto& c) { c.calBoard().txCalBoardSDRPowerResistor(3); }, "[C03(gS2)]"},
        {"TXCalBoardVerifyPosition", [](auto& c) { c.calBoard().txCalBoardVerifyPosition(3); }, "[C03(gV0)]"},
        {"TXCalBoardVerifyPosition now", [](auto& c) { c.calBoard().txCalBoardVerifyPosition(3, true); }, "now [C03(gV0)]"},
        {"TXCalBoardTestOutputPosition", [](auto& c) { c.calBoard().txCalBoardTestOutputPosition(3); }, "[C03(gV1)]"},
        {"TXCalBoardTestOutputPosition now", [](auto& c) { c.calBoard().txCalBoardTestOutputPosition(3, true); }, "now [C03(gV1)]"},
        {"TXCalBoardReadVoltageOff", [](auto& c) { c.calBoard().txCalBoardReadVoltageOff(3); }, "[C03(gR0)]"},
        {"TXCalBoardReadVoltageOff now", [](auto& c) { c.calBoard().txCalBoardReadVoltageOff(3, true); }, "now [C03(gR0)]"},
        {"TXCalBoardReadVoltage1", [](auto& c) { c.calBoard().txCalBoardReadVoltage1(3); }, "[C03(gR1)]"},
        {"TXCalBoardReadVoltage2", [](auto& c) { c.calBoard().txCalBoardReadVoltage2(3); }, "[C03(gR2)]"},
        // channel commands
        {"TXCommCheck", [](auto& c) { c.maintenance().txCommCheck(3); }, "[C03(*)]"},
        {"TXCommCheck now", [](auto& c) { c.maintenance().txCommCheck(3, true); }, "now [C03(*)]"},
        {"TXReadDigitalPort", [](auto& c) { c.maintenance().txReadDigitalPort(3, "B"); }, "[C03(RB)]"},
        {"TXReadADPort", [](auto& c) { c.maintenance().txReadADPort(3, "A0"); }, "[C03(RA0)]"},
        {"TXReadTrisRegister", [](auto& c) { c.maintenance().txReadTrisRegister(3, "C"); }, "[C03(RTC)]"},
        {"TXWritePort", [](auto& c) { c.maintenance().txWritePort(3, "B", "10100000"); }, "[C03(WB10100000)]"},
        {"TXZeroCounter", [](auto& c) { c.maintenance().txZeroCounter(3); }, "[C03(MC0)]", "[C03(Mc0)]"},
        {"TXReadCounter", [](auto& c) { c.maintenance().txReadCounter(3); }, "[C03(MC1)]", "[C03(Mc1)]"},
        {"TXSetCalibrationDate", [](auto& c) { c.maintenance().txSetCalibrationDate(0, 2024, 3, 7); }, "[C00(MD02024,03,07)]"},
        {"TXGetCalibrationDate", [](auto& c) { c.maintenance().txGetCalibrationDate(12); }, "[C12(MD1)]"},
        {"TXGetFirmwareVersion", [](auto& c) { c.maintenance().txGetFirmwareVersion(3); }, "[C03(MV1)]"},
        {"TXSetSerialNumber", [](auto& c) { c.maintenance().txSetSerialNumber(3, "42"); }, "[C03(MS000042)]"},
        {"TXSetSerialNumber long", [](auto& c) { c.maintenance().txSetSerialNumber(3, "ABCDEFG"); }, "[C03(MS0ABCDE)]"},
        {"TXGetSerialNumber", [](auto& c) { c.maintenance().txGetSerialNumber(3); }, "[C03(MS1)]"},
        {"TXSetCalibrationReference", [](auto& c) { c.maintenance().txSetCalibrationReference(3, 1, 22, 333); }, "[C03(MR00001,0022,0333)]", "[C03(Mr00001,0022,0333,0000)]"},
        {"TXSetCalibrationReference four", [](auto& c) { c.maintenance().txSetCalibrationReference(3, 1, 22, 333, -5); }, "[C03(MR00001,0022,0333)]", "[C03(Mr00001,0022,0333,-0005)]"},
        {"TXSetDCOReferenceVoltage", [](auto& c) { c.maintenance().txSetDCOReferenceVoltage(3, 750); }, "", "[C03(Md00750)]"},
        {"TXGetDCOReferenceVoltage", [](auto& c) { c.maintenance().txGetDCOReferenceVoltage(3); }, "", "[C03(Md1)]"},
        {"TXGetCalibrationReference", [](auto& c) { c.maintenance().txGetCalibrationReference(3); }, "[C03(MR1)]", "[C03(Mr1)]"},
        {"TXRequestCommand", [](auto& c) { c.channelTests().txRequestCommand(3); }, "[C03(?)]"},
        {"TXRunACZTest", [](auto& c) { c.channelTests().txRunACZTest(5); }, "[C05(GA)]"},
        {"TXRunACZ30Zero", [](auto& c) { c.channelTests().txRunACZ30Zero(3); }, "[C03(Gz)]"},
        {"TXRunACZ30Test", [](auto& c) { c.channelTests().txRunACZ30Test(3); }, "", "[C03(Ga)]"},
        {"TXRunACLGTest", [](auto& c) { c.channelTests().txRunACLGTest(3); }, "", "[C03(GT)]", "[C03(Gt)]"},
        {"TXRunDefibRecoveryTest", [](auto& c) { c.channelTests().txRunDefibRecoveryTest(3); }, "", "[C03(GR)]"},
        {"TXRunFilterZeroRoutine", [](auto& c) { c.channelTests().txRunFilterZeroRoutine(3); }, "[C03(GN0)]"},
        {"TXRunNoiseTest", [](auto& c) { c.channelTests().txRunNoiseTest(3); }, "[C03(GN1)]"},
        {"TXRunSpecialCalibrationTest1", [](auto& c) { c.channelTests().txRunSpecialCalibrationTest1(3); }, "[C03(GN2)]"},
        {"TXRunSpecialCalibrationTest2", [](auto& c) { c.channelTests().txRunSpecialCalibrationTest2(3); }, "[C03(GN3)]"},
        {"TXGetDCOValue", [](auto& c) { c.channelTests().txGetDCOValue(3); }, "[C03(GD0)]", "[C03(Gd0)]"},
        {"TXRunDCOTest", [](auto& c) { c.channelTests().txRunDCOTest(3); }, "[C03(GD1)]", "[C03(Gd1)]"},
        {"TXRunDCOZeroCorrectionTest", [](auto& c) { c.channelTests().txRunDCOZeroCorrectionTest(3); }, "", "[C03(Gd2)]"},
        {"TXStopBiasTest", [](auto& c) { c.channelTests().txStopBiasTest(3); }, "[C03(GB0)]", "", "[C03(GB0)]"},
        {"TXRunBiasTest", [](auto& c) { c.channelTests().txRunBiasTest(3); }, "[C03(GB1)]", "", ""},
        {"TXRunSDRTest", [](auto& c) { c.channelTests().txRunSDRTest(3, false); }, "[C03(GS)]", "", ""},
        {"TXRunSDRTest with ACZ", [](auto& c) { c.channelTests().txRunSDRTest(3, true); }, "[C03(Gs)]", "", ""},
        {"TXCancel", [](auto& c) { c.channelTests().txCancel(3); }, "[C03(X)]"},
        {"TXCancel now", [](auto& c) { c.channelTests().txCancel(3, true); }, "now [C03(X)]"},
        {"TXCancel without channel", [](auto& c) { c.channelTests().txCancel(-1, true); }, "now (X)"},
        {"TXResendLastData", [](auto& c) { c.channelTests().txResendLastData(3); }, "[C03(L)]"},
        {"TXRunClockTest", [](auto& c) { c.maintenance().txRunClockTest(3); }, "[C03(T1)]"},
        {"TXUpdateOsctune", [](auto& c) { c.maintenance().txUpdateOsctune(3, "011010"); }, "[C03(T0011010)]"},
        {"TXSaveOsctune", [](auto& c) { c.maintenance().txSaveOsctune(3); }, "[C03(T2)]"},
        {"TXSetPacePulse", [](auto& c) { c.maintenance().txSetPacePulse(3, 1, 20, 300, 4000, 50, 60); }, "", "[C03(MP00001,0020,0300,4000)]", "[C03(Mp00001,0020,0300,4000,0050,0060)]"},
        {"TXGetPacePulse", [](auto& c) { c.maintenance().txGetPacePulse(3); }, "", "[C03(MP1)]", "[C03(Mp1)]"},
        {"TXRunVoltage1Pace", [](auto& c) { c.channelTests().txRunVoltage1Pace(3); }, "", "[C03(GP1)]", "[C03(Gp1)]"},
        {"TXRunVoltage2Pace", [](auto& c) { c.channelTests().txRunVoltage2Pace(3); }, "", "[C03(GP2)]", "[C03(Gp2)]"},
        {"TXStopPace", [](auto& c) { c.channelTests().txStopPace(3); }, "", "[C03(GP3)]", "[C03(X)]"},
        {"TXChannelLED on", [](auto& c) { c.maintenance().txChannelLED(3, true); }, "[C03(i1)]"},
        {"TXChannelLED off", [](auto& c) { c.maintenance().txChannelLED(3, false); }, "[C03(i0)]"},
        // unit commands
        {"TXMasterCommCheck", [](auto& c) { c.unitCommands().txMasterCommCheck(); }, "[*]"},
        {"TXMasterCommCheck now", [](auto& c) { c.unitCommands().txMasterCommCheck(true); }, "now [*]"},
        {"TXMasterReadDigitalPort", [](auto& c) { c.unitCommands().txMasterReadDigitalPort("B"); }, "[RB]"},
        {"TXMasterReadADPort", [](auto& c) { c.unitCommands().txMasterReadADPort("A1"); }, "[RA1]"},
        {"TXMasterReadTrisRegister", [](auto& c) { c.unitCommands().txMasterReadTrisRegister("D"); }, "[RTD]"},
        {"TXMasterWritePort", [](auto& c) { c.unitCommands().txMasterWritePort("C", "01"); }, "[WC01]"},
        {"TXMasterDiagnostics", [](auto& c) { c.unitCommands().txMasterDiagnostics(); }, "[D]", "[d]"},
        {"TXMasterDiagnosticsPollingMode", [](auto& c) { c.unitCommands().txMasterDiagnosticsPollingMode(); }, "now [D]"},
        {"TXMasterEnable200VSupply", [](auto& c) { c.unitCommands().txMasterEnable200VSupply(); }, "[21]", "", ""},
        {"TXMasterDisable200VSupply", [](auto& c) { c.unitCommands().txMasterDisable200VSupply(); }, "[20]", "", ""},
        {"TXMasterDisable200VSupply now", [](auto& c) { c.unitCommands().txMasterDisable200VSupply(true); }, "now [20]", "", ""},
        {"TXMasterDefibCharge", [](auto& c) { c.unitCommands().txMasterDefibCharge(); }, "", "[3]"},
        {"TXMasterDefibCharge to E", [](auto& c) { c.unitCommands().txMasterDefibCharge(4); }, "", "[C04(i1)] [3]"},
        {"TXMasterTriggerCharge", [](auto& c) { c.unitCommands().txMasterTriggerCharge(); }, "", "[T]"},
        {"TXMasterTriggerCharge now", [](auto& c) { c.unitCommands().txMasterTriggerCharge(true); }, "", "now [T]"},
        {"TXMasterCheckLid", [](auto& c) { c.unitCommands().txMasterCheckLid(); }, "", "now [L]"},
        {"TXMasterCheckLid polled", [](auto& c) { c.unitCommands().txMasterCheckLid(true); }, "", "now [L]"},
        {"TXMasterFindChannels", [](auto& c) { c.unitCommands().txMasterFindChannels(); }, "now [F]"},
        {"TXMasterAllChannelSend", [](auto& c) { c.unitCommands().txMasterAllChannelSend("ACZ", "1010000000000000"); }, "[A(GA))1010000000000000]"},
    };
    // clang-format on
    for (const Row& row : rows) {
        const QString base = row.base;
        const QString zamo80 = row.zamo80 ? row.zamo80 : row.base;
        const QString zamo24 = row.zamo24 ? QString(row.zamo24) : zamo80;
        EXPECT_EQ(framesAs(Model::Base, row.send), base) << row.sender << " on the base model";
        EXPECT_EQ(framesAs(Model::Zamo80, row.send), zamo80) << row.sender << " on a ZAMO80";
        EXPECT_EQ(framesAs(Model::Zamo24, row.send), zamo24) << row.sender << " on a ZAMO2-4";
    }
    // "No frame" also means no log line and no error.
    EXPECT_EQ(only("UsbError").size(), 0);
}

TEST_F(Senders, ZAMO80WinsWhenBothModelFlagsAreSet)
{
    UnitLinkTestAccess::setModel(*comm, unit::unitModelOf(true, true));
    EXPECT_EQ(frames([](auto& c) { c.channelTests().txRunACLGTest(3); }), "[C03(GT)]");
    EXPECT_EQ(frames([](auto& c) { c.channelTests().txStopPace(3); }), "[C03(GP3)]");
}

TEST_F(Senders, AllChannelSendByTestTypeModelAndRepeats)
{
    const QString bits = "0110000000000001";
    struct Case {
        Model model;
        const char* testType;
        qint16 reps;
        QString frames;
    };
    const Case cases[] = {
        {Model::Base, "DCO", 1, "[A(GD1)" + bits + "]"},
        {Model::Zamo24, "DCO", 1, "[A(Gd1)" + bits + "]"},
        {Model::Base, "ACZ30", 1, ""},
        {Model::Zamo80, "SDR", 1, ""},
        {Model::Base, "SDRACZ", 1, "[A(Gs))" + bits + "]"},
        {Model::Zamo24, "ACLG", 1, "[A(Gt))" + bits + "]"},
        {Model::Base, "acz", 1, ""},
        {Model::Base, "BIAS", 0, ""},
        {Model::Base, "BIAS", -2, ""},
        {Model::Base, "NOISE", 2, "[A(GN1)" + bits + "] [A(GN1)" + bits + "]"},
        {Model::Base, "CANCEL", 2, "[A(X)))" + bits + "] [A(X)))" + bits + "]"},
        {Model::Zamo24, "CANCEL", 2,
         "[A(X)))" + bits + "] [A(i0))" + bits + "] [A(X)))" + bits + "] [A(i0))" + bits + "]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            framesAs(c.model, [&](auto& u) { u.unitCommands().txMasterAllChannelSend(c.testType, bits, c.reps); }),
            c.frames)
            << c.testType << " x" << c.reps;
    }
    // Written at once when the caller asks.
    EXPECT_EQ(
        framesAs(Model::Zamo80, [&](auto& u) { u.unitCommands().txMasterAllChannelSend("CANCEL", bits, 1, true); }),
        "now [A(X)))" + bits + "] now [A(i0))" + bits + "]");
}

// The command of each test type on each model ("" where the model has none).
TEST_F(Senders, AllChannelCommandOfEveryTestTypeOnEveryModel)
{
    std::vector<testsupport::AllChannelCommandRow> rows(std::begin(testsupport::kAllChannelCommandsByTestType),
                                                        std::end(testsupport::kAllChannelCommandsByTestType));
    rows.push_back({"OTHER", "", "", ""});
    const QString bits = "1100000000000000";
    for (const auto& r : rows) {
        const std::pair<Model, QString> perModel[] = {
            {Model::Base, r.base}, {Model::Zamo80, r.zamo80}, {Model::Zamo24, r.zamo24}};
        for (const auto& [model, command] : perModel) {
            const QString expected = command.isEmpty() ? QString() : "[A" + command + bits + "]";
            EXPECT_EQ(framesAs(model, [&](auto& u) { u.unitCommands().txMasterAllChannelSend(r.testType, bits); }),
                      expected)
                << r.testType << " on model " << int(model);
        }
    }
}

TEST_F(Senders, CancelAllAndStopAllBiasAddressTheConnectedChannels)
{
    present({0, 2, 15});
    const QString bits = "1010000000000001";
    const QString cancel = "[A(X)))" + bits + "]";
    const QString ledsOff = "[A(i0))" + bits + "]";
    EXPECT_EQ(framesAs(Model::Base, [](auto& c) { c.unitCommands().txCancelAllElectrodes(); }),
              QStringList({cancel, cancel, cancel}).join(" "));
    EXPECT_EQ(framesAs(Model::Zamo80, [](auto& c) { c.unitCommands().txCancelAllElectrodes(true); }),
              QStringList({cancel, ledsOff, cancel, ledsOff, cancel, ledsOff})
                  .replaceInStrings(QRegularExpression("^"), "now ")
                  .join(" "));

    const QString stop = "[A(GB0)" + bits + "]";
    EXPECT_EQ(framesAs(Model::Base, [](auto& c) { c.unitCommands().txStopAllBiasTest(); }),
              QStringList({stop, stop, stop, "[C00(?)]", "[C02(?)]", "[C15(?)]"}).join(" "));
    EXPECT_EQ(framesAs(Model::Zamo80, [](auto& c) { c.unitCommands().txStopAllBiasTest(); }), "");
    EXPECT_EQ(framesAs(Model::Zamo24, [](auto& c) { c.unitCommands().txStopAllBiasTest(); }), "");
}

TEST_F(Senders, NoChannelPresentGivesAnAllZeroBitString)
{
    EXPECT_EQ(frames([](auto& c) { c.unitCommands().txCancelAllElectrodes(); }).left(24), "[A(X)))0000000000000000]");
}

TEST_F(Senders, ChargeCommandsBlockForThreeQuarterSecondsWithoutRunningTheQueue)
{
    as(Model::Zamo80);
    comm->channelTests().txRunACZTest(1); // already waiting in the queue
    events.clear();
    int otherTicks = 0;
    platform::Timer other;
    other.setInterval(100);
    QObject::connect(&other, &platform::Timer::timeout, [&] { ++otherTicks; });
    other.start();

    const qint64 start = platform::Clock::tickCount();
    comm->unitCommands().txMasterDefibCharge(4);
    EXPECT_EQ(platform::Clock::tickCount() - start, 750);
    EXPECT_EQ(otherTicks, 0);
    EXPECT_TRUE(only("TX ").isEmpty()) << "no poll tick runs during the pause";
    EXPECT_EQ(frames([](auto&) {}), "[C01(GA)] [C04(i1)] [3]");

    const qint64 triggered = platform::Clock::tickCount();
    EXPECT_EQ(frames([&](auto& c) {
                  c.unitCommands().txMasterTriggerCharge(true);
                  EXPECT_EQ(platform::Clock::tickCount() - triggered, 750);
              }),
              "now [T]");

    // The base model neither charges nor pauses.
    as(Model::Base);
    const qint64 before = platform::Clock::tickCount();
    comm->unitCommands().txMasterDefibCharge(4);
    comm->unitCommands().txMasterTriggerCharge();
    EXPECT_EQ(platform::Clock::tickCount(), before);
}

TEST_F(Senders, LidCheckWaitsHalfASecondPollingOnlyWhenNotPolledForData)
{
    as(Model::Zamo24);
    QList<bool> lidStates;
    testsupport::onReply<unit::LidState>(comm.get(),
                                         [&](int, qint16, const unit::LidState& lid) { lidStates << lid.closed; });
    // Without polled data the poll cycle keeps running through the wait and
    // picks up the reply.
    fake->replyTo("[L]", "[L0]", 100, 1);
    comm->channelTests().txRunACZTest(2);
    events.clear();
    qint64 start = platform::Clock::tickCount();
    comm->unitCommands().txMasterCheckLid();
    EXPECT_GE(platform::Clock::tickCount() - start, 500);
    EXPECT_EQ(only("TX ").join(" "), "TX [L] TX [C02(GA)]");
    EXPECT_EQ(lidStates, QList<bool>({true}));
    EXPECT_TRUE(comm->lidClosed());

    // Polled for data, the exchange suspends the poll cycle and parses the
    // reply before it returns.
    fake->replyTo("[L]", "[L1]", 100, 1);
    comm->channelTests().txRunACZTest(2);
    events.clear();
    start = platform::Clock::tickCount();
    comm->unitCommands().txMasterCheckLid(true);
    EXPECT_GE(platform::Clock::tickCount() - start, 500);
    EXPECT_EQ(only("TX ").join(" "), "TX [L]");
    EXPECT_EQ(lidStates, QList<bool>({true, false}));
    EXPECT_FALSE(comm->lidClosed());
    EXPECT_TRUE(UnitLinkTestAccess::pollingEnabled(*comm));
}

TEST_F(Senders, DiagnosticsInPollingModeAlwaysUseTheUpperCaseFrame)
{
    for (Model model : {Model::Base, Model::Zamo80, Model::Zamo24}) {
        as(model);
        const qint64 start = platform::Clock::tickCount();
        events.clear();
        comm->unitCommands().txMasterDiagnosticsPollingMode(300);
        EXPECT_GE(platform::Clock::tickCount() - start, 300);
        EXPECT_EQ(only("TX ").join(" "), "TX [D]");
    }
}

TEST_F(Senders, AChannelBeyondTheUnitSendsNothingAndIsLogged)
{
    as(Model::Zamo80);
    const qint16 lastChannel = UnitLinkTestAccess::lastChannel(*comm);
    EXPECT_EQ(frames([](auto& c) { c.channelTests().txRunACZTest(16); }), "");
    EXPECT_EQ(frames([](auto& c) { c.maintenance().txGetSerialNumber(99); }), "");
    EXPECT_EQ(frames([](auto& c) { c.unitCommands().txMasterDefibCharge(16); }), "[3]");
    EXPECT_EQ(frames([](auto& c) { c.maintenance().txCommCheck(16, true); }), "");
    EXPECT_EQ(UnitLinkTestAccess::lastChannel(*comm), lastChannel);
    EXPECT_FALSE(log.filter("channel 16").isEmpty()) << log.join("\n").toStdString();
}

} // namespace
