// Every reply through the whole receive path: frame in, exact events and
// values out, per unit model where the models differ.
#include "ParserFixture.h"
#include "config/AclgSettings.h"

#include <limits>

namespace {

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr bool T = true;
constexpr bool F = false;

struct Case {
    const char* name;
    Model model;
    qint16 channel;
    QString frame;
    std::vector<Event> events;
};

class ReplyTable : public ParserFixture, public ::testing::WithParamInterface<Case> {};

TEST_P(ReplyTable, RaisesExactEvents)
{
    const Case& c = GetParam();
    setModel(c.model);
    EXPECT_TRUE(sameEvents(decode(c.frame, c.channel), c.events)) << c.frame.toStdString();
}

const QString GA = "(GA2130,3593,0000,2175,1470*)";

INSTANTIATE_TEST_SUITE_P(
    TestData, ReplyTable,
    ::testing::Values(
        // ACZ, per model.
        Case{"AczBase",
             Model::Base,
             3,
             GA,
             {{"rxaczTestData", {3, 2130, 3593, 0, 2175, 1470, T, 0.6835270, 30.758715, 0.0407826, F}}}},
        Case{"AczZamo80",
             Model::Zamo80,
             3,
             GA,
             {{"rxaczTestData", {3, 2130, 3593, 0, 2175, 1470, T, 0.6835270, 30.758715, 0.0, T}}}},
        Case{"AczZamo24",
             Model::Zamo24,
             3,
             GA,
             {{"rxaczTestData", {3, 2130, 3593, 0, 2175, 1470, T, 0.6835270, 30.758715, 0.0, T}}}},
        Case{"AczInterim",
             Model::Base,
             0,
             "(GA2130,3593,0000,2175,1470!)",
             {{"rxaczTestData", {0, 2130, 3593, 0, 2175, 1470, F, 0.6835270, 30.758715, 0.0407826, F}}}},
        Case{"AczNoMarker",
             Model::Base,
             0,
             "(GA2130,3593,0000,2175,1470)",
             {{"rxaczTestData", {0, 2130, 3593, 0, 2175, 1470, F, 0.6835270, 30.758715, 0.0407826, F}}}},
        Case{"AczZeroDivisor",
             Model::Base,
             0,
             "(GA2130,2130,0000,2175,1470*)",
             {{"rxaczTestData", {0, 2130, 2130, 0, 2175, 1470, T, Inf, Inf, 0.0407826, F}}}},
        Case{"AczZeroOverZero",
             Model::Base,
             0,
             "(GA2130,2130,0000,2130,1470*)",
             {{"rxaczTestData", {0, 2130, 2130, 0, 2130, 1470, T, Inf, NaN, 0.0407826, F}}}},
        // ACZ30.
        Case{"Acz30",
             Model::Zamo80,
             1,
             "(Ga2130,3593,0000,2175,0000*)",
             {{"rxacz30TestData", {1, 2130, 3593, 0, 2175, 0, T, 0.00683527, 0.307587, T}}}},
        Case{"Acz30Base", Model::Base, 1, "(Ga2130,3593,0000,2175,0000*)", {}},
        Case{"Acz30Zero", Model::Zamo24, 2, "(Gz0123)", {{"rxacz30ZeroTestData", {2, 123}}}},
        Case{"Acz30ZeroBase", Model::Base, 2, "(Gz0123)", {}},
        // ACLG.
        Case{"AclgZamo80", Model::Zamo80, 4, "(GT2130,3593*)", {{"rxaclgTestData", {4, 2130, 3593, T, 23.491160}}}},
        Case{"AclgAckZamo80", Model::Zamo80, 4, "(GT0)", {{"rxaclgAck", {}}}},
        Case{"AclgAckZamo24", Model::Zamo24, 4, "(GT0)", {}}, Case{"AclgAckBase", Model::Base, 4, "(GT0)", {}},
        Case{"AclgDataStartingWithZero",
             Model::Zamo80,
             4,
             "(GT0064,0076*)",
             {{"rxaclgTestData", {4, 64, 76, T, 50.0 * 401 * 76 / (64 * 2001 - 76 * 401) * 0.92}}}},
        Case{"AclgZamo24Ack", Model::Zamo24, 5, "(Gt0)", {{"rxaclgAck", {}}}},
        Case{"AclgZamo24",
             Model::Zamo24,
             5,
             "(Gt0064,0076,3034,2749,1310,1205*)",
             {{"rxZamo24ACLGTestData", {5, 64, 76, 3034, 2749, 1310, 1205, T, 9.101759, 9.102174}}}},
        Case{"AclgZamo24OnZamo80", Model::Zamo80, 5, "(Gt0064,0076,3034,2749,1310,1205*)", {}},
        // Defibrillation recovery.
        Case{"defibRecovery",
             Model::Zamo80,
             6,
             "(GR2022,2513,7492,0008,2031,1222,0060*)",
             {{"rxDefibRecoveryTestData",
               {6, 2022, 2513, 7492, 8, 2031, 1222, 60, T, 1.5511387, 1.5511387, -1253.32008}}}},
        Case{"DefibRecoveryWideDivisor",
             Model::Zamo24,
             6,
             "(GR0000,5000,7500,0000,0100,0200,0060*)",
             {{"rxDefibRecoveryTestData", {6, 0, 5000, 7500, 0, 100, 200, 60, T, 0.15, 15.0, 30.0}}}},
        Case{"DefibRecoveryAck", Model::Zamo24, 6, "(GR0)", {{"rxDefibRecoveryAck", {}}}},
        Case{"DefibRecoveryAckBase", Model::Base, 6, "(GR0)", {}},
        // NOISE.
        Case{"FilterZeroFinal", Model::Base, 7, "(GN00212*)", {{"rxNoiseZeroResult", {7, 212, -1, -1, -1, -1, T}}}},
        Case{"FilterZeroInterim",
             Model::Base,
             7,
             "(GN00212,0300,0100,0030!)",
             {{"rxNoiseZeroResult", {7, -1, 212, 300, 100, 30, F}}}},
        Case{"FilterZeroBadField", Model::Base, 7, "(GN0021x*)", {}},
        Case{"noise",
             Model::Zamo80,
             7,
             "(GN12182,3386,0212,2208,2881,0360*)",
             {{"rxNoiseTestData", {7, 2182, 3386, 212, 2208, 2881, 360, T, 0.0830565, 17.607973, -73.504983, T}}}},
        Case{"NoiseSpecialCal1",
             Model::Base,
             7,
             "(GN20100,0200,0300*)",
             {{"rxNoiseSpecialCal1", {7, 100, 200, 300, T}}}},
        Case{"NoiseSub3", Model::Base, 7, "(GN30000*)", {}}, Case{"NoiseSub4", Model::Base, 7, "(GN40000*)", {}},
        // DCO.
        Case{"DcoZamo80",
             Model::Zamo80,
             8,
             "(Gd12022,2513,7492,0008,2031,0060*)",
             {{"rxdcoTestData", {8, 2022, 2513, 7492, 8, 2031, 60, T, 1.5511387, 1.5511387, T}}}},
        Case{"DcoZamo80WideDivisor",
             Model::Zamo80,
             8,
             "(Gd10000,4000,8000,0000,0100,0060*)",
             {{"rxdcoTestData", {8, 0, 4000, 8000, 0, 100, 60, T, 0.2, 20.0, T}}}},
        Case{"DcoValueZamo80",
             Model::Zamo24,
             8,
             "(Gd02022,2513,7492,0008,2031!)",
             {{"rxdcoValue", {8, 2022, 2513, 7492, 8, 2031, F, T}}}},
        Case{"DcoZeroCorrection", Model::Zamo80, 8, "(Gd20012)", {{"rxdcoCalibrateZeroCorrection", {8, 12}}}},
        Case{"DcoZamo80OnBase", Model::Base, 8, "(Gd12022,2513,7492,0008,2031,0060*)", {}},
        Case{"DcoBase",
             Model::Base,
             9,
             "(GD12022,2513,2031,0060*)",
             {{"rxdcoTestData", {9, 2022, 2513, 0, 0, 2031, 60, T, 0.1018330, 0.9164969, F}}}},
        Case{"DcoBaseOnZamo80",
             Model::Zamo80,
             9,
             "(GD12022,2513,2031,0060*)",
             {{"rxdcoTestData", {9, 2022, 2513, 0, 0, 2031, 60, T, 0.1018330, 0.9164969, F}}}},
        Case{"DcoValueBase",
             Model::Base,
             9,
             "(GD02022,2513,2031*)",
             {{"rxdcoValue", {9, 2022, 2513, 0, 0, 2031, T, F}}}},
        Case{"DcoBaseSub2", Model::Base, 9, "(GD20000*)", {}},
        // BIAS.
        Case{"BiasStop",
             Model::Base,
             10,
             "(GB02022,2513,2046,2054,0001,0030*)",
             {{"rxBiasTestData", {10, 2022, 2513, 2046, 2054, 0, 1, 30, T, 0.1018330, 0.8146640}}}},
        Case{"BiasWithCurrent",
             Model::Zamo80,
             10,
             "(GB12022,2513,2046,2054,0007,0001,0030*)",
             {{"rxBiasTestData", {10, 2022, 2513, 2046, 2054, 7, 1, 30, T, 0.1018330, 0.8146640}}}},
        // SDR.
        Case{"Sdr",
             Model::Base,
             11,
             "(GS2046,2536,0001,0001,2169,2143,2131,2122,0035*)",
             {{"rxsdrTestData",
               {11, 2046, 2536, 1, 1, 2169, 2143, 2131, 2122, 35, T, 0.1020408, 12.551020, 0.2653061, 0.1224490,
                0.0918367}}}},
        // Pace status.
        Case{"paceRunning", Model::Zamo80, 12, "(GP1!)", {{"rxPaceStatus", {12, F}}}},
        Case{"PaceStopped", Model::Zamo80, 12, "(GP1*)", {{"rxPaceStatus", {12, T}}}},
        Case{"PaceZamo24LetterOnZamo80", Model::Zamo80, 12, "(Gp1*)", {}},
        Case{"PaceZamo24", Model::Zamo24, 12, "(Gp1*)", {{"rxPaceStatus", {12, T}}}},
        // Replies that raise nothing.
        Case{"SdrAczReplyLetter", Model::Base, 0, "(Gs2046*)", {}},
        Case{"UnknownLetter", Model::Zamo80, 0, "(GX2046*)", {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ChannelReplies, ReplyTable,
    ::testing::Values(
        Case{"Idle", Model::Base, 2, "(*)", {{"rxIdle", {2}}}},
        Case{"NotReady", Model::Base, 2, "(!)", {{"rxTestDataNotReady", {2}}}},
        Case{"readPort", Model::Base, 2, "(RB0x1F)", {{"rxReadDigitalPort", {2, "B", "0x1F"}}}},
        Case{"ReadTris", Model::Base, 2, "(RTC255)", {{"rxReadTrisRegister", {2, "C", "255"}}}},
        Case{"Counter",
             Model::Base,
             2,
             "(MC000001,00002,00003,00004,00005,00006,99999)",
             {{"rxCounter", {2, 1, 2, 3, 4, 5, 6, 99999}}}},
        Case{"CounterWithLetters", Model::Base, 2, "(Mc100001,00002,000x3,00004,00005,00006,00007)", {}},
        Case{"calibrationDate", Model::Base, 2, "(MD12024,03,15)", {{"rxCalibrationDate", {2, 2024, 3, 15}}}},
        Case{"firmwareVersion", Model::Base, 2, "(MV100101)", {{"rxFirmwareVersion", {2, "001.01"}}}},
        Case{"serialNumber", Model::Base, 2, "(MS1AB123)", {{"rxSerialNumber", {2, "AB123"}}}},
        Case{"CalibrationReferenceBase",
             Model::Base,
             2,
             "(MR11000,2000,3000,4000)",
             {{"rxCalibrationReference", {2, 1000, 2000, 3000, 0}}}},
        Case{"CalibrationReferenceZamo80",
             Model::Zamo80,
             2,
             "(Mr01000,2000,3000,4000)",
             {{"rxCalibrationReference", {2, 1000, 2000, 3000, 4000}}}},
        Case{"PacePulseWidths",
             Model::Zamo80,
             2,
             "(MP10010,0020,0900,0800)",
             {{"rxPacePulseWidths", {2, 10, 20, 900, 800}}}},
        Case{"Zamo24PacePulseWidths",
             Model::Zamo24,
             2,
             "(Mp11234,5678,1234,5678,1000,0700)",
             {{"rxZamo24PacePulseWidths",
               {2, 1234, 5678, 1234, 5678, 10.0, 7.0, 1 / 1.2957, 1 / 5.9619, 60 / 1.2957, 60 / 5.9619}}}},
        Case{"Zamo24PaceZeroTimes",
             Model::Zamo24,
             2,
             "(Mp00000,0000,0000,0000,0500,0500)",
             {{"rxZamo24PacePulseWidths", {2, 0, 0, 0, 0, 5.0, 5.0, Inf, Inf, Inf, Inf}}}},
        Case{"DcoReferenceVoltage", Model::Base, 2, "(Md10750)", {{"rxdcoReferenceVoltage", {2, 750}}}},
        Case{"UnknownMaintenance", Model::Base, 2, "(MX1)", {}},
        Case{"UnknownChannelReply", Model::Base, 2, "(Q)", {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    CalibrationBoard, ReplyTable,
    ::testing::Values(
        Case{"Firmware", Model::Base, 1, "(mV100203)", {{"rxCalBoardFirmwareVersion", {1, "002.03"}}}},
        Case{"Serial", Model::Base, 1, "(mS1CB001)", {{"rxCalBoardSerialNumber", {1, "CB001"}}}},
        Case{"Resistors1",
             Model::Base,
             1,
             "(mR11000,2000)",
             {{"rxCalBoardCalibrationReferenceResistors1", {1, 1000, 2000}}}},
        Case{"Resistors2",
             Model::Base,
             1,
             "(mR53000,0500)",
             {{"rxCalBoardCalibrationReferenceResistors2", {1, 3000, 500}}}},
        Case{"ReferenceDco",
             Model::Base,
             1,
             "(mR312345,-1234)",
             {{"rxCalBoardCalibrationReferenceDCO", {1, 12345, -1234}}}},
        Case{"PotentialReference",
             Model::Base,
             1,
             "(mP100001,99999)",
             {{"rxCalBoardPotentialReference", {1, 1, 99999}}}},
        Case{"AczResistance1", Model::Base, 1, "(gA11000)", {{"rxCalBoardACZResistance", {1, 1, 100.0}}}},
        Case{"AczResistance2", Model::Base, 1, "(gA21000)", {{"rxCalBoardACZResistance", {1, 2, 1000.0}}}},
        Case{"AczResistance3", Model::Base, 1, "(gA31000)", {{"rxCalBoardACZResistance", {1, 3, 1000.0}}}},
        Case{"DcoVoltage", Model::Base, 1, "(gD216384,10000)", {{"rxCalBoardDCOVoltage", {1, 2, 1.024, 16384}}}},
        Case{"NoiseVoltage",
             Model::Base,
             1,
             "(gN316384,05000)",
             {{"rxCalBoardNoiseVoltage", {1, 3, 0.512, 16384, 1.024}}}},
        Case{"BiasResistance", Model::Base, 1, "(gB10500)", {{"rxCalBoardBiasResistance", {1, 50000.0}}}},
        Case{
            "SdrVoltage", Model::Base, 1, "(gS116384,10000)", {{"rxCalBoardSDRVoltage", {1, 103.424, 16384, 103.424}}}},
        Case{"SdrResistanceThreeDigits", Model::Base, 1, "(gS21234)", {{"rxCalBoardSDRResistance", {1, 123.0}}}},
        Case{"MeasuredVoltage1",
             Model::Base,
             1,
             "(gR116384,10000)",
             {{"rxCalBoardMeasuredVoltage", {1, 1, 3.072, 16384, 3.072}}}},
        Case{"MeasuredVoltage2",
             Model::Base,
             1,
             "(gR216384,10000)",
             {{"rxCalBoardMeasuredVoltage", {1, 2, 310.272, 16384, 310.272}}}},
        Case{"UnknownStored", Model::Base, 1, "(mX1)", {}}, Case{"UnknownMeasurement", Model::Base, 1, "(gA4)", {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    UnitReplies, ReplyTable,
    ::testing::Values(Case{"Idle", Model::Base, 0, "[*]", {{"rxMasterIdle", {}}}},
                      Case{"ReadTris", Model::Base, 0, "[RTA17]", {{"rxMasterReadTrisRegister", {"A", "17"}}}},
                      Case{"readPort", Model::Base, 0, "[RC017]", {{"rxMasterReadDigitalPort", {"C", "017"}}}},
                      Case{"DiagnosticsBase",
                           Model::Base,
                           0,
                           "[D0629,0234,0362,0362,0174,1,1,1,01010]",
                           {{"rxMasterDiagnostics",
                             {629, 234, 362, 362, 174, 0, T, T, T, F, "010.10", 629 * 1.25 / 1024, 39.614235,
                              4.86083984375, 4.86083984375, -4.90087890625, 0.0, F}}}},
                      Case{"DiagnosticsZamo80",
                           Model::Zamo80,
                           0,
                           "[d0629,0234,0362,0362,0174,0100,1,0,01010]",
                           {{"rxMasterDiagnostics",
                             {629, 234, 362, 362, 174, 100, T, F, F, T, "010.10", 629 * 1.25 / 1024, 0.0, 4.86083984375,
                              4.86083984375, -4.90087890625, 100 * 1.25 / 1024, T}}}},
                      Case{"DiagnosticsZeroTemperature",
                           Model::Base,
                           0,
                           "[D0629,0000,0362,0362,0174,0,0,0,01010]",
                           {{"rxMasterDiagnostics",
                             {629, 0, 362, 362, 174, 0, F, F, F, F, "010.10", 629 * 1.25 / 1024, 0.0, 4.86083984375,
                              4.86083984375, -4.90087890625, 0.0, F}}}},
                      Case{"LidClosedZamo80", Model::Zamo80, 0, "[L0]", {{"rxMasterLidState", {T}}}},
                      Case{"LidOpenZamo24", Model::Zamo24, 0, "[L1]", {{"rxMasterLidState", {F}}}},
                      Case{"LidBase", Model::Base, 0, "[L0]", {}}, Case{"LidOtherFlag", Model::Zamo80, 0, "[L2]", {}},
                      Case{"Unknown", Model::Base, 0, "[Q]", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The energy selection picks the ZAMO2-4 constant set: xJ, then 100 J, else 360 J.
TEST_F(ParserFixture, Zamo24AclgUsesTheSelectedConstantSet)
{
    setModel(Model::Zamo24);
    const QString frame = "(Gt0064,0076,3034,2749,1310,1205*)";
    struct Row {
        unit::AclgEnergy energy;
        double r1, r2, r3, r4;
    };
    const Row rows[] = {
        {unit::AclgEnergy::XJ, 406810, 475, 402000, 2800},
        {unit::AclgEnergy::J100, 404990, 804, 424300, config::AclgSettings().energy100J.r4},
        {unit::AclgEnergy::J360, 404990, 402, 424300, 2490},
    };
    for (const Row& r : rows) {
        comm.setAclgEnergy(r.energy);
        const double e1 = 2749 * 1.25 / 4096 * ((r.r3 + r.r4) / r.r4);
        const double v1 = 3034 * 1.25 / 4096 * ((r.r1 + r.r2) / r.r2);
        const double e2 = (1205 - 76) * 1.25 / 4096 * ((r.r3 + r.r4) / r.r4);
        const double v2 = (1310 - 64) * 1.25 / 4096 * ((r.r1 + r.r2) / r.r2);
        EXPECT_TRUE(sameEvents(decode(frame, 5),
                               {{"rxZamo24ACLGTestData",
                                 {5, 64, 76, 3034, 2749, 1310, 1205, T, 50 * e1 / (v1 - e1), 50 * e2 / (v2 - e2)}}}))
            << int(r.energy);
    }
}

} // namespace
