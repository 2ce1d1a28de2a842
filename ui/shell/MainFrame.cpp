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
void onMainForm(const std::function<void(TestWindowServices&)>& command)
{
    if (TestWindowServices* form = StationWindows::testWindow())
        command(*form);
}

void open(std::function<void()> StationWindows::Openers::*opener)
{
    const auto& fn = StationWindows::windowOpeners().*opener;
    if (fn)
        fn();
}

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

} // namespace

MainFrame::MainFrame(config::StationSettings& settings, QWidget* parent) : QMainWindow(parent), m_settings(settings)
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
    StatusBarPictureBox = new QWidget(central);
    StatusBarPictureBox->setObjectName(QStringLiteral("StatusBarPictureBox"));
    StatusBarPictureBox->setFixedHeight(Twips::toPixels(StripHeightTwips));
    layout->addWidget(StatusBarPictureBox);
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
    MainFile = menu(bar, "MainFile", QStringLiteral("File"));
    FileDatabaseOptions = item(MainFile, "FileDatabaseOptions", QStringLiteral("Database Options..."));
    FileLoadTestSequence = item(MainFile, "FileLoadTestSequence", QStringLiteral("Load Test Sequence..."));
    FileSaveTestSequence = item(MainFile, "FileSaveTestSequence", QStringLiteral("Save Test Sequence..."));
    FileBlank = separator(MainFile, "FileBlank");
    FileExit = item(MainFile, "FileExit", QStringLiteral("Exit"));
    FileLoadTestSequence->setVisible(false);
    FileSaveTestSequence->setVisible(false);

    MainZamoUnits = menu(bar, "MainZamoUnits", QStringLiteral("ZAMO Units"));
    for (int n = 1; n <= 2; ++n)
        ZamoUnitsConnect[n] = item(MainZamoUnits, n == 1 ? "ZamoUnitsConnect1" : "ZamoUnitsConnect2",
                                   QStringLiteral("Connect Unit %1").arg(n));
    for (int n = 1; n <= 2; ++n)
        ZamoUnitsConnectSimulator[n] =
            item(MainZamoUnits, n == 1 ? "ZamoUnitsConnectSimulator1" : "ZamoUnitsConnectSimulator2",
                 QStringLiteral("Connect Unit %1 Simulator").arg(n));
    ZamoUnitsConnectZamoSG = item(MainZamoUnits, "ZamoUnitsConnectZamoSG", QStringLiteral("Connect ZAMO-SG"));
    ZamoUnitsBlank = separator(MainZamoUnits, "ZamoUnitsBlank");
    for (int n = 1; n <= 2; ++n) {
        ZamoUnitsDisconnect[n] = item(MainZamoUnits, n == 1 ? "ZamoUnitsDisconnect1" : "ZamoUnitsDisconnect2",
                                      QStringLiteral("Disconnect Unit %1").arg(n));
        ZamoUnitsDisconnect[n]->setEnabled(false);
    }
    ZamoUnitsDisconnectZamoSG = item(MainZamoUnits, "ZamoUnitsDisconnectZamoSG", QStringLiteral("Disconnect ZAMO-SG"));
    ZamoUnitsConnect[2]->setEnabled(false);
    ZamoUnitsConnectSimulator[2]->setEnabled(false);

    MainTests = menu(bar, "MainTests", QStringLiteral("Tests"));
    TestsConfigureTestSequence =
        item(MainTests, "TestsConfigureTestSequence", QStringLiteral("Configure Test Sequence"));
    TestsSetLimits = item(MainTests, "TestsSetLimits", QStringLiteral("Set Limits"));
    TestsBlank0 = separator(MainTests, "TestsBlank0");
    TestsExecuteTestSequence = item(MainTests, "TestsExecuteTestSequence", QStringLiteral("Execute Test Sequence"));
    TestsBlank2 = separator(MainTests, "TestsBlank2");
    TestsRunBiasTest = item(MainTests, "TestsRunBiasTest", QStringLiteral("Run BIAS Test"));
    TestsRunNoiseTest = item(MainTests, "TestsRunNoiseTest", QStringLiteral("Run NOISE Test"));
    TestsRunACZ30Zero = item(MainTests, "TestsRunACZ30Zero", QStringLiteral("Run ACZ30 Zero"));
    TestsBlank1 = separator(MainTests, "TestsBlank1");
    TestsShowStatusWindow = item(MainTests, "TestsShowStatusWindow", QStringLiteral("Show Status Window"));
    TestsShowActiveLotNumbers = item(MainTests, "TestsShowActiveLotNumbers", QStringLiteral("Show Active Lot Numbers"));
    TestsBlank1->setVisible(false);
    TestsShowStatusWindow->setVisible(false);
    TestsShowActiveLotNumbers->setVisible(false);

    MainReports = menu(bar, "MainReports", QStringLiteral("Reports"));
    ReportsReportViewer = item(MainReports, "ReportsReportViewer", QStringLiteral("Report Viewer"));
    ReportsConfigureReportActions =
        item(MainReports, "ReportsConfigureReportActions", QStringLiteral("Configure Report Actions"));

    MainCalibration = menu(bar, "MainCalibration", QStringLiteral("Calibration"));
    CalibrationSystemCalibraton =
        item(MainCalibration, "CalibrationSystemCalibraton", QStringLiteral("System Calibration"));

    AdvancedMenu = menu(bar, "AdvancedMenu", QStringLiteral("Advanced"));
    advancedOptions = item(AdvancedMenu, "AdvancedOptions", QStringLiteral("Options"));

    helpMenu = bar->addAction(QStringLiteral("Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));

    using O = StationWindows::Openers;
    connect(FileDatabaseOptions, &QAction::triggered, this, [] { open(&O::DatabaseOptions); });
    connect(FileLoadTestSequence, &QAction::triggered, this, [] { onMainForm([](auto& m) { m.loadTestSequence(); }); });
    connect(FileSaveTestSequence, &QAction::triggered, this, [] { onMainForm([](auto& m) { m.saveTestSequence(); }); });
    connect(FileExit, &QAction::triggered, this, &QWidget::close);
    for (int n = 1; n <= 2; ++n) {
        connect(ZamoUnitsConnect[n], &QAction::triggered, this,
                [n] { onMainForm([n](auto& m) { m.connectUnitLink(n); }); });
        connect(ZamoUnitsConnectSimulator[n], &QAction::triggered, this, [this, n] { connectSimulator(n); });
        connect(ZamoUnitsDisconnect[n], &QAction::triggered, this,
                [n] { onMainForm([n](auto& m) { m.disconnectUnitLink(n); }); });
    }
    connect(ZamoUnitsConnectZamoSG, &QAction::triggered, this, [] { onMainForm([](auto& m) { m.connectZamoSG(); }); });
    connect(ZamoUnitsDisconnectZamoSG, &QAction::triggered, this,
            [] { onMainForm([](auto& m) { m.disconnectZamoSG(); }); });
    connect(TestsConfigureTestSequence, &QAction::triggered, this, [] { open(&O::testSequenceEditor); });
    connect(TestsSetLimits, &QAction::triggered, this, [] { open(&O::limitsEditor); });
    connect(TestsExecuteTestSequence, &QAction::triggered, this,
            [] { onMainForm([](auto& m) { m.startFirstTestSequence(true); }); });
    connect(TestsRunBiasTest, &QAction::triggered, this, [] { onMainForm([](auto& m) { m.runBiasTest(); }); });
    connect(TestsRunNoiseTest, &QAction::triggered, this, [] { onMainForm([](auto& m) { m.runNoiseTest(); }); });
    connect(TestsRunACZ30Zero, &QAction::triggered, this, [] { onMainForm([](auto& m) { m.runACZ30Zero(); }); });
    connect(TestsShowStatusWindow, &QAction::triggered, this, &MainFrame::showStatusWindow);
    connect(ReportsReportViewer, &QAction::triggered, this, [] { open(&O::ReportViewer); });
    connect(ReportsConfigureReportActions, &QAction::triggered, this, [] { open(&O::ReportActions); });
    connect(CalibrationSystemCalibraton, &QAction::triggered, this, [] { open(&O::SystemCalibration); });
    connect(advancedOptions, &QAction::triggered, this, &MainFrame::showAdvancedOptions);
    connect(helpMenu, &QAction::triggered, this, &MainFrame::showHelp);
}

void MainFrame::buildStatusStrip()
{
    ZAMOVersionLabel = new QLabel(StatusBarPictureBox);
    ZAMOVersionLabel->setObjectName(QStringLiteral("ZAMOVersionLabel"));
    ZAMOVersionLabel->setFont(QFont(QStringLiteral("Microsoft Sans Serif"), 8));
    placeTwips(ZAMOVersionLabel, 60, 60, 1275, 255);

    ExpectedCompletionTimeLabel = new QLabel(StatusBarPictureBox);
    ExpectedCompletionTimeLabel->setObjectName(QStringLiteral("ExpectedCompletionTimeLabel"));
    QFont bold(QStringLiteral("Verdana"), 10);
    bold.setBold(true);
    ExpectedCompletionTimeLabel->setFont(bold);
    ExpectedCompletionTimeLabel->setStyleSheet(QStringLiteral("color: rgb(0, 192, 0);"));
    placeTwips(ExpectedCompletionTimeLabel, 1560, 60, 1275, 255);

    MainProgressBar = new QProgressBar(StatusBarPictureBox);
    MainProgressBar->setObjectName(QStringLiteral("MainProgressBar"));
    MainProgressBar->setTextVisible(false);
    MainProgressBar->setValue(0);
    placeTwips(MainProgressBar, 0, 60, 2775, 255);
}

void MainFrame::load()
{
    ZamoUnitsConnectSimulator[1]->setVisible(false);
    ZamoUnitsConnectSimulator[2]->setVisible(false);
    MainCalibration->menuAction()->setVisible(false);
    AdvancedMenu->menuAction()->setVisible(false);

    m_settings.switches.demoMode = false;

    ZamoUnitsConnectZamoSG->setVisible(m_settings.signalGenerator.enabled);
    ZamoUnitsDisconnectZamoSG->setVisible(m_settings.signalGenerator.enabled);
    if (m_settings.signalGenerator.enabled)
        ZamoUnitsDisconnectZamoSG->setEnabled(false);

    if (platform::CommandLine::contains(QStringLiteral("/rida"))) {
        MainCalibration->menuAction()->setVisible(true);
        AdvancedMenu->menuAction()->setVisible(true);
    } else if (platform::CommandLine::contains(QStringLiteral("/vadov"))) {
        MainCalibration->menuAction()->setVisible(true);
        AdvancedMenu->menuAction()->setVisible(true);
        ZamoUnitsConnectSimulator[1]->setVisible(true);
        ZamoUnitsConnectSimulator[2]->setVisible(true);
        m_settings.switches.demoMode = true;
    }

    ZAMOVersionLabel->setText(config::AppVersion::productName() + QStringLiteral(" v") + config::AppVersion::number());

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
    BackgroundWindow* background = StationWindows::background();
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
    const int barWidth = Twips::fromPixels(MainProgressBar->width());
    MainProgressBar->move(Twips::toPixels(width - barWidth - 200), MainProgressBar->y());
    ExpectedCompletionTimeLabel->resize(
        Twips::toPixels(qMax(width - Twips::fromPixels(ZAMOVersionLabel->width()) - barWidth - 500, 0)),
        ExpectedCompletionTimeLabel->height());
    placeBackground();
}

void MainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    refresh();
}

void MainFrame::connectSimulator(int unit)
{
    TestWindowServices* form = StationWindows::testWindow();
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
    MdiChild::showAndRaise(StationWindows::statusWindow());
}

void MainFrame::showAdvancedOptions()
{
    AdvancedOptionsWindow* options = StationWindows::advancedOptions();
    QRect mainForm(0, 0, 0, 0);
    if (TestWindowServices* form = StationWindows::testWindow())
        mainForm = MdiChild::geometryTwips(form->hostWidget());
    MdiChild::moveTwips(options, mainForm.left() + 400, mainForm.top() + 400);
    MdiChild::shrinkInto(options, mdiAreaSize());
    MdiChild::showAndRaise(options);
}

void MainFrame::showHelp()
{
    HelpBox* help = StationWindows::helpBox();
    help->show();
    help->raise();
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    if (TestWindowServices* form = StationWindows::testWindow()) {
        if (!form->queryExit()) {
            event->ignore();
            return;
        }
    }
    m_unloading = true;
    event->accept();
    StationWindows::unloadApplication();
}

} // namespace ui
