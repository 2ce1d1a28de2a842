// The calibration and service panel on a unit link over the scripted
// converter driver, in virtual time: the frames each button sends per unit
// model, the boxes' clamps and checks, raw send, polling inhibit,
// calibration mode, burn-in lists, leaving the panel, and the read-backs.

#include "platform/CommandLine.h"
#include "platform/ScriptedPrompts.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StationTestLists.h"
#include "ui/editors/FakeTestWindow.h"
#include "ui/service/ServicePanel.h"
#include "unit/LinkedUnit.h"
#include "unit/link/LinkFixture.h"
#include "unit/link/UnitLinkTestAccess.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

using platform::Clock;

namespace {

class QuietHost : public run::RunHost {
public:
    QStringList lines;
    int dischargeWarnings = 0;

    void writeToCommTextBox(const QString& text, bool, bool) override { lines << text; }
    void updateProgress(int, int) override {}
    void advanceProgress() override {}
    void setCompletionCaption(const QString&) override {}
    void setRunLockedControls(bool) override {}
    void showDischargeWarning() override { ++dischargeWarnings; }
    void playTestsCompletedSound() override {}
    void rollChannel(qint16) override {}
    void showPaceRollPrompt(std::shared_ptr<run::PaceRollPrompt>) override {}
};

// The test window's list commands, its run start going to the sequencer.
class ServicedWindow : public FakeTestWindow {
public:
    run::RunSequencer* sequencer = nullptr;

    void startFirstTestSequence(bool showTestDetailsForm) override
    {
        FakeTestWindow::startFirstTestSequence(showTestDetailsForm);
        sequencer->startFirstTestSequence(showTestDetailsForm);
    }
};

class ServicePanelTest : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        platform::CommandLine::replaceText(QStringLiteral(""));
        prompts = platform::ScriptedPrompts::installNew();
        testLists.applyElectrodeString(QStringLiteral("A1-D1"));
        linked = std::make_unique<unit::LinkedUnit>(comm.get());
        sequencer = std::make_unique<run::RunSequencer>(host, settings, testLists,
                                                        std::array<unit::Unit*, 2>{linked.get(), nullptr});
        window.sequencer = sequencer.get();
    }

    void TearDown() override
    {
        panel.reset();
        sequencer.reset();
        platform::CommandLine::replaceText(QString());
        LinkFixture::TearDown();
    }

    // The panel over unit 1 connected as the model given.
    void openOn(Model model)
    {
        if (!comm->connected())
            connectedUnit(Model::Base);
        UnitLinkTestAccess::setModel(*comm, unit::unitModelOf(model == Model::Zamo80, model == Model::Zamo24));
        window.unitMode = model == Model::Base ? run::ConnectedUnitsMode::Base : run::ConnectedUnitsMode::Zamo80;
        open();
    }

    void open()
    {
        panel = std::make_unique<ui::ServicePanel>(window, *sequencer, *comm);
        events.clear();
    }

    template <typename W = QPushButton>
    W* find(const char* name) const
    {
        W* widget = panel->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // The frames a click sends, at once or from the send queue.
    QString frames(const std::function<void()>& act)
    {
        events.clear();
        act();
        Clock::advance(150 * 30);
        QStringList out;
        for (const QString& e : only("TX "))
            out << e.mid(3);
        events.clear();
        return out.join(" ");
    }

    QString click(const char* name)
    {
        return frames([&] { find(name)->click(); });
    }

    void type(const char* box, const QString& text) { find<QLineEdit>(box)->setText(text); }

    void present(std::initializer_list<int> channels)
    {
        for (int c : channels)
            comm->channels().electrode(c)->setConnected(true);
    }

    const run::RunState& state() const { return sequencer->state(); }

    platform::ScriptedPrompts* prompts = nullptr;
    QuietHost host;
    ServicedWindow window;
    // The window's test lists, which the panel and the sequencer work on.
    testlists::StationTestLists& testLists = window.lists;
    std::unique_ptr<unit::LinkedUnit> linked;
    std::unique_ptr<run::RunSequencer> sequencer;
    std::unique_ptr<ui::ServicePanel> panel;
};

struct ButtonRow {
    const char* button;
    const char* base;   // "" where the button sends nothing or is disabled
    const char* zamo80; // nullptr: as the base model
    const char* zamo24; // nullptr: as the ZAMO80
};

TEST_F(ServicePanelTest, EveryButtonSendsItsFramesToTheChannelOfTheBoxPerModel)
{
    // clang-format off
    const ButtonRow rows[] = {
        {"zeroCounterButton", "[C03(MC0)]", "[C03(Mc0)]", nullptr},
        {"readCounterButton", "[C03(MC1)]", "[C03(Mc1)]", nullptr},
        {"setDateButton", "[C03(MD02011,01,31)]", nullptr, nullptr},
        {"getDateButton", "[C03(MD1)]", nullptr, nullptr},
        {"firmwareVersionButton", "[C03(MV1)]", nullptr, nullptr},
        {"setSerialButton", "[C03(MS001000)]", nullptr, nullptr},
        {"getSerialButton", "[C03(MS1)]", nullptr, nullptr},
        {"setReferenceButton", "[C03(MR02000,3000,2500)]", "[C03(Mr02000,3000,2500,2000)]", nullptr},
        {"getReferenceButton", "[C03(MR1)]", "[C03(Mr1)]", nullptr},
        {"setDcoReferenceButton", "", "[C03(Md01000)]", nullptr},
        {"getDcoReferenceButton", "", "[C03(Md1)]", nullptr},
        {"requestButton", "[C03(?)]", nullptr, nullptr},
        {"aczButton", "[C03(GA)]", nullptr, nullptr},
        {"acz30ZeroButton", "", "[C03(Gz)]", nullptr},
        {"acz30Button", "", "[C03(Ga)]", nullptr},
        {"aclgButton", "", "[C03(GT)]", "[C03(Gt)]"},
        {"defibRecoveryButton", "", "[C03(GR)]", nullptr},
        {"filterZeroButton", "[C03(GN0)]", nullptr, nullptr},
        {"specialCalibration1Button", "[C03(GN2)]", nullptr, nullptr},
        {"specialCalibration2Button", "[C03(GN3)]", nullptr, nullptr},
        {"dcoButton", "[C03(GD1)]", "[C03(Gd1)]", nullptr},
        {"dcoZeroCorrectionButton", "", "[C03(Gd2)]", nullptr},
        {"biasButton", "[C03(GB1)]", "", ""},
        {"stopBiasButton", "[C03(GB0)]", "", "[C03(GB0)]"},
        {"sdrButton", "[21] [C03(GS)]", "", ""},
        {"cancelButton", "[C03(X)]", nullptr, nullptr},
        {"cancelAndSupplyOffButton", "[20] [C03(X)]", "[C03(X)]", nullptr},
        {"setPaceButton", "", "[C03(MP01000,1000,1000,1000)]", "[C03(Mp01000,1000,1000,1000,0000,0000)]"},
        {"getPaceButton", "", "[C03(MP1)]", "[C03(Mp1)]"},
        {"setZamo24PaceButton", "", "[C03(MP01000,1000,1000,1000)]", "[C03(Mp01000,1000,1000,1000,1000,0700)]"},
        {"getZamo24PaceButton", "", "[C03(MP1)]", "[C03(Mp1)]"},
        {"pace1Button", "", "[C03(GP1)]", "[C03(Gp1)]"},
        {"pace2Button", "", "[C03(GP2)]", "[C03(Gp2)]"},
        {"ledButton", "", "[C03(i1)]", nullptr},
        {"diagnosticsButton", "[D]", "[d]", nullptr},
        {"defibChargeButton", "", "[3]", nullptr},
        {"triggerChargeButton", "", "[T]", nullptr},
    };
    // clang-format on
    for (Model model : {Model::Base, Model::Zamo80, Model::Zamo24}) {
        openOn(model);
        type("channelNumberEdit", "3");
        for (const ButtonRow& row : rows) {
            const char* zamo80 = row.zamo80 ? row.zamo80 : row.base;
            const char* expected = model == Model::Base     ? row.base
                                   : model == Model::Zamo80 ? zamo80
                                                            : (row.zamo24 ? row.zamo24 : zamo80);
            EXPECT_EQ(click(row.button), QString::fromLatin1(expected)) << row.button << " on model " << int(model);
        }
        panel.reset();
    }
}

TEST_F(ServicePanelTest, CaptionsAndEnabledButtonsFollowTheUnitMode)
{
    openOn(Model::Zamo80);
    EXPECT_EQ(find("zeroCounterButton")->text(), "Mc0");
    EXPECT_EQ(find("getReferenceButton")->text(), "Mr1");
    EXPECT_TRUE(find("ledButton")->isEnabled());
    EXPECT_TRUE(find<QLineEdit>("referenceAcz30Edit")->isEnabled());
    panel.reset();
    window.unitMode = run::ConnectedUnitsMode::Base;
    open();
    EXPECT_EQ(find("zeroCounterButton")->text(), "MC0");
    EXPECT_EQ(find("setReferenceButton")->text(), "MR0");
    EXPECT_FALSE(find("ledButton")->isEnabled());
    EXPECT_FALSE(find<QRadioButton>("ledOffOption")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("referenceAcz30Edit")->isEnabled());
    EXPECT_TRUE(find("setZamo24PaceButton")->isEnabled()); // not touched by the mode
}

TEST_F(ServicePanelTest, LedOffAndTheChannelAndValuesOfTheBoxesGoOut)
{
    openOn(Model::Zamo80);
    find<QRadioButton>("ledOffOption")->setChecked(true);
    type("channelNumberEdit", "15");
    EXPECT_EQ(click("ledButton"), "[C15(i0)]");
    type("yearEdit", "2026");
    type("monthEdit", "3");
    type("dayEdit", "7");
    EXPECT_EQ(click("setDateButton"), "[C15(MD02026,03,07)]");
    type("serialNumberEdit", "AB123");
    EXPECT_EQ(click("setSerialButton"), "[C15(MS0AB123)]");
}

TEST_F(ServicePanelTest, ChannelAndRepetitionBoxesHoldOnlyWhatCanBeSent)
{
    open();
    struct Case {
        const char* typed;
        const char* channel;
        const char* reps;
    };
    const Case cases[] = {{"20", "15", "20"}, {"x", "0", "1"}, {"", "0", "1"},
                          {"-4", "0", "1"},   {"7", "7", "7"}, {"99999999", "15", "32767"}};
    for (const Case& c : cases) {
        type("channelNumberEdit", c.typed);
        type("burnInRepsEdit", c.typed);
        EXPECT_EQ(find<QLineEdit>("channelNumberEdit")->text(), c.channel) << c.typed;
        EXPECT_EQ(find<QLineEdit>("burnInRepsEdit")->text(), c.reps) << c.typed;
    }
}

TEST_F(ServicePanelTest, AValueThatIsNoWholeNumberIsToldAndNothingIsSent)
{
    openOn(Model::Base);
    type("referenceAczEdit", "abc");
    EXPECT_EQ(click("setReferenceButton"), "");
    ASSERT_EQ(prompts->messages().size(), 1);
    EXPECT_EQ(prompts->messages().front(),
              "\"abc\" in the box ACZ is not a whole number from -32768 to 32767.  Nothing was sent.");
    type("referenceAczEdit", "40000");
    EXPECT_EQ(click("setReferenceButton"), "");
    EXPECT_EQ(prompts->messages().size(), 2);
}

TEST_F(ServicePanelTest, WithUnitOneDisconnectedNoButtonSendsOrShowsAnything)
{
    window.unitMode = run::ConnectedUnitsMode::Zamo80;
    open();
    type("rawFrameEdit", "[D]");
    for (QPushButton* button : panel->findChildren<QPushButton*>()) {
        if (button->objectName() == "exitButton" || button->objectName() == "burnInButton")
            continue;
        EXPECT_EQ(frames([&] { button->click(); }), "") << button->objectName().toStdString();
    }
    EXPECT_TRUE(prompts->messages().isEmpty());
    EXPECT_EQ(fake->writes().size(), 0u);
}

TEST_F(ServicePanelTest, RawSendGoesOutUnchangedAtOnceAndStaysInTheBox)
{
    openOn(Model::Base);
    type("rawFrameEdit", "[C02(MV1)]x");
    events.clear();
    find("sendButton")->click();
    EXPECT_EQ(only("TX "), QStringList("TX [C02(MV1)]x"));
    EXPECT_EQ(find<QLineEdit>("rawFrameEdit")->text(), "[C02(MV1)]x");
}

TEST_F(ServicePanelTest, OpeningInhibitsPollingOfBothLinksAndTheBoxSwitchesIt)
{
    openOn(Model::Base);
    EXPECT_TRUE(state().calibrationMode);
    EXPECT_TRUE(comm->pollingInhibited());
    EXPECT_TRUE(find<QCheckBox>("inhibitPollingBox")->isChecked());
    comm->setTestRunning(true);
    present({0});
    EXPECT_EQ(frames([] {}), ""); // no channel is asked for data
    find<QCheckBox>("inhibitPollingBox")->setChecked(false);
    EXPECT_FALSE(comm->pollingInhibited());
    EXPECT_NE(frames([] {}), "");
}

// Calibration mode: the replies are judged without a run but not recorded.
TEST_F(ServicePanelTest, CalibrationTestsSwitchCalibrationModeBackOn)
{
    openOn(Model::Zamo80);
    for (const char* button : {"aczButton", "acz30Button", "dcoButton", "filterZeroButton", "specialCalibration1Button",
                               "specialCalibration2Button"}) {
        sequencer->state().calibrationMode = false;
        click(button);
        EXPECT_TRUE(state().calibrationMode) << button;
        EXPECT_TRUE(sequencer->acceptResultReply(1, 3, "ACZ")) << button;
    }
    for (const char* button : {"requestButton", "defibRecoveryButton", "acz30ZeroButton"}) {
        sequencer->state().calibrationMode = false;
        click(button);
        EXPECT_FALSE(state().calibrationMode) << button;
    }
}

TEST_F(ServicePanelTest, AclgTakesTheEnergyOfTheOptionButKeepsAnXJSourceOfTheLastRun)
{
    openOn(Model::Zamo24);
    find<QRadioButton>("energy360JOption")->setChecked(true);
    click("aclgButton");
    EXPECT_EQ(comm->aclgEnergy(), unit::AclgEnergy::J360);
    find<QRadioButton>("energy100JOption")->setChecked(true);
    click("aclgButton");
    EXPECT_EQ(comm->aclgEnergy(), unit::AclgEnergy::J100);

    // A run chose the x J source: neither option replaces it.
    comm->setAclgEnergy(unit::AclgEnergy::XJ);
    for (const char* option : {"energy100JOption", "energy360JOption"}) {
        find<QRadioButton>(option)->setChecked(true);
        click("aclgButton");
        EXPECT_EQ(comm->aclgEnergy(), unit::AclgEnergy::XJ) << option;
    }
}

TEST_F(ServicePanelTest, BurnInRepeatsTheStandardRoundOnEveryConnectedChannel)
{
    openOn(Model::Base);
    present({0, 1, 2, 3});
    type("burnInRepsEdit", "3");
    click("burnInButton");
    const auto& list = testLists.active;
    ASSERT_EQ(list.size(), 12);
    QStringList lines;
    for (const auto& step : list)
        lines << step->testType() + "," + step->electrodeString() + "," + QString::number(step->testCount());
    const QStringList round{"DCO,A1-D1,1", "ACZ,A1-D1,1", "SDR,A1-D1,4", "ACZ,A1-D1,1"};
    EXPECT_EQ(lines, round + round + round);
    EXPECT_EQ(window.calls, QStringList({"ClearTestList", "UpdateTestSequenceList", "StartFirstTestSequence(True)"}));
    EXPECT_TRUE(state().testRunning);
    EXPECT_TRUE(state().burnInRunning);
    EXPECT_TRUE(state().calibrationMode);
    // The start does not touch the inhibit: the step went out, no channel is polled.
    EXPECT_TRUE(comm->pollingInhibited());
}

TEST_F(ServicePanelTest, BurnInWithoutChannelsOrInZamo80ModeStartsNothingAndEndsTheBurnIn)
{
    open(); // unit 1 disconnected
    testLists.active.append(run::ServiceMode::burnInList(1, "A1"));
    click("burnInButton");
    EXPECT_TRUE(testLists.active.isEmpty());
    EXPECT_EQ(window.calls, QStringList("ClearTestList"));
    panel.reset();

    openOn(Model::Zamo80);
    present({0, 1});
    window.calls.clear();
    click("burnInButton");
    EXPECT_TRUE(testLists.active.isEmpty());
    EXPECT_TRUE(window.calls.contains("StartFirstTestSequence(True)"));
    EXPECT_EQ(prompts->messages(), QStringList("No Tests Defined!"));
    EXPECT_FALSE(state().burnInRunning);
}

TEST_F(ServicePanelTest, CancelStopsARunningBurnInAndWithNothingRunningDoesNothingElse)
{
    openOn(Model::Zamo80);
    sequencer->state().burnInRunning = true;
    click("cancelBurnInButton");
    EXPECT_FALSE(state().burnInRunning);
    EXPECT_FALSE(host.lines.contains("* Tests Cancelled"));
    EXPECT_EQ(host.dischargeWarnings, 0);
    panel.reset();

    openOn(Model::Base);
    present({0, 1});
    click("burnInButton");
    ASSERT_TRUE(state().testRunning);
    const QString sent = click("cancelBurnInButton");
    EXPECT_FALSE(state().testRunning);
    EXPECT_FALSE(state().burnInRunning);
    EXPECT_TRUE(host.lines.contains("* Tests Cancelled"));
    EXPECT_TRUE(sent.contains("(X)")) << sent.toStdString();
}

TEST_F(ServicePanelTest, LeavingAsksAndYesEndsCalibrationModeAndTheInhibit)
{
    openOn(Model::Base);
    panel->show();
    prompts->messageAnswers.push_back(platform::MsgResult::No);
    find("exitButton")->click();
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_EQ(prompts->shown[0].text, "Are you sure you want to leave the Calibration Form?");
    EXPECT_EQ(prompts->shown[0].title, "Exit Calibration Form");
    EXPECT_EQ(prompts->shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(state().calibrationMode);
    EXPECT_TRUE(comm->pollingInhibited());

    prompts->messageAnswers.push_back(platform::MsgResult::Yes);
    panel->close();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(state().calibrationMode);
    EXPECT_FALSE(comm->pollingInhibited());
}

TEST_F(ServicePanelTest, LeavingDuringABurnInAsksNothingAndLaterRunsStoreAgain)
{
    openOn(Model::Base);
    present({0, 1});
    panel->show();
    click("burnInButton");
    ASSERT_TRUE(state().burnInRunning);
    find("exitButton")->click();
    EXPECT_TRUE(prompts->messages().isEmpty());
    EXPECT_FALSE(panel->isVisible());
    // The burn-in goes on and records; the station is out of service mode.
    EXPECT_TRUE(state().testRunning);
    EXPECT_TRUE(state().burnInRunning);
    EXPECT_FALSE(state().calibrationMode);
    EXPECT_FALSE(comm->pollingInhibited());
    sequencer->stopTests();
    EXPECT_FALSE(state().burnInRunning);
    EXPECT_FALSE(state().calibrationMode);
}

TEST_F(ServicePanelTest, TheCommandLineShowsTheFrameAndItsServiceControls)
{
    struct Case {
        const char* line;
        bool frame;
        bool serviceControls;
    };
    const Case cases[] = {{"/rida", false, true}, {"/vadov /x", false, true}, {"/rida1", true, false},
                          {"/rida2", true, true}, {"/vadov", true, true},     {"", true, true}};
    for (const Case& c : cases) {
        platform::CommandLine::replaceText(QString::fromLatin1(c.line));
        open();
        EXPECT_EQ(!find<QWidget>("serviceFrame")->isHidden(), c.frame) << c.line;
        for (const char* name : {"setSerialButton", "filterZeroButton", "serialNumberEdit", "burnInButton",
                                 "burnInRepsLabel", "burnInRepsEdit", "cancelBurnInButton"})
            EXPECT_EQ(!find<QWidget>(name)->isHidden(), c.serviceControls) << c.line << " " << name;
        panel.reset();
    }
}

// ---- read-back ----

TEST_F(ServicePanelTest, ReadBacksFillTheBoxesInTheirFormatsOnlyInCalibrationMode)
{
    openOn(Model::Zamo24);
    emit comm->replyReceived({1, 3, unit::CalibrationDateReply{2011, 1, 2}});
    emit comm->replyReceived({1, 3, unit::SerialNumber{"AB123"}});
    emit comm->replyReceived({1, 3, unit::CalibrationReference{{7, 12345, -5, 0}}});
    emit comm->replyReceived({1, 3, unit::DcoReferenceVoltage{750}});
    emit comm->replyReceived({1, 3, unit::PacePulseWidths{1, 2, 30, 40}});
    unit::Zamo24PaceSettings pace;
    pace.pace1On50 = 5;
    pace.pace2On50 = 6;
    pace.pace1Offms = 700;
    pace.pace2Offms = 800;
    pace.pace1Volts = 12.6;
    pace.pace2Volts = std::numeric_limits<double>::infinity();
    emit comm->replyReceived({1, 3, pace});
    const std::pair<const char*, const char*> boxes[] = {
        {"dayEdit", "02"},
        {"monthEdit", "01"},
        {"yearEdit", "2011"},
        {"serialNumberEdit", "AB123"},
        {"referenceAczEdit", "0007"},
        {"reference100uVEdit", "12345"},
        {"reference50mVEdit", "-0005"},
        {"referenceAcz30Edit", "0000"},
        {"dcoReferenceEdit", "0750"},
        {"pace1OnEdit", "0001"},
        {"pace2OnEdit", "0002"},
        {"pace1OffEdit", "0030"},
        {"pace2OffEdit", "0040"},
        {"zamo24Pace1OnEdit", "0005"},
        {"zamo24Pace2OnEdit", "0006"},
        {"zamo24Pace1OffEdit", "0700"},
        {"zamo24Pace2OffEdit", "0800"},
        {"zamo24Pace1VoltsEdit", "0013"},
        {"zamo24Pace2VoltsEdit", "0700"}, // no number: the box keeps its value
    };
    for (const auto& [box, text] : boxes)
        EXPECT_EQ(find<QLineEdit>(box)->text(), text) << box;

    sequencer->state().calibrationMode = false;
    emit comm->replyReceived({1, 3, unit::CalibrationDateReply{2030, 12, 24}});
    emit comm->replyReceived({1, 3, unit::SerialNumber{"ZZ999"}});
    EXPECT_EQ(find<QLineEdit>("yearEdit")->text(), "2011");
    EXPECT_EQ(find<QLineEdit>("serialNumberEdit")->text(), "AB123");
}

TEST_F(ServicePanelTest, AReadBackFromTheUnitFillsTheBoxes)
{
    openOn(Model::Base);
    fake->replyTo("[C04(MD1)]", "(MD12024,03,15)", 5);
    type("channelNumberEdit", "4");
    click("getDateButton");
    EXPECT_EQ(find<QLineEdit>("yearEdit")->text(), "2024");
    EXPECT_EQ(find<QLineEdit>("monthEdit")->text(), "03");
    EXPECT_EQ(find<QLineEdit>("dayEdit")->text(), "15");
}

} // namespace
