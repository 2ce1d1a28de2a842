// The whole station offscreen: a simulated unit connected from the menu,
// and a Run from the run button to its end.
#include "run/UnitResultHandler.h"
#include "support/StationHarness.h"
#include "ui/common/StatusLamp.h"
#include "ui/editors/LimitsDialog.h"
#include "ui/editors/SequenceEditor.h"
#include "ui/options/AdvancedOptionsWindow.h"
#include "ui/testwindow/LotByElectrodeDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTextEdit>

#include <gmock/gmock.h>

namespace {

// Completes an electrode at its final ACZ reading (the verdict rules are
// not part of these tests).
class CompletingAczHandler : public run::UnitResultHandler {
public:
    explicit CompletingAczHandler(ui::TestWindow& form) : m_form(form) {}
    QStringList finals;

    void handle(const unit::UnitReply& reply) override
    {
        const auto* acz = std::get_if<unit::AczReading>(&reply.value);
        if (!acz)
            return;
        const unit::AczReading& reading = *acz;
        const int index = reply.unit;
        const qint16 channel = reply.channel;
        const double measurement = reading.measurement;
        auto step = m_form.state().activeTest;
        if (!reading.completed || !step)
            return;
        const auto electrode = qint16((index - 1) * 16 + channel);
        finals << testlists::TestStep::findElectrodeNameByIndex(electrode) + "=" + QString::number(measurement);
        step->setElectrodeTestComplete(electrode);
    }

private:
    ui::TestWindow& m_form;
};

class StationRunTest : public ::testing::Test {
protected:
    testsupport::StationHarness station;
};

TEST_F(StationRunTest, ASimulatedUnitConnectedFromTheMenuEnablesTheTests)
{
    ASSERT_TRUE(station.start());
    ui::TestWindow& form = station.testWindow();
    EXPECT_FALSE(form.testListPanel().runButton()->isEnabled());
    EXPECT_EQ(form.statusPanel().unitLamps()[1]->fillColor(), ui::StatusLamp::red());

    form.electrodePanel().maskUnavailableBox()->setChecked(true);
    station.connectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));

    EXPECT_EQ(form.statusPanel().unitLamps()[1]->fillColor(), ui::StatusLamp::green());
    EXPECT_TRUE(station.windows().commBuffer().contains("* Connected to ZAMO Unit #1 *"));
    EXPECT_TRUE(form.electrodePanel().electrodeBoxes()[0]->isEnabled());
    EXPECT_TRUE(form.electrodePanel().electrodeBoxes()[1]->isEnabled());
    EXPECT_FALSE(form.electrodePanel().electrodeBoxes()[2]->isEnabled());
    EXPECT_TRUE(station.frame().disconnectUnitActions[1]->isEnabled());
    EXPECT_FALSE(station.frame().connectUnitActions[1]->isEnabled());
}

TEST(StationSelectionTest, ASavedSelectionSurvivesStartUpAndASimulatedConnectOfEitherModel)
{
    struct Case {
        bool zamo80;
        QStringList ticked; // the unit-2 boxes beside a ZAMO80 are hidden and never ticked
        QString saved;      // a ZAMO80 drops unit 2's electrodes from the saved selection
    } cases[] = {{false, {"A1", "B1", "C2"}, "A1-B1.C2"}, {true, {"A1", "B1"}, "A1-B1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zamo80 ? "ZAMO80" : "ZAMO");
        testsupport::StationHarness station;
        station.setSetting("Electrodes", "Default", "A1-B1.C2");
        ASSERT_TRUE(station.start());
        EXPECT_EQ(station.tickedElectrodes(), (QStringList{"A1", "B1", "C2"}));

        station.connectSimulatedUnit(1, 4, c.zamo80);
        ASSERT_TRUE(
            station.runUntil([&] { return station.testWindow().testListPanel().runButton()->isEnabled(); }, 20000));
        EXPECT_EQ(station.tickedElectrodes(), c.ticked);
        EXPECT_EQ(station.testWindow().electrodePanel().electrodeBoxes()[18]->isHidden(), c.zamo80);
        EXPECT_EQ(station.setting("Electrodes", "Default"), c.saved);
        EXPECT_FALSE(station.testWindow().electrodePanel().unsavedMark()->isVisible());
    }
}

TEST_F(StationRunTest, TheTestListGridShowsItsWholeHeadings)
{
    ASSERT_TRUE(station.start());
    QTableWidget* grid = station.testWindow().testListPanel().grid();
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    for (int c = 0; c < grid->columnCount(); ++c) {
        const QString heading = grid->horizontalHeaderItem(c)->text();
        SCOPED_TRACE(heading.toStdString());
        EXPECT_GE(grid->columnWidth(c), metrics.horizontalAdvance(heading));
    }
}

// The controls under root that have no name for assistive tools (neither a
// caption, nor a label naming them, nor a name of their own).
QStringList unnamedControls(QWidget* root)
{
    QStringList unnamed;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)
                             || qobject_cast<QComboBox*>(w) || qobject_cast<QSlider*>(w)
                             || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w)
                             || qobject_cast<QPlainTextEdit*>(w);
        const bool partOfAnother = w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<QHeaderView*>(w)
                                   || !w->parentWidget() || w->parentWidget()->inherits("QAbstractButton")
                                   || w->parentWidget()->inherits("QAbstractItemView")
                                   || w->parentWidget()->inherits("QComboBox");
        if (!control || partOfAnother)
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << root->objectName() + QStringLiteral(": ") + w->metaObject()->className() + QStringLiteral(" ")
                           + w->objectName();
    }
    return unnamed;
}

TEST(StationNamesTest, EveryControlOfTheStationWindowsHasAName)
{
    testsupport::StationHarness station(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), QStringLiteral("/vadov"));
    ASSERT_TRUE(station.start());
    ui::SequenceEditor sequenceEditor(station.testWindow());
    ui::LimitsDialog limitsEditor(station.testWindow());
    ui::AdvancedOptionsWindow options(station.stationSettings());
    options.load();
    QList<QWidget*> windows{&station.frame(), &sequenceEditor, &limitsEditor, &options};
    ui::TestDetailsDialog* details = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if ((details = qobject_cast<ui::TestDetailsDialog*>(top)))
            break;
    }
    ASSERT_NE(details, nullptr);
    ui::LotByElectrodeDialog lotsByElectrode(*details);
    windows << details << &lotsByElectrode;
    QStringList unnamed;
    for (QWidget* window : windows)
        unnamed << unnamedControls(window);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
}

TEST(StationMenuTest, TheUnitMenuOffersOnlyUnitOneUntilItConnects)
{
    testsupport::StationHarness station(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), QStringLiteral("/vadov"));
    ASSERT_TRUE(station.start());
    ui::MainFrame& frame = station.frame();
    auto enabled = [&frame] {
        return QList<bool>{frame.connectUnitActions[1]->isEnabled(),      frame.connectSimulatorActions[1]->isEnabled(),
                           frame.disconnectUnitActions[1]->isEnabled(),   frame.connectUnitActions[2]->isEnabled(),
                           frame.connectSimulatorActions[2]->isEnabled(), frame.disconnectUnitActions[2]->isEnabled()};
    };
    EXPECT_EQ(enabled(), (QList<bool>{true, true, false, false, false, false}));

    station.testWindow().statusPanel().simulatorChannelsEdit()->setText(QStringLiteral("2"));
    frame.connectSimulatorActions[1]->trigger();
    ASSERT_TRUE(station.runUntil([&] { return station.testWindow().testListPanel().runButton()->isEnabled(); }, 20000));
    EXPECT_EQ(enabled(), (QList<bool>{false, false, true, true, true, false}));
}

TEST_F(StationRunTest, AOneStepAczListRunsFromRunToCompletion)
{
    ASSERT_TRUE(station.start());
    ui::TestWindow& form = station.testWindow();
    auto handler = std::make_unique<CompletingAczHandler>(form);
    CompletingAczHandler* finals = handler.get();
    form.services().results = std::move(handler);

    station.connectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.runUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
    station.useTestList("A1-B1", {"ACZ,A1-B1,1"});

    station.startNextRunWithLot("LOT-1");
    form.testListPanel().runButton()->click();
    ASSERT_TRUE(form.testRunning());
    ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 120000));

    EXPECT_TRUE(station.sent(1).contains("[A(GA))1100000000000000]"));
    EXPECT_EQ(finals->finals.size(), 2);
    EXPECT_TRUE(station.windows().commBuffer().contains("* Tests Completed"));
    EXPECT_FALSE(form.sequencer().stepTimer().isEnabled());
    EXPECT_FALSE(form.sequencer().testClockTimer().isEnabled());
    EXPECT_FALSE(station.link(1).testRunning());
    EXPECT_TRUE(station.prompts().messages().isEmpty()) << station.prompts().messages().join('|').toStdString();
}

} // namespace
