#include "ui/shell/MainFrame.h"

#include "config/AppVersion.h"
#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/CommandLine.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "platform/Timer.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/options/AdvancedOptionsWindow.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/HelpBox.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/StatusWindow.h"
#include "ui/shell/TestWindowCommands.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int StripHeightTwips = 375;
constexpr int MaxSimulatedChannels = 16;

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* separator(QMenu* menu, const char* name)
{
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

// Runs a command of the main test window, when there is one.
void onMainForm(StationWindows& windows, const std::function<void(TestWindowServices&)>& command)
{
    if (TestWindowServices* form = windows.testWindow())
        command(*form);
}

void open(StationWindows& windows, std::function<void()> StationWindows::Openers::*opener)
{
    const auto& fn = windows.windowOpeners().*opener;
    if (fn)
        fn();
}

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

} // namespace

MainFrame::MainFrame(config::StationSettings& settings, StationWindows& windows, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_windows(windows)
{
    setObjectName(QStringLiteral("ParentMDIForm"));
    setWindowTitle(QStringLiteral("KIVO_ZAMO"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setBackground(QColor(128, 128, 128));
    // A child window that reaches past the frame's edge stays within reach.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_mdiArea, 1);
    statusStrip = new QWidget(central);
    statusStrip->setObjectName(QStringLiteral("StatusBarPictureBox"));
    statusStrip->setFixedHeight(Twips::toPixels(StripHeightTwips));
    layout->addWidget(statusStrip);
    setCentralWidget(central);

    dbConnTimeoutTimer = new platform::Timer(this);
    dbConnTimeoutTimer->setObjectName(QStringLiteral("dbConnTimeoutTimer"));
    dbConnTimeoutTimer->setInterval(60000);

    buildMenus();
    buildStatusStrip();
}

void MainFrame::buildMenus()
{
    QMenuBar* bar = menuBar();
    fileMenu = menu(bar, "MainFile", QStringLiteral("File"));
    databaseOptionsAction = item(fileMenu, "FileDatabaseOptions", QStringLiteral("Database Options..."));
    loadTestSequenceAction = item(fileMenu, "FileLoadTestSequence", QStringLiteral("Load Test Sequence..."));
    saveTestSequenceAction = item(fileMenu, "FileSaveTestSequence", QStringLiteral("Save Test Sequence..."));
    fileSeparator = separator(fileMenu, "FileBlank");
    exitAction = item(fileMenu, "FileExit", QStringLiteral("Exit"));
    loadTestSequenceAction->setVisible(false);
    saveTestSequenceAction->setVisible(false);

    unitsMenu = menu(bar, "MainZamoUnits", QStringLiteral("ZAMO Units"));
    for (int n = 1; n <= 2; ++n)
        connectUnitActions[n] = item(unitsMenu, n == 1 ? "ZamoUnitsConnect1" : "ZamoUnitsConnect2",
                                     QStringLiteral("Connect Unit %1").arg(n));
    for (int n = 1; n <= 2; ++n)
        connectSimulatorActions[n] =
            item(unitsMenu, n == 1 ? "ZamoUnitsConnectSimulator1" : "ZamoUnitsConnectSimulator2",
                 QStringLiteral("Connect Unit %1 Simulator").arg(n));
    connectSignalGeneratorAction = item(unitsMenu, "ZamoUnitsConnectZamoSG", QStringLiteral("Connect ZAMO-SG"));
    unitsSeparator = separator(unitsMenu, "ZamoUnitsBlank");
    for (int n = 1; n <= 2; ++n) {
        disconnectUnitActions[n] = item(unitsMenu, n == 1 ? "ZamoUnitsDisconnect1" : "ZamoUnitsDisconnect2",
                                        QStringLiteral("Disconnect Unit %1").arg(n));
        disconnectUnitActions[n]->setEnabled(false);
    }
    disconnectSignalGeneratorAction =
        item(unitsMenu, "ZamoUnitsDisconnectZamoSG", QStringLiteral("Disconnect ZAMO-SG"));
    connectUnitActions[2]->setEnabled(false);
    connectSimulatorActions[2]->setEnabled(false);

    testsMenu = menu(bar, "MainTests", QStringLiteral("Tests"));
    configureTestSequenceAction =
        item(testsMenu, "TestsConfigureTestSequence", QStringLiteral("Configure Test Sequence"));
    setLimitsAction = item(testsMenu, "TestsSetLimits", QStringLiteral("Set Limits"));
    limitsSeparator = separator(testsMenu, "TestsBlank0");
    executeTestSequenceAction = item(testsMenu, "TestsExecuteTestSequence", QStringLiteral("Execute Test Sequence"));
    executeSeparator = separator(testsMenu, "TestsBlank2");
    runBiasTestAction = item(testsMenu, "TestsRunBiasTest", QStringLiteral("Run BIAS Test"));
    runNoiseTestAction = item(testsMenu, "TestsRunNoiseTest", QStringLiteral("Run NOISE Test"));
    runAcz30ZeroAction = item(testsMenu, "TestsRunACZ30Zero", QStringLiteral("Run ACZ30 Zero"));
    windowsSeparator = separator(testsMenu, "TestsBlank1");
    showStatusWindowAction = item(testsMenu, "TestsShowStatusWindow", QStringLiteral("Show Status Window"));
    showActiveLotNumbersAction =
        item(testsMenu, "TestsShowActiveLotNumbers", QStringLiteral("Show Active Lot Numbers"));
    windowsSeparator->setVisible(false);
    showStatusWindowAction->setVisible(false);
    showActiveLotNumbersAction->setVisible(false);

    reportsMenu = menu(bar, "MainReports", QStringLiteral("Reports"));
    reportViewerAction = item(reportsMenu, "ReportsReportViewer", QStringLiteral("Report Viewer"));
    configureReportActionsAction =
        item(reportsMenu, "ReportsConfigureReportActions", QStringLiteral("Configure Report Actions"));

    calibrationMenu = menu(bar, "MainCalibration", QStringLiteral("Calibration"));
    systemCalibrationAction =
        item(calibrationMenu, "CalibrationSystemCalibraton", QStringLiteral("System Calibration"));

    advancedMenu = menu(bar, "AdvancedMenu", QStringLiteral("Advanced"));
    advancedOptionsAction = item(advancedMenu, "AdvancedOptions", QStringLiteral("Options"));

    helpAction = bar->addAction(QStringLiteral("Help"));
    helpAction->setObjectName(QStringLiteral("mnuHelp"));

    using O = StationWindows::Openers;
    connect(databaseOptionsAction, &QAction::triggered, this, [this] { open(m_windows, &O::DatabaseOptions); });
    connect(loadTestSequenceAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.loadTestSequence(); }); });
    connect(saveTestSequenceAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.saveTestSequence(); }); });
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    for (int n = 1; n <= 2; ++n) {
        connect(connectUnitActions[n], &QAction::triggered, this,
                [this, n] { onMainForm(m_windows, [n](auto& m) { m.connectUnitLink(n); }); });
        connect(connectSimulatorActions[n], &QAction::triggered, this, [this, n] { connectSimulator(n); });
        connect(disconnectUnitActions[n], &QAction::triggered, this,
                [this, n] { onMainForm(m_windows, [n](auto& m) { m.disconnectUnitLink(n); }); });
    }
    connect(connectSignalGeneratorAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.connectZamoSG(); }); });
    connect(disconnectSignalGeneratorAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.disconnectZamoSG(); }); });
    connect(configureTestSequenceAction, &QAction::triggered, this,
            [this] { open(m_windows, &O::testSequenceEditor); });
    connect(setLimitsAction, &QAction::triggered, this, [this] { open(m_windows, &O::limitsEditor); });
    connect(executeTestSequenceAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.startFirstTestSequence(true); }); });
    connect(runBiasTestAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.runBiasTest(); }); });
    connect(runNoiseTestAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.runNoiseTest(); }); });
    connect(runAcz30ZeroAction, &QAction::triggered, this,
            [this] { onMainForm(m_windows, [](auto& m) { m.runACZ30Zero(); }); });
    connect(showStatusWindowAction, &QAction::triggered, this, &MainFrame::showStatusWindow);
    connect(reportViewerAction, &QAction::triggered, this, [this] { open(m_windows, &O::ReportViewer); });
    connect(configureReportActionsAction, &QAction::triggered, this, [this] { open(m_windows, &O::ReportActions); });
    connect(systemCalibrationAction, &QAction::triggered, this, [this] { open(m_windows, &O::SystemCalibration); });
    connect(advancedOptionsAction, &QAction::triggered, this, &MainFrame::showAdvancedOptions);
    connect(helpAction, &QAction::triggered, this, &MainFrame::showHelp);
}

void MainFrame::buildStatusStrip()
{
    versionLabel = new QLabel(statusStrip);
    versionLabel->setObjectName(QStringLiteral("ZAMOVersionLabel"));
    versionLabel->setFont(QFont(QStringLiteral("Microsoft Sans Serif"), 8));
    placeTwips(versionLabel, 60, 60, 1275, 255);

    completionTimeLabel = new QLabel(statusStrip);
    completionTimeLabel->setObjectName(QStringLiteral("ExpectedCompletionTimeLabel"));
    QFont bold(QStringLiteral("Verdana"), 10);
    bold.setBold(true);
    completionTimeLabel->setFont(bold);
    completionTimeLabel->setStyleSheet(QStringLiteral("color: rgb(0, 192, 0);"));
    placeTwips(completionTimeLabel, 1560, 60, 1275, 255);

    progressBar = new QProgressBar(statusStrip);
    progressBar->setObjectName(QStringLiteral("MainProgressBar"));
    progressBar->setTextVisible(false);
    progressBar->setValue(0);
    placeTwips(progressBar, 0, 60, 2775, 255);
}

void MainFrame::load()
{
    connectSimulatorActions[1]->setVisible(false);
    connectSimulatorActions[2]->setVisible(false);
    calibrationMenu->menuAction()->setVisible(false);
    advancedMenu->menuAction()->setVisible(false);

    m_settings.switches.demoMode = false;

    connectSignalGeneratorAction->setVisible(m_settings.signalGenerator.enabled);
    disconnectSignalGeneratorAction->setVisible(m_settings.signalGenerator.enabled);
    if (m_settings.signalGenerator.enabled)
        disconnectSignalGeneratorAction->setEnabled(false);

    if (platform::CommandLine::contains(QStringLiteral("/rida"))) {
        calibrationMenu->menuAction()->setVisible(true);
        advancedMenu->menuAction()->setVisible(true);
    } else if (platform::CommandLine::contains(QStringLiteral("/vadov"))) {
        calibrationMenu->menuAction()->setVisible(true);
        advancedMenu->menuAction()->setVisible(true);
        connectSimulatorActions[1]->setVisible(true);
        connectSimulatorActions[2]->setVisible(true);
        m_settings.switches.demoMode = true;
    }

    versionLabel->setText(config::AppVersion::productName() + QStringLiteral(" v") + config::AppVersion::number());

    // The frame takes the screen's working area, so that the main windows
    // find room beside each other; the frame's design size is what it keeps
    // where no screen is known.
    const QScreen* where = screen();
    const QRect available =
        where ? where->availableGeometry() : QRect(0, 0, Twips::toPixels(WidthTwips), Twips::toPixels(HeightTwips));
    setGeometry(startGeometry(available));
    setWindowState(windowState() | Qt::WindowMaximized);
    placeBackground();
}

QRect MainFrame::startGeometry(const QRect& available)
{
    return {available.topLeft(),
            available.size().expandedTo(QSize(Twips::toPixels(MinWidthTwips), Twips::toPixels(MinHeightTwips)))};
}

QSize MainFrame::mdiAreaSize() const
{
    return m_mdiArea->maximumViewportSize();
}

int MainFrame::widthInTwips() const
{
    return Twips::fromPixels(width());
}
int MainFrame::heightInTwips() const
{
    return Twips::fromPixels(height());
}

void MainFrame::placeBackground()
{
    BackgroundWindow* background = m_windows.background();
    const QRect bg = MdiChild::geometryTwips(background);
    MdiChild::moveTwips(background, widthInTwips() - bg.width() - 300, heightInTwips() - bg.height() - 1600);
    // Where the frame's bars take more room than the rule allows for, the
    // picture still lies wholly inside the area (laid out once the frame shows).
    if (isVisible())
        MdiChild::moveInto(background, mdiAreaSize());
}

void MainFrame::refresh()
{
    if (isMinimized())
        return;
    if (widthInTwips() < MinWidthTwips || heightInTwips() < MinHeightTwips)
        resize(qMax(width(), Twips::toPixels(MinWidthTwips)), qMax(height(), Twips::toPixels(MinHeightTwips)));
    const int width = widthInTwips();
    const int barWidth = Twips::fromPixels(progressBar->width());
    progressBar->move(Twips::toPixels(width - barWidth - 200), progressBar->y());
    completionTimeLabel->resize(
        Twips::toPixels(qMax(width - Twips::fromPixels(versionLabel->width()) - barWidth - 500, 0)),
        completionTimeLabel->height());
    placeBackground();
}

void MainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    refresh();
}

void MainFrame::connectSimulator(int unit)
{
    TestWindowServices* form = m_windows.testWindow();
    if (!form)
        return;
    const bool zamo80 = form->simulatorZamo80Selected();
    const bool zamo24 = form->simulatorZamo24Selected();
    const QString text = form->simulatorChannelsText();
    const auto channels = platform::Convert::toInt16(text);
    if (!channels || *channels < 0 || *channels > MaxSimulatedChannels) {
        config::writeLog(QStringLiteral("Simulator channel count \"%1\" is not valid").arg(text));
        platform::Prompts::instance().message(
            QStringLiteral("The number of simulator channels must be a whole number from 0 to 16."),
            QStringLiteral("Connect Simulator"), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return;
    }
    form->connectUnitLinkSimulator(unit, *channels, zamo80, zamo24);
}

void MainFrame::showStatusWindow()
{
    MdiChild::showAndRaise(m_windows.statusWindow());
}

void MainFrame::showAdvancedOptions()
{
    AdvancedOptionsWindow* options = m_windows.advancedOptions();
    QRect mainForm(0, 0, 0, 0);
    if (TestWindowServices* form = m_windows.testWindow())
        mainForm = MdiChild::geometryTwips(form->hostWidget());
    MdiChild::moveTwips(options, mainForm.left() + 400, mainForm.top() + 400);
    MdiChild::shrinkInto(options, mdiAreaSize());
    MdiChild::showAndRaise(options);
}

void MainFrame::showHelp()
{
    HelpBox* help = m_windows.helpBox();
    help->show();
    help->raise();
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    if (TestWindowServices* form = m_windows.testWindow()) {
        if (!form->queryExit()) {
            event->ignore();
            return;
        }
    }
    m_unloading = true;
    event->accept();
    m_windows.unloadApplication();
}

} // namespace ui
