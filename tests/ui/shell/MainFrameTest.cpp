#include "platform/Timer.h"
#include "support/ShellFixture.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/MainWindowsPlacement.h"
#include "ui/shell/StatusWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QWidget>

namespace {

class MainFrameTest : public ShellFixture {
protected:
    ui::MainFrame* frame() { return windows.frame(); }
    static bool shown(QMenu* menu) { return menu->menuAction()->isVisible(); }
};

TEST_F(MainFrameTest, CommandLineDecidesTheServiceMenusAndDemoMode)
{
    struct Case {
        QString line;
        bool serviceMenus;
        bool simulator;
        bool demo;
    };
    const Case cases[] = {
        {"", false, false, false},      {"/rida", true, false, false},   {"/rida1", true, false, false},
        {"/rida2", true, false, false}, {"/vadov", true, true, true},    {"/rida /vadov", true, false, false},
        {"/RIDA", false, false, false}, {"/VADOV", false, false, false}, {"x/vadovy", true, true, true},
    };
    for (const Case& c : cases) {
        platform::CommandLine::replaceText(c.line);
        settings.switches.demoMode = !c.demo;
        ui::MainFrame* f = frame();
        const std::string line = c.line.toStdString();
        EXPECT_EQ(shown(f->calibrationMenu), c.serviceMenus) << line;
        EXPECT_EQ(shown(f->advancedMenu), c.serviceMenus) << line;
        EXPECT_EQ(f->connectSimulatorActions[1]->isVisible(), c.simulator) << line;
        EXPECT_EQ(f->connectSimulatorActions[2]->isVisible(), c.simulator) << line;
        EXPECT_EQ(settings.switches.demoMode, c.demo) << line;
        EXPECT_FALSE(f->connectUnitActions[2]->isEnabled()) << line;
        EXPECT_FALSE(f->connectSimulatorActions[2]->isEnabled()) << line;
        EXPECT_FALSE(f->showStatusWindowAction->isVisible()) << line;
        EXPECT_FALSE(f->loadTestSequenceAction->isVisible()) << line;
        windows.destroyAll();
    }
}

TEST_F(MainFrameTest, LoadSetsCaptionVersionSizeAndTimer)
{
    ui::MainFrame* f = frame();
    EXPECT_EQ(f->windowTitle(), "KIVO_ZAMO");
    EXPECT_EQ(f->versionLabel->text(), "ZAMO v1.0.0");
    // The frame takes the bench screen's working area (1280 x 1024).
    EXPECT_EQ(f->geometry(), QRect(0, 0, 1280, 1024));
    EXPECT_TRUE(f->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(f->dbConnTimeoutTimer->isEnabled());
    EXPECT_EQ(f->dbConnTimeoutTimer->interval(), 60000);
    EXPECT_FALSE(f->disconnectUnitActions[1]->isEnabled());
    EXPECT_FALSE(f->disconnectUnitActions[2]->isEnabled());

    const QRect bg = ui::MdiChild::geometryTwips(windows.background());
    const auto whole = [](int twips) { return ui::Twips::fromPixels(ui::Twips::toPixels(twips)); };
    EXPECT_EQ(bg.left(), whole(f->widthInTwips() - bg.width() - 300));
    EXPECT_EQ(bg.top(), whole(f->heightInTwips() - bg.height() - 1600));
}

TEST(MainFrameStartGeometryTest, TheFrameFillsTheWorkingAreaButNotBelowItsMinimumSize)
{
    const std::pair<QRect, QRect> cases[] = {
        {QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1024)},
        {QRect(0, 27, 1920, 1053), QRect(0, 27, 1920, 1053)}, // a panel along the top
        {QRect(0, 0, 800, 480), QRect(0, 0, 800, 480)},
        {QRect(10, 0, 600, 400), QRect(10, 0, 10000 / 15, 7000 / 15)},
    };
    for (const auto& [available, frame] : cases)
        EXPECT_EQ(ui::MainFrame::startGeometry(available), frame);
}

TEST_F(MainFrameTest, SignalGeneratorItemsFollowTheSetting)
{
    EXPECT_FALSE(frame()->connectSignalGeneratorAction->isVisible());
    EXPECT_FALSE(frame()->disconnectSignalGeneratorAction->isVisible());
    windows.destroyAll();
    settings.signalGenerator.enabled = true;
    EXPECT_TRUE(frame()->connectSignalGeneratorAction->isVisible());
    EXPECT_TRUE(frame()->disconnectSignalGeneratorAction->isVisible());
    EXPECT_FALSE(frame()->disconnectSignalGeneratorAction->isEnabled());
}

TEST_F(MainFrameTest, MenuCommandsReachTheMainTestWindow)
{
    RecordingTestWindow* form = useMainForm();
    ui::MainFrame* f = frame();
    const std::pair<QAction*, QString> items[] = {
        {f->loadTestSequenceAction, "LoadTestSequence"},
        {f->saveTestSequenceAction, "SaveTestSequence"},
        {f->connectUnitActions[2], "Connect(2)"},
        {f->disconnectUnitActions[1], "Disconnect(1)"},
        {f->connectSignalGeneratorAction, "ConnectZamoSG"},
        {f->disconnectSignalGeneratorAction, "DisconnectZamoSG"},
        {f->executeTestSequenceAction, "StartFirstTestSequence(1)"},
        {f->runBiasTestAction, "RunBiasTest"},
        {f->runNoiseTestAction, "RunNoiseTest"},
        {f->runAcz30ZeroAction, "RunACZ30Zero"},
    };
    for (const auto& [action, call] : items) {
        form->calls.clear();
        action->setEnabled(true); // as the unit events leave them
        action->trigger();
        EXPECT_EQ(form->calls, QStringList{call}) << action->objectName().toStdString();
    }
}

TEST_F(MainFrameTest, WindowsOfOtherSubsystemsOpenThroughTheirOpeners)
{
    QStringList opened;
    auto& o = windows.windowOpeners();
    o.DatabaseOptions = [&] { opened << "DatabaseOptions"; };
    o.testSequenceEditor = [&] { opened << "TestSequenceEditor"; };
    o.SystemCalibration = [&] { opened << "SystemCalibration"; };
    ui::MainFrame* f = frame();
    f->databaseOptionsAction->trigger();
    f->configureTestSequenceAction->trigger();
    f->systemCalibrationAction->trigger();
    f->setLimitsAction->trigger(); // no limits editor handed in: nothing happens
    EXPECT_EQ(opened, (QStringList{"DatabaseOptions", "TestSequenceEditor", "SystemCalibration"}));
}

TEST_F(MainFrameTest, SimulatorConnectReadsModelAndChannelsAndRefusesABadCount)
{
    RecordingTestWindow* form = useMainForm();
    ui::MainFrame* f = frame();
    struct Case {
        QString channels;
        bool z80;
        bool z24;
        QString call;
    };
    const Case cases[] = {{"2", false, false, "ConnectSimulator(1,2,0,0)"},
                          {" 16 ", true, false, "ConnectSimulator(1,16,1,0)"},
                          {"4", false, true, "ConnectSimulator(1,4,0,1)"},
                          {"abc", false, false, ""},
                          {"", true, false, ""},
                          {"17", false, false, ""},
                          {"-1", false, false, ""}};
    for (const Case& c : cases) {
        form->calls.clear();
        prompts->shown.clear();
        form->simChannels = c.channels;
        form->zamo80 = c.z80;
        form->zamo24 = c.z24;
        f->connectSimulatorActions[1]->trigger();
        const std::string text = c.channels.toStdString();
        if (c.call.isEmpty()) {
            EXPECT_TRUE(form->calls.isEmpty()) << text;
            EXPECT_EQ(prompts->messages(),
                      QStringList{"The number of simulator channels must be a whole number from 0 to 16."})
                << text;
        } else {
            EXPECT_EQ(form->calls, QStringList{c.call}) << text;
            EXPECT_TRUE(prompts->messages().isEmpty()) << text;
        }
    }
}

TEST_F(MainFrameTest, RefreshKeepsTheMinimumSizeAndPlacesTheStrip)
{
    ui::MainFrame* f = frame();
    f->resize(ui::Twips::toPixels(5000), ui::Twips::toPixels(3000));
    f->refresh();
    EXPECT_EQ(f->widthInTwips(), ui::Twips::fromPixels(ui::Twips::toPixels(10000)));
    EXPECT_EQ(f->heightInTwips(), ui::Twips::fromPixels(ui::Twips::toPixels(7000)));
    const int bar = ui::Twips::fromPixels(f->progressBar->width());
    EXPECT_EQ(ui::Twips::fromPixels(f->progressBar->x()),
              ui::Twips::fromPixels(ui::Twips::toPixels(f->widthInTwips() - bar - 200)));
    const QRect bg = ui::MdiChild::geometryTwips(windows.background());
    EXPECT_EQ(bg.top(), ui::Twips::fromPixels(ui::Twips::toPixels(f->heightInTwips() - bg.height() - 1600)));

    // Minimized, nothing is re-placed.
    f->setWindowState(Qt::WindowMinimized);
    f->resize(ui::Twips::toPixels(5000), ui::Twips::toPixels(3000));
    f->refresh();
    EXPECT_EQ(f->widthInTwips(), 4995);
}

TEST_F(MainFrameTest, MainWindowsArePlacedBesideTheMainTestWindow)
{
    RecordingTestWindow* form = useMainForm();
    form->window->resize(ui::Twips::toPixels(9000), ui::Twips::toPixels(7500));
    QWidget* activeLot = new QWidget();
    activeLot->resize(ui::Twips::toPixels(6000), ui::Twips::toPixels(2010));
    windows.setActiveLotWindowFactory([activeLot] { return activeLot; });
    ui::showMainWindows(windows);

    const QRect main = ui::MdiChild::geometryTwips(form->window);
    const QRect status = ui::MdiChild::geometryTwips(windows.statusWindow());
    const QRect lot = ui::MdiChild::geometryTwips(activeLot);
    EXPECT_EQ(main.topLeft(), QPoint(0, 0));
    EXPECT_EQ(status.left(), main.width());
    EXPECT_EQ(status.top(), 0);
    EXPECT_EQ(status.height(), main.height() - 2010);
    EXPECT_EQ(lot.left(), status.left());
    EXPECT_EQ(lot.width(), status.width());
    EXPECT_EQ(lot.top(), status.height());
    EXPECT_EQ(lot.height(), main.height() - status.height());
    EXPECT_TRUE(windows.frame()->isVisible());
}

TEST_F(MainFrameTest, WindowsReachingPastTheFrameCanBeScrolledTo)
{
    // A main test window so wide that the status window finds no room.
    RecordingTestWindow* form = useMainForm();
    form->window->resize(1100, ui::Twips::toPixels(7500));
    ui::showMainWindows(windows);
    QCoreApplication::processEvents();

    QMdiArea* area = windows.frame()->mdiArea();
    const QRect status = ui::MdiChild::outerWidget(windows.statusWindow())->geometry();
    ASSERT_GT(status.right(), area->viewport()->width());
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
    EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
}

TEST_F(MainFrameTest, ThePictureLiesUnderEveryChildWindowAndIsNeverActivated)
{
    RecordingTestWindow* form = useMainForm();
    form->window->resize(ui::Twips::toPixels(9000), ui::Twips::toPixels(7500));
    ui::showMainWindows(windows);
    QMdiArea* area = windows.frame()->mdiArea();
    ui::BackgroundWindow* picture = windows.background();
    EXPECT_EQ(picture->parentWidget(), area->viewport());
    EXPECT_TRUE(picture->testAttribute(Qt::WA_TransparentForMouseEvents));

    // A window opened after the picture and closed again leaves it at the
    // bottom, and the next window active.
    auto* report = new QWidget();
    report->setAttribute(Qt::WA_DeleteOnClose);
    windows.addToFrame(report);
    ui::MdiChild::showAndRaise(report);
    ui::MdiChild::outerWidget(report)->close();
    QCoreApplication::processEvents();
    const QList<QWidget*> stack = area->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(stack.value(0), picture);
    ASSERT_NE(area->activeSubWindow(), nullptr);
    EXPECT_NE(area->activeSubWindow()->widget(), picture);
    for (QMdiSubWindow* sub : area->subWindowList())
        EXPECT_NE(sub->widget(), picture);
}

TEST_F(MainFrameTest, ExitAsksTheMainTestWindowFirst)
{
    RecordingTestWindow* form = useMainForm();
    ui::MainFrame* f = frame();
    f->show();
    form->allowExit = false;
    f->exitAction->trigger();
    EXPECT_EQ(form->calls, QStringList{"QueryExit"});
    EXPECT_TRUE(f->isVisible());

    form->allowExit = true;
    form->calls.clear();
    f->exitAction->trigger();
    EXPECT_EQ(form->calls, (QStringList{"QueryExit", "UnloadApplication"}));
}

TEST_F(MainFrameTest, ExitWithoutAMainTestWindowEndsTheProgram)
{
    ui::MainFrame* f = frame();
    f->show();
    f->exitAction->trigger();
    EXPECT_TRUE(platform::ProgramEnd::requested());
    EXPECT_TRUE(logText().endsWith(" - Application Terminated\r\n"));
}

} // namespace
