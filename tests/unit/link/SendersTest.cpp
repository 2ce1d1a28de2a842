// The unit command senders through the whole link: what each model gets on
// the wire, what goes out at once and what waits in the send queue, and the
// charge and lid sequences with their pauses, in virtual time.

#include "LinkFixture.h"
#include "UsbCommTestAccess.h"
#include "support/AllChannelCommandTable.h"

#include <functional>
#include <iterator>
#include <vector>

using platform::Clock;

namespace {

using Send = std::function<void(ctlZAMOUsbComm&)>;

class Senders : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        ConnectedUnit(Model::Base);
    }

    void As(Model model)
    {
        UsbCommTestAccess::SetModel(*comm, unitModelOf(model == Model::Zamo80, model == Model::Zamo24));
    }

    void Present(std::initializer_list<int> channels)
    {
        for (int c : channels)
            comm->Electrode(c)->setConnected(true);
    }

    // The frames a call sends: those written during the call marked "now",
    // then those the poll cycle takes from the queue afterwards.
    QString Frames(const Send& send)
    {
        events.clear();
        send(*comm);
        QStringList out;
        for (const QString& e : Only("TX "))
            out << "now " + e.mid(3);
        events.clear();
        Clock::advance(150 * 30);
        for (const QString& e : Only("TX "))
            out << e.mid(3);
        return out.join(" ");
    }

    QString FramesAs(Model model, const Send& send)
    {
        As(model);
        return Frames(send);
    }
};

struct Row {
    const char* sender;
    Send send;
    const char* base;
    const char* zamo80 = nullptr;   // nullptr: the same as the base model
    const char* zamo24 = nullptr;   // nullptr: the same as the ZAMO80
};

TEST_F(Senders, EveryModelGetsItsOwnFramesAndNothingWhereItIsNotServed)
{
    // clang-format off
    const Row rows[] = {
        // calibration board
        {"TXCalBoardGetFirmwareVersion", [](auto& c) { c.TXCalBoardGetFirmwareVersion(3); }, "[C03(mV1)]"},
        {"TXCalBoardGetSerialNumber", [](auto& c) { c.TXCalBoardGetSerialNumber(3); }, "[C03(mS1)]"},
        {"TXCalBoardSetSerialNumber", [](auto& c) { c.TXCalBoardSetSerialNumber(3, "123"); }, "[C03(mS000123)]"},
        {"TXCalBoardSetSerialNumber long", [](auto& c) { c.TXCalBoardSetSerialNumber(3, "9876543"); }, "[C03(mS098765)]"},
        {"TXCalBoardSetCalibrationReferenceResistors1", [](auto& c) { c.TXCalBoardSetCalibrationReferenceResistors1(3, 1000, -5); }, "[C03(mR01000,-0005)]"},
        {"TXCalBoardGetCalibrationReferenceResistors1", [](auto& c) { c.TXCalBoardGetCalibrationReferenceResistors1(3); }, "[C03(mR1)]"},
        {"TXCalBoardSetCalibrationReferenceResistors2", [](auto& c) { c.TXCalBoardSetCalibrationReferenceResistors2(3, 10000, 47); }, "[C03(mR410000,0047)]"},
        {"TXCalBoardGetCalibrationReferenceResistors2", [](auto& c) { c.TXCalBoardGetCalibrationReferenceResistors2(3); }, "[C03(mR5)]"},
        {"TXCalBoardSetCalibrationReferenceDCO", [](auto& c) { c.TXCalBoardSetCalibrationReferenceDCO(3, 70000, -12); }, "[C03(mR270000,-00012)]"},
        {"TXCalBoardGetCalibrationReferenceDCO", [](auto& c) { c.TXCalBoardGetCalibrationReferenceDCO(3); }, "[C03(mR3)]"},
        {"TXCalBoardSetPotentialReference", [](auto& c) { c.TXCalBoardSetPotentialReference(3, 1, 123456); }, "[C03(mP000001,123456)]"},
        {"TXCalBoardGetPotentialReference", [](auto& c) { c.TXCalBoardGetPotentialReference(3); }, "[C03(mP1)]"},
        {"TXCalBoardACZResistorOff", [](auto& c) { c.TXCalBoardACZResistorOff(3); }, "[C03(gA0)]"},
        {"TXCalBoardACZResistorOff now", [](auto& c) { c.TXCalBoardACZResistorOff(3, true); }, "now [C03(gA0)]"},
        {"TXCalBoardACZResistorOn 2", [](auto& c) { c.TXCalBoardACZResistorOn(3, 2); }, "[C03(gA2)]"},
        {"TXCalBoardACZResistorOn 0", [](auto& c) { c.TXCalBoardACZResistorOn(3, 0); }, ""},
        {"TXCalBoardACZResistorOn 4", [](auto& c) { c.TXCalBoardACZResistorOn(3, 4); }, ""},
        {"TXCalBoardDCOVoltageOff", [](auto& c) { c.TXCalBoardDCOVoltageOff(3); }, "[C03(gD0)]"},
        {"TXCalBoardDCOVoltageOff now", [](auto& c) { c.TXCalBoardDCOVoltageOff(3, true); }, "now [C03(gD0)]"},
        {"TXCalBoardDCOVoltageOn 1", [](auto& c) { c.TXCalBoardDCOVoltageOn(3, 1); }, "[C03(gD1)]"},
        {"TXCalBoardDCOVoltageOn 4", [](auto& c) { c.TXCalBoardDCOVoltageOn(3, 4); }, ""},
        {"TXCalBoardNoiseVoltageOff", [](auto& c) { c.TXCalBoardNoiseVoltageOff(3); }, "[C03(gN0)]"},
        {"TXCalBoardNoiseVoltageOff now", [](auto& c) { c.TXCalBoardNoiseVoltageOff(3, true); }, "now [C03(gN0)]"},
        {"TXCalBoardNoiseVoltageOn 3", [](auto& c) { c.TXCalBoardNoiseVoltageOn(3, 3); }, "[C03(gN3)]"},
        {"TXCalBoardNoiseVoltageOn 0", [](auto& c) { c.TXCalBoardNoiseVoltageOn(3, 0); }, ""},
        {"TXCalBoardBiasResistorOff", [](auto& c) { c.TXCalBoardBiasResistorOff(3); }, "[C03(gB0)]"},
        {"TXCalBoardBiasResistorOff now", [](auto& c) { c.TXCalBoardBiasResistorOff(3, true); }, "now [C03(gB0)]"},
        {"TXCalBoardBiasResistorOn", [](auto& c) { c.TXCalBoardBiasResistorOn(3); }, "[C03(gB1)]"},
        {"TXCalBoardSDROff", [](auto& c) { c.TXCalBoardSDROff(3); }, "[C03(gS0)]"},
        {"TXCalBoardSDROff now", [](auto& c) { c.TXCalBoardSDROff(3, true); }, "now [C03(gS0)]"},
        {"TXCalBoardReadSDRVoltage", [](auto& c) { c.TXCalBoardReadSDRVoltage(3); }, "[C03(gS1)]"},
        {"TXCalBoardSDRPowerResistor", [](auto& c) { c.TXCalBoardSDRPowerResistor(3); }, "[C03(gS2)]"},
        {"TXCalBoardVerifyPosition", [](auto& c) { c.TXCalBoardVerifyPosition(3); }, "[C03(gV0)]"},
        {"TXCalBoardVerifyPosition now", [](auto& c) { c.TXCalBoardVerifyPosition(3, true); }, "now [C03(gV0)]"},
        {"TXCalBoardTestOutputPosition", [](auto& c) { c.TXCalBoardTestOutputPosition(3); }, "[C03(gV1)]"},
        {"TXCalBoardTestOutputPosition now", [](auto& c) { c.TXCalBoardTestOutputPosition(3, true); }, "now [C03(gV1)]"},
        {"TXCalBoardReadVoltageOff", [](auto& c) { c.TXCalBoardReadVoltageOff(3); }, "[C03(gR0)]"},
        {"TXCalBoardReadVoltageOff now", [](auto& c) { c.TXCalBoardReadVoltageOff(3, true); }, "now [C03(gR0)]"},
        {"TXCalBoardReadVoltage1", [](auto& c) { c.TXCalBoardReadVoltage1(3); }, "[C03(gR1)]"},
        {"TXCalBoardReadVoltage2", [](auto& c) { c.TXCalBoardReadVoltage2(3); }, "[C03(gR2)]"},
        // channel commands
        {"TXCommCheck", [](auto& c) { c.TXCommCheck(3); }, "[C03(*)]"},
        {"TXCommCheck now", [](auto& c) { c.TXCommCheck(3, true); }, "now [C03(*)]"},
        {"TXReadDigitalPort", [](auto& c) { c.TXReadDigitalPort(3, "B"); }, "[C03(RB)]"},
        {"TXReadADPort", [](auto& c) { c.TXReadADPort(3, "A0"); }, "[C03(RA0)]"},
        {"TXReadTrisRegister", [](auto& c) { c.TXReadTrisRegister(3, "C"); }, "[C03(RTC)]"},
        {"TXWritePort", [](auto& c) { c.TXWritePort(3, "B", "10100000"); }, "[C03(WB10100000)]"},
        {"TXZeroCounter", [](auto& c) { c.TXZeroCounter(3); }, "[C03(MC0)]", "[C03(Mc0)]"},
        {"TXReadCounter", [](auto& c) { c.TXReadCounter(3); }, "[C03(MC1)]", "[C03(Mc1)]"},
        {"TXSetCalibrationDate", [](auto& c) { c.TXSetCalibrationDate(0, 2024, 3, 7); }, "[C00(MD02024,03,07)]"},
        {"TXGetCalibrationDate", [](auto& c) { c.TXGetCalibrationDate(12); }, "[C12(MD1)]"},
        {"TXGetFirmwareVersion", [](auto& c) { c.TXGetFirmwareVersion(3); }, "[C03(MV1)]"},
        {"TXSetSerialNumber", [](auto& c) { c.TXSetSerialNumber(3, "42"); }, "[C03(MS000042)]"},
        {"TXSetSerialNumber long", [](auto& c) { c.TXSetSerialNumber(3, "ABCDEFG"); }, "[C03(MS0ABCDE)]"},
        {"TXGetSerialNumber", [](auto& c) { c.TXGetSerialNumber(3); }, "[C03(MS1)]"},
        {"TXSetCalibrationReference", [](auto& c) { c.TXSetCalibrationReference(3, 1, 22, 333); }, "[C03(MR00001,0022,0333)]", "[C03(Mr00001,0022,0333,0000)]"},
        {"TXSetCalibrationReference four", [](auto& c) { c.TXSetCalibrationReference(3, 1, 22, 333, -5); }, "[C03(MR00001,0022,0333)]", "[C03(Mr00001,0022,0333,-0005)]"},
        {"TXSetDCOReferenceVoltage", [](auto& c) { c.TXSetDCOReferenceVoltage(3, 750); }, "", "[C03(Md00750)]"},
        {"TXGetDCOReferenceVoltage", [](auto& c) { c.TXGetDCOReferenceVoltage(3); }, "", "[C03(Md1)]"},
        {"TXGetCalibrationReference", [](auto& c) { c.TXGetCalibrationReference(3); }, "[C03(MR1)]", "[C03(Mr1)]"},
        {"TXRequestCommand", [](auto& c) { c.TXRequestCommand(3); }, "[C03(?)]"},
        {"TXRunACZTest", [](auto& c) { c.TXRunACZTest(5); }, "[C05(GA)]"},
        {"TXRunACZ30Zero", [](auto& c) { c.TXRunACZ30Zero(3); }, "[C03(Gz)]"},
        {"TXRunACZ30Test", [](auto& c) { c.TXRunACZ30Test(3); }, "", "[C03(Ga)]"},
        {"TXRunACLGTest", [](auto& c) { c.TXRunACLGTest(3); }, "", "[C03(GT)]", "[C03(Gt)]"},
        {"TXRunDefibRecoveryTest", [](auto& c) { c.TXRunDefibRecoveryTest(3); }, "", "[C03(GR)]"},
        {"TXRunFilterZeroRoutine", [](auto& c) { c.TXRunFilterZeroRoutine(3); }, "[C03(GN0)]"},
        {"TXRunNoiseTest", [](auto& c) { c.TXRunNoiseTest(3); }, "[C03(GN1)]"},
        {"TXRunSpecialCalibrationTest1", [](auto& c) { c.TXRunSpecialCalibrationTest1(3); }, "[C03(GN2)]"},
        {"TXRunSpecialCalibrationTest2", [](auto& c) { c.TXRunSpecialCalibrationTest2(3); }, "[C03(GN3)]"},
        {"TXGetDCOValue", [](auto& c) { c.TXGetDCOValue(3); }, "[C03(GD0)]", "[C03(Gd0)]"},
        {"TXRunDCOTest", [](auto& c) { c.TXRunDCOTest(3); }, "[C03(GD1)]", "[C03(Gd1)]"},
        {"TXRunDCOZeroCorrectionTest", [](auto& c) { c.TXRunDCOZeroCorrectionTest(3); }, "", "[C03(Gd2)]"},
        {"TXStopBiasTest", [](auto& c) { c.TXStopBiasTest(3); }, "[C03(GB0)]", "", "[C03(GB0)]"},
        {"TXRunBiasTest", [](auto& c) { c.TXRunBiasTest(3); }, "[C03(GB1)]", "", ""},
        {"TXRunSDRTest", [](auto& c) { c.TXRunSDRTest(3, false); }, "[C03(GS)]", "", ""},
        {"TXRunSDRTest with ACZ", [](auto& c) { c.TXRunSDRTest(3, true); }, "[C03(Gs)]", "", ""},
        {"TXCancel", [](auto& c) { c.TXCancel(3); }, "[C03(X)]"},
        {"TXCancel now", [](auto& c) { c.TXCancel(3, true); }, "now [C03(X)]"},
        {"TXCancel without channel", [](auto& c) { c.TXCancel(-1, true); }, "now (X)"},
        {"TXResendLastData", [](auto& c) { c.TXResendLastData(3); }, "[C03(L)]"},
        {"TXRunClockTest", [](auto& c) { c.TXRunClockTest(3); }, "[C03(T1)]"},
        {"TXUpdateOsctune", [](auto& c) { c.TXUpdateOsctune(3, "011010"); }, "[C03(T0011010)]"},
        {"TXSaveOsctune", [](auto& c) { c.TXSaveOsctune(3); }, "[C03(T2)]"},
        {"TXSetPacePulse", [](auto& c) { c.TXSetPacePulse(3, 1, 20, 300, 4000, 50, 60); }, "", "[C03(MP00001,0020,0300,4000)]", "[C03(Mp00001,0020,0300,4000,0050,0060)]"},
        {"TXGetPacePulse", [](auto& c) { c.TXGetPacePulse(3); }, "", "[C03(MP1)]", "[C03(Mp1)]"},
        {"TXRunVoltage1Pace", [](auto& c) { c.TXRunVoltage1Pace(3); }, "", "[C03(GP1)]", "[C03(Gp1)]"},
        {"TXRunVoltage2Pace", [](auto& c) { c.TXRunVoltage2Pace(3); }, "", "[C03(GP2)]", "[C03(Gp2)]"},
        {"TXStopPace", [](auto& c) { c.TXStopPace(3); }, "", "[C03(GP3)]", "[C03(X)]"},
        {"TXChannelLED on", [](auto& c) { c.TXChannelLED(3, true); }, "[C03(i1)]"},
        {"TXChannelLED off", [](auto& c) { c.TXChannelLED(3, false); }, "[C03(i0)]"},
        // unit commands
        {"TXMasterCommCheck", [](auto& c) { c.TXMasterCommCheck(); }, "[*]"},
        {"TXMasterCommCheck now", [](auto& c) { c.TXMasterCommCheck(true); }, "now [*]"},
        {"TXMasterReadDigitalPort", [](auto& c) { c.TXMasterReadDigitalPort("B"); }, "[RB]"},
        {"TXMasterReadADPort", [](auto& c) { c.TXMasterReadADPort("A1"); }, "[RA1]"},
        {"TXMasterReadTrisRegister", [](auto& c) { c.TXMasterReadTrisRegister("D"); }, "[RTD]"},
        {"TXMasterWritePort", [](auto& c) { c.TXMasterWritePort("C", "01"); }, "[WC01]"},
        {"TXMasterDiagnostics", [](auto& c) { c.TXMasterDiagnostics(); }, "[D]", "[d]"},
        {"TXMasterDiagnosticsPollingMode", [](auto& c) { c.TXMasterDiagnosticsPollingMode(); }, "now [D]"},
        {"TXMasterEnable200VSupply", [](auto& c) { c.TXMasterEnable200VSupply(); }, "[21]", "", ""},
        {"TXMasterDisable200VSupply", [](auto& c) { c.TXMasterDisable200VSupply(); }, "[20]", "", ""},
        {"TXMasterDisable200VSupply now", [](auto& c) { c.TXMasterDisable200VSupply(true); }, "now [20]", "", ""},
        {"TXMasterDefibCharge", [](auto& c) { c.TXMasterDefibCharge(); }, "", "[3]"},
        {"TXMasterDefibCharge to E", [](auto& c) { c.TXMasterDefibCharge(4); }, "", "[C04(i1)] [3]"},
        {"TXMasterTriggerCharge", [](auto& c) { c.TXMasterTriggerCharge(); }, "", "[T]"},
        {"TXMasterTriggerCharge now", [](auto& c) { c.TXMasterTriggerCharge(true); }, "", "now [T]"},
        {"TXMasterCheckLid", [](auto& c) { c.TXMasterCheckLid(); }, "", "now [L]"},
        {"TXMasterCheckLid polled", [](auto& c) { c.TXMasterCheckLid(true); }, "", "now [L]"},
        {"TXMasterFindChannels", [](auto& c) { c.TXMasterFindChannels(); }, "now [F]"},
        {"TXMasterAllChannelSend", [](auto& c) { c.TXMasterAllChannelSend("ACZ", "1010000000000000"); }, "[A(GA))1010000000000000]"},
    };
    // clang-format on
    for (const Row& row : rows) {
        const QString base = row.base;
        const QString zamo80 = row.zamo80 ? row.zamo80 : row.base;
        const QString zamo24 = row.zamo24 ? QString(row.zamo24) : zamo80;
        EXPECT_EQ(FramesAs(Model::Base, row.send), base) << row.sender << " on the base model";
        EXPECT_EQ(FramesAs(Model::Zamo80, row.send), zamo80) << row.sender << " on a ZAMO80";
        EXPECT_EQ(FramesAs(Model::Zamo24, row.send), zamo24) << row.sender << " on a ZAMO2-4";
    }
    // "No frame" also means no log line and no error.
    EXPECT_EQ(Only("UsbError").size(), 0);
}

TEST_F(Senders, ZAMO80WinsWhenBothModelFlagsAreSet)
{
    UsbCommTestAccess::SetModel(*comm, unitModelOf(true, true));
    EXPECT_EQ(Frames([](auto& c) { c.TXRunACLGTest(3); }), "[C03(GT)]");
    EXPECT_EQ(Frames([](auto& c) { c.TXStopPace(3); }), "[C03(GP3)]");
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
        EXPECT_EQ(FramesAs(c.model, [&](auto& u) { u.TXMasterAllChannelSend(c.testType, bits, c.reps); }), c.frames)
            << c.testType << " x" << c.reps;
    }
    // Written at once when the caller asks.
    EXPECT_EQ(FramesAs(Model::Zamo80, [&](auto& u) { u.TXMasterAllChannelSend("CANCEL", bits, 1, true); }),
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
            EXPECT_EQ(FramesAs(model, [&](auto& u) { u.TXMasterAllChannelSend(r.testType, bits); }), expected)
                << r.testType << " on model " << int(model);
        }
    }
}

TEST_F(Senders, CancelAllAndStopAllBiasAddressTheConnectedChannels)
{
    Present({0, 2, 15});
    const QString bits = "1010000000000001";
    const QString cancel = "[A(X)))" + bits + "]";
    const QString ledsOff = "[A(i0))" + bits + "]";
    EXPECT_EQ(FramesAs(Model::Base, [](auto& c) { c.TXCancelAllElectrodes(); }),
              QStringList({cancel, cancel, cancel}).join(" "));
    EXPECT_EQ(FramesAs(Model::Zamo80, [](auto& c) { c.TXCancelAllElectrodes(true); }),
              QStringList({cancel, ledsOff, cancel, ledsOff, cancel, ledsOff}).replaceInStrings(QRegularExpression("^"), "now ").join(" "));

    const QString stop = "[A(GB0)" + bits + "]";
    EXPECT_EQ(FramesAs(Model::Base, [](auto& c) { c.TXStopAllBiasTest(); }),
              QStringList({stop, stop, stop, "[C00(?)]", "[C02(?)]", "[C15(?)]"}).join(" "));
    EXPECT_EQ(FramesAs(Model::Zamo80, [](auto& c) { c.TXStopAllBiasTest(); }), "");
    EXPECT_EQ(FramesAs(Model::Zamo24, [](auto& c) { c.TXStopAllBiasTest(); }), "");
}

TEST_F(Senders, NoChannelPresentGivesAnAllZeroBitString)
{
    EXPECT_EQ(Frames([](auto& c) { c.TXCancelAllElectrodes(); }).left(24), "[A(X)))0000000000000000]");
}

TEST_F(Senders, ChargeCommandsBlockForThreeQuarterSecondsWithoutRunningTheQueue)
{
    As(Model::Zamo80);
    comm->TXRunACZTest(1);   // already waiting in the queue
    events.clear();
    int otherTicks = 0;
    platform::Timer other;
    other.setInterval(100);
    QObject::connect(&other, &platform::Timer::timeout, [&] { ++otherTicks; });
    other.start();

    const qint64 start = Clock::tickCount();
    comm->TXMasterDefibCharge(4);
    EXPECT_EQ(Clock::tickCount() - start, 750);
    EXPECT_EQ(otherTicks, 0);
    EXPECT_TRUE(Only("TX ").isEmpty()) << "no poll tick runs during the pause";
    EXPECT_EQ(Frames([](auto&) {}), "[C01(GA)] [C04(i1)] [3]");

    const qint64 triggered = Clock::tickCount();
    EXPECT_EQ(Frames([&](auto& c) {
                  c.TXMasterTriggerCharge(true);
                  EXPECT_EQ(Clock::tickCount() - triggered, 750);
              }),
              "now [T]");

    // The base model neither charges nor pauses.
    As(Model::Base);
    const qint64 before = Clock::tickCount();
    comm->TXMasterDefibCharge(4);
    comm->TXMasterTriggerCharge();
    EXPECT_EQ(Clock::tickCount(), before);
}

TEST_F(Senders, LidCheckWaitsHalfASecondPollingOnlyWhenNotPolledForData)
{
    As(Model::Zamo24);
    QList<bool> lidStates;
    QObject::connect(comm.get(), &ctlZAMOUsbComm::RXMasterLidState,
                     [&](int, bool closed) { lidStates << closed; });
    // Without polled data the poll cycle keeps running through the wait and
    // picks up the reply.
    fake->replyTo("[L]", "[L0]", 100, 1);
    comm->TXRunACZTest(2);
    events.clear();
    qint64 start = Clock::tickCount();
    comm->TXMasterCheckLid();
    EXPECT_GE(Clock::tickCount() - start, 500);
    EXPECT_EQ(Only("TX ").join(" "), "TX [L] TX [C02(GA)]");
    EXPECT_EQ(lidStates, QList<bool>({true}));
    EXPECT_TRUE(comm->LidClosed());

    // Polled for data, the exchange suspends the poll cycle and parses the
    // reply before it returns.
    fake->replyTo("[L]", "[L1]", 100, 1);
    comm->TXRunACZTest(2);
    events.clear();
    start = Clock::tickCount();
    comm->TXMasterCheckLid(true);
    EXPECT_GE(Clock::tickCount() - start, 500);
    EXPECT_EQ(Only("TX ").join(" "), "TX [L]");
    EXPECT_EQ(lidStates, QList<bool>({true, false}));
    EXPECT_FALSE(comm->LidClosed());
    EXPECT_TRUE(UsbCommTestAccess::PollingEnabled(*comm));
}

TEST_F(Senders, DiagnosticsInPollingModeAlwaysUseTheUpperCaseFrame)
{
    for (Model model : {Model::Base, Model::Zamo80, Model::Zamo24}) {
        As(model);
        const qint64 start = Clock::tickCount();
        events.clear();
        comm->TXMasterDiagnosticsPollingMode(300);
        EXPECT_GE(Clock::tickCount() - start, 300);
        EXPECT_EQ(Only("TX ").join(" "), "TX [D]");
    }
}

TEST_F(Senders, AChannelBeyondTheUnitSendsNothingAndIsLogged)
{
    As(Model::Zamo80);
    const qint16 lastChannel = UsbCommTestAccess::LastChannel(*comm);
    EXPECT_EQ(Frames([](auto& c) { c.TXRunACZTest(16); }), "");
    EXPECT_EQ(Frames([](auto& c) { c.TXGetSerialNumber(99); }), "");
    EXPECT_EQ(Frames([](auto& c) { c.TXMasterDefibCharge(16); }), "[3]");
    EXPECT_EQ(Frames([](auto& c) { c.TXCommCheck(16, true); }), "");
    EXPECT_EQ(UsbCommTestAccess::LastChannel(*comm), lastChannel);
    EXPECT_FALSE(log.filter("channel 16").isEmpty()) << log.join("\n").toStdString();
}

} // namespace
