#include "ui/testwindow/TestWindow.h"

#include "config/Log.h"
#include "config/SettingsReader.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Clock.h"
#include "platform/CommandLine.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "platform/Sounds.h"
#include "run/UnitMode.h"
#include "testlists/ElectrodeSelection.h"
#include "ui/common/CloseGuard.h"
#include "ui/common/GridColumns.h"
#include "ui/common/StatusLamp.h"
#include "ui/reports/StationReportActions.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/StatusWindow.h"
#include "unit/LinkGlobals.h"
#include "unit/Unit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

MainForm::MainForm(config::StationSettings& settings, const std::array<UnitLink*, 2>& units, QWidget* parent)
    : QWidget(parent), m_units(units), m_sequencer(*this, settings, units, this), m_operatorLog(settings.switches)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("ZAMO Electrode Tests"));
    KeepAliveTimer.setInterval(500);
    ClockTimer.setInterval(60000);
    connect(&KeepAliveTimer, &platform::Timer::timeout, this, &MainForm::KeepAliveTimer_Timer);
    connect(&ClockTimer, &platform::Timer::timeout, this, &MainForm::ClockTimer_Timer);
    m_windows.EndProgram = [] { ProgramEnd::Request(0); };
    m_windows.TestsCompletedSound = [] { modPlaySound::PlayTestsCompletedSound(); };
    m_operatorLog.setDisplay([](const QString& line) {
        StatusWindowForm* status = StationWindows::StatusWindow();
        status->TrimCommText();
        status->AddText(line);
    });
    Services().reports = std::make_unique<MainFormReportActions>(settings, [this] { return CheckZAMOMode(); });
    BuildFrameStandIns();
    BuildControls();
    ConnectControls();
    modMain::SetElectrodeCheckBoxSource([this] {
        modMain::ElectrodeCheckBoxes boxes;
        for (QCheckBox* box : ElectrodesCheckBox)
            boxes.append({box->checkState(), box->toolTip()});
        return boxes;
    });
}

MainForm::~MainForm()
{
    modMain::SetElectrodeCheckBoxSource({});
}

UnitLink* MainForm::Unit(int n) const
{
    return m_sequencer.Unit(n);
}

bool MainForm::AnyUnitConnected() const
{
    return m_sequencer.AnyUnitConnected();
}

void MainForm::StartFirstTestSequence(bool vShowTestDetailsForm)
{
    m_sequencer.StartFirstTestSequence(vShowTestDetailsForm);
}

void MainForm::StopTests()
{
    m_sequencer.StopTests();
}

// ---------------------------------------------------------------- controls

void MainForm::BuildFrameStandIns()
{
    auto item = [this](const QString& name, const QString& text) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        return QPointer<QAction>(action);
    };
    for (int n = 1; n <= 2; ++n) {
        const QString unit = QString::number(n);
        m_frame.ZamoUnitsConnect[n] =
            item(QStringLiteral("ZamoUnitsConnect_") + unit, QStringLiteral("Connect Unit ") + unit);
        m_frame.ZamoUnitsConnectSimulator[n] =
            item(QStringLiteral("ZamoUnitsConnectSimulator_") + unit,
                 QStringLiteral("Connect Unit ") + unit + QStringLiteral(" Simulator"));
        m_frame.ZamoUnitsDisconnect[n] =
            item(QStringLiteral("ZamoUnitsDisconnect_") + unit, QStringLiteral("Disconnect Unit ") + unit);
    }
    m_frame.ZamoUnitsConnectZamoSG = item(QStringLiteral("ZamoUnitsConnectZamoSG"), QStringLiteral("Connect ZAMO-SG"));
    m_frame.ZamoUnitsDisconnectZamoSG =
        item(QStringLiteral("ZamoUnitsDisconnectZamoSG"), QStringLiteral("Disconnect ZAMO-SG"));
    m_frame.TestsRunBiasTest = item(QStringLiteral("TestsRunBiasTest"), QStringLiteral("Run BIAS Test"));
    m_frame.TestsRunACZ30Zero = item(QStringLiteral("TestsRunACZ30Zero"), QStringLiteral("Run ACZ30 Zero"));
    m_frame.TestsConfigureTestSequence =
        item(QStringLiteral("TestsConfigureTestSequence"), QStringLiteral("Configure Test Sequence"));
    m_frame.MainTests = item(QStringLiteral("MainTests"), QStringLiteral("Tests"));
    auto* bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("MainProgressBar"));
    bar->setRange(0, 1);
    bar->setValue(0);
    bar->hide();
    m_frame.MainProgressBar = bar;
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("ExpectedCompletionTimeLabel"));
    label->hide();
    m_frame.ExpectedCompletionTimeLabel = label;
}

void MainForm::AttachFrame(const MainFrameItems& items)
{
    // The frame's items keep the states the frame gave them at its load
    // (Disconnect and unit 2 disabled until a unit connects).
    auto take = [](QPointer<QAction>& mine, const QPointer<QAction>& theirs) {
        if (theirs)
            mine = theirs;
    };
    for (int n = 1; n <= 2; ++n) {
        take(m_frame.ZamoUnitsConnect[n], items.ZamoUnitsConnect[n]);
        take(m_frame.ZamoUnitsConnectSimulator[n], items.ZamoUnitsConnectSimulator[n]);
        take(m_frame.ZamoUnitsDisconnect[n], items.ZamoUnitsDisconnect[n]);
    }
    take(m_frame.ZamoUnitsConnectZamoSG, items.ZamoUnitsConnectZamoSG);
    take(m_frame.ZamoUnitsDisconnectZamoSG, items.ZamoUnitsDisconnectZamoSG);
    take(m_frame.TestsRunBiasTest, items.TestsRunBiasTest);
    take(m_frame.TestsRunACZ30Zero, items.TestsRunACZ30Zero);
    take(m_frame.TestsConfigureTestSequence, items.TestsConfigureTestSequence);
    take(m_frame.MainTests, items.MainTests);
    if (items.MainProgressBar)
        m_frame.MainProgressBar = items.MainProgressBar;
    if (items.ExpectedCompletionTimeLabel)
        m_frame.ExpectedCompletionTimeLabel = items.ExpectedCompletionTimeLabel;
}

void MainForm::BuildControls()
{
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(BuildStatusPanel());
    left->addWidget(BuildTestListPanel(), 1);
    layout->addLayout(left, 3);
    layout->addWidget(BuildElectrodePanel(), 2);
}

QWidget* MainForm::BuildStatusPanel()
{
    auto* box = new QGroupBox(QStringLiteral("Status"), this);
    auto* grid = new QGridLayout(box);
    m_statusGrid = grid;
    for (int n = 1; n <= 2; ++n) {
        auto* caption = new QLabel(QStringLiteral("Unit %1:").arg(n), box);
        StatusShape[n] = new StatusLamp(QStringLiteral("Unit %1 status").arg(n), box);
        StatusShape[n]->setObjectName(QStringLiteral("StatusShape_%1").arg(n));
        UnitStatusLabel[n] = new QLabel(QStringLiteral("Disconnected"), box);
        UnitStatusLabel[n]->setObjectName(QStringLiteral("UnitStatusLabel_%1").arg(n));
        grid->addWidget(caption, n - 1, 0);
        grid->addWidget(StatusShape[n], n - 1, 1);
        grid->addWidget(UnitStatusLabel[n], n - 1, 2);
    }
    DatabaseStatusShape = new StatusLamp(QStringLiteral("Database status"), box);
    DatabaseStatusShape->setObjectName(QStringLiteral("DatabaseStatusShape"));
    DatabaseStatusLabel = new QLabel(QStringLiteral("Local Disconnected"), box);
    DatabaseStatusLabel->setObjectName(QStringLiteral("DatabaseStatusLabel"));
    grid->addWidget(new QLabel(QStringLiteral("Database:"), box), 2, 0);
    grid->addWidget(DatabaseStatusShape, 2, 1);
    grid->addWidget(DatabaseStatusLabel, 2, 2);
    ZamoSGLabel = new QLabel(QStringLiteral("ZAMO-SG:"), box);
    ZamoSGLabel->setObjectName(QStringLiteral("ZamoSGLabel"));
    ZamoSGStatusShape = new StatusLamp(QStringLiteral("ZAMO-SG status"), box);
    ZamoSGStatusShape->setObjectName(QStringLiteral("ZamoSGStatusShape"));
    ZamoSGStatusLabel = new QLabel(QStringLiteral("Disconnected"), box);
    ZamoSGStatusLabel->setObjectName(QStringLiteral("ZamoSGStatusLabel"));
    grid->addWidget(ZamoSGLabel, 3, 0);
    grid->addWidget(ZamoSGStatusShape, 3, 1);
    grid->addWidget(ZamoSGStatusLabel, 3, 2);

    VadovFrame = new QFrame(box);
    VadovFrame->setObjectName(QStringLiteral("VadovFrame"));
    auto* vadov = new QHBoxLayout(VadovFrame);
    optZamo80 = new QRadioButton(QStringLiteral("ZAMO80"), VadovFrame);
    optZamo80->setObjectName(QStringLiteral("optZamo80"));
    optZamo24 = new QRadioButton(QStringLiteral("ZAMO2-4"), VadovFrame);
    optZamo24->setObjectName(QStringLiteral("optZamo24"));
    txtSimChannels = new QLineEdit(QStringLiteral("2"), VadovFrame);
    txtSimChannels->setObjectName(QStringLiteral("txtSimChannels"));
    txtSimChannels->setAccessibleName(QStringLiteral("Simulator channels"));
    cmdAdvanceClock = new QPushButton(QStringLiteral("Adv. Clk"), VadovFrame);
    cmdAdvanceClock->setObjectName(QStringLiteral("cmdAdvanceClock"));
    cmdAdvanceClock->hide();
    txtAdvanceClock = new QLineEdit(QStringLiteral("350"), VadovFrame);
    txtAdvanceClock->setObjectName(QStringLiteral("txtAdvanceClock"));
    txtAdvanceClock->setAccessibleName(QStringLiteral("Elapsed seconds"));
    txtAdvanceClock->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(optZamo80), static_cast<QWidget*>(optZamo24), static_cast<QWidget*>(txtSimChannels),
          static_cast<QWidget*>(cmdAdvanceClock), static_cast<QWidget*>(txtAdvanceClock)})
        vadov->addWidget(w);
    grid->addWidget(VadovFrame, 4, 0, 1, 3);
    return box;
}

void MainForm::PlaceUnitLinkView(int n, QWidget* view)
{
    if (n >= 1 && n <= 2 && view) {
        // Tells the two units' "Connect" toggles apart.
        view->setAccessibleName(QStringLiteral("Unit #%1").arg(n));
        m_statusGrid->addWidget(view, 4 + n, 0, 1, 3);
    }
}

QWidget* MainForm::BuildTestListPanel()
{
    auto* box = new QGroupBox(QStringLiteral("Test Sequence"), this);
    auto* v = new QVBoxLayout(box);
    auto* modes = new QHBoxLayout;
    optSingleList = new QRadioButton(QStringLiteral("Single Test List"), box);
    optSingleList->setObjectName(QStringLiteral("optSingleList"));
    optSingleList->setChecked(true);
    optConsecutiveLists = new QRadioButton(QStringLiteral("Consecutive Test Lists"), box);
    optConsecutiveLists->setObjectName(QStringLiteral("optConsecutiveLists"));
    modes->addWidget(optSingleList);
    modes->addWidget(optConsecutiveLists);
    v->addLayout(modes);

    auto fileRow = [&](QPushButton*& button, QLineEdit*& text, QLabel*& label, int n) {
        auto* row = new QHBoxLayout;
        button = new QPushButton(QStringLiteral("Load"), box);
        button->setObjectName(QStringLiteral("cmdLoadFile%1").arg(n));
        text = new QLineEdit(box);
        text->setObjectName(QStringLiteral("txtFile%1").arg(n));
        text->setReadOnly(true);
        label = new QLabel(box);
        label->setObjectName(QStringLiteral("lblFile%1").arg(n));
        row->addWidget(button);
        row->addWidget(text, 1);
        row->addWidget(label);
        v->addLayout(row);
    };
    fileRow(cmdLoadFile1, txtFile1, lblFile1, 1);
    fileRow(cmdLoadFile2, txtFile2, lblFile2, 2);

    TestSequenceListFlexGrid = new QTableWidget(0, 4, box);
    TestSequenceListFlexGrid->setObjectName(QStringLiteral("TestSequenceListFlexGrid"));
    TestSequenceListFlexGrid->setAccessibleName(QStringLiteral("Test Sequence"));
    TestSequenceListFlexGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    TestSequenceListFlexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TestSequenceListFlexGrid->verticalHeader()->hide();
    GridColumns::FollowWidth(TestSequenceListFlexGrid, [this] { SizeTestSequenceColumns(); });
    v->addWidget(TestSequenceListFlexGrid, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](QPushButton*& b, const QString& name, const QString& text) {
        b = new QPushButton(text, box);
        b->setObjectName(name);
        buttons->addWidget(b);
    };
    button(cmdRunTestList, QStringLiteral("cmdRunTestList"), QStringLiteral("Run"));
    button(cmdCancelTests, QStringLiteral("cmdCancelTests"), QStringLiteral("Cancel"));
    button(cmdEditTestList, QStringLiteral("cmdEditTestList"), QStringLiteral("Edit"));
    button(RunStandardSequenceButton, QStringLiteral("RunStandardSequenceButton"),
           QStringLiteral("Run Standard Sequence"));
    v->addLayout(buttons);
    return box;
}

QWidget* MainForm::BuildElectrodePanel()
{
    auto* box = new QGroupBox(QStringLiteral("Electrodes"), this);
    auto* v = new QVBoxLayout(box);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 32; ++i) {
        const QString name = clsTestSequence::FindElectrodeNameByIndex(qint16(i));
        auto* check = new QCheckBox(name, box);
        check->setObjectName(QStringLiteral("ElectrodesCheckBox_%1").arg(i));
        check->setToolTip(name);
        check->setAccessibleName(name);
        ElectrodesCheckBox[std::size_t(i)] = check;
        grid->addWidget(check, i % 16, i < 16 ? 0 : 1);
    }
    v->addLayout(grid);
    Unit2ElectrodesLabel = new QLabel(QStringLiteral("A2 B2 C2 D2 E2 F2 G2 H2 I2 J2 K2 L2 M2 N2 O2 P2"), box);
    Unit2ElectrodesLabel->setObjectName(QStringLiteral("Unit2ElectrodesLabel"));
    Unit2ElectrodesLabel->setWordWrap(true);
    v->addWidget(Unit2ElectrodesLabel);

    SaveElectrodesShape = new QFrame(box);
    SaveElectrodesShape->setObjectName(QStringLiteral("SaveElectrodesShape"));
    SaveElectrodesShape->setAccessibleName(QStringLiteral("Electrode selection not saved"));
    SaveElectrodesShape->setFixedSize(12, 12);
    SaveElectrodesShape->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 0); border: 1px solid black;"));
    v->addWidget(SaveElectrodesShape);

    auto add = [&](QPushButton*& b, const QString& name, const QString& text) {
        b = new QPushButton(text, box);
        b->setObjectName(name);
        v->addWidget(b);
    };
    add(CheckAllButton, QStringLiteral("CheckAllButton"), QStringLiteral("Check All"));
    add(UncheckAllButton, QStringLiteral("UncheckAllButton"), QStringLiteral("Uncheck All"));
    add(ResetToDefaultsButton, QStringLiteral("ResetToDefaultsButton"), QStringLiteral("Reset"));
    add(SaveAsDefaultElectrodesButton, QStringLiteral("SaveAsDefaultElectrodesButton"),
        QStringLiteral("Save as Defaults"));
    MaskUnavailableElectrodesCheckBox = new QCheckBox(QStringLiteral("Mask Unavailable Electrodes"), box);
    MaskUnavailableElectrodesCheckBox->setObjectName(QStringLiteral("MaskUnavailableElectrodesCheckBox"));
    v->addWidget(MaskUnavailableElectrodesCheckBox);
    v->addStretch(1);
    return box;
}

void MainForm::ConnectControls()
{
    for (int i = 0; i < 32; ++i)
        connect(ElectrodesCheckBox[std::size_t(i)], &QCheckBox::clicked, this,
                [this, i] { ElectrodesCheckBox_Click(i); });
    connect(CheckAllButton, &QPushButton::clicked, this, &MainForm::CheckAllButton_Click);
    connect(UncheckAllButton, &QPushButton::clicked, this, &MainForm::UncheckAllButton_Click);
    connect(ResetToDefaultsButton, &QPushButton::clicked, this, &MainForm::ResetToDefaultsButton_Click);
    connect(SaveAsDefaultElectrodesButton, &QPushButton::clicked, this, &MainForm::SaveAsDefaultElectrodesButton_Click);
    connect(MaskUnavailableElectrodesCheckBox, &QCheckBox::clicked, this,
            &MainForm::MaskUnavailableElectrodesCheckBox_Click);
    connect(optSingleList, &QRadioButton::clicked, this, &MainForm::optSingleList_Click);
    connect(optConsecutiveLists, &QRadioButton::clicked, this, &MainForm::optConsecutiveLists_Click);
    connect(cmdLoadFile1, &QPushButton::clicked, this, &MainForm::cmdLoadFile1_Click);
    connect(cmdLoadFile2, &QPushButton::clicked, this, &MainForm::cmdLoadFile2_Click);
    connect(cmdRunTestList, &QPushButton::clicked, this, &MainForm::cmdRunTestList_Click);
    connect(cmdCancelTests, &QPushButton::clicked, this, &MainForm::cmdCancelTests_Click);
    connect(cmdEditTestList, &QPushButton::clicked, this, &MainForm::cmdEditTestList_Click);
    connect(RunStandardSequenceButton, &QPushButton::clicked, this, &MainForm::RunStandardSequenceButton_Click);
    connect(cmdAdvanceClock, &QPushButton::clicked, this, &MainForm::cmdAdvanceClock_Click);
    connect(TestSequenceListFlexGrid, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = TestSequenceListFlexGrid->currentRow();
        if (row >= 0)
            TestSequenceListFlexGrid->selectRow(row);
    });
}

// ---------------------------------------------------------------- load

void MainForm::Form_Load()
{
    modMain::DisableCloseMenu(this);
    LogDay = platform::Clock::now().date().day();
    m_sequencer.ClearConsecutiveLists();
    InitMainForm();
    SaveElectrodesShape->hide();
    ClockTimer.start();
}

void MainForm::InitMainForm()
{
    InitTestSequenceGrid();
    const QString& settingsFile = Settings().paths.settingsFile;
    m_sequencer.TestSequenceTimer.setInterval(config::readTestsTimerInterval(settingsFile));
    const int polling = config::readPollingInterval(settingsFile);
    for (int n = 1; n <= 2; ++n) {
        if (UnitLink* unit = Unit(n))
            unit->SetPollingTimerInterval(qint16(polling));
    }
    const bool sg = Settings().signalGenerator.enabled;
    ZamoSGStatusShape->setVisible(sg);
    ZamoSGLabel->setVisible(sg);
    ZamoSGStatusLabel->setVisible(sg);
    const bool single = optSingleList->isChecked();
    TestSequenceListFlexGrid->setVisible(single);
    cmdEditTestList->setVisible(single);
    RunStandardSequenceButton->setVisible(single);
    DisableTestControls();
    ApplyElectrodeSelection();
    ProcessCommandLine();
    VadovFrame->setVisible(CommandLine::Text().contains(QStringLiteral("/vadov")));
}

void MainForm::ProcessCommandLine()
{
    const QString line = CommandLine::Text();
    if (line == QLatin1String("/rida1") || line == QLatin1String("/rida2")) {
        Settings().switches.showVerbose = true;
    } else if (line == QLatin1String("/vadov")) {
        Settings().switches.showVerbose = true;
        for (int n = 1; n <= 2; ++n) {
            if (UnitLink* unit = Unit(n))
                unit->EnableSim();
        }
        cmdAdvanceClock->show();
        txtAdvanceClock->show();
    }
}

void MainForm::InitTestSequenceGrid()
{
    QTableWidget* grid = TestSequenceListFlexGrid;
    grid->clearContents();
    grid->setRowCount(0);
    SizeTestSequenceColumns();
    grid->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("Test"),
                                     QStringLiteral("Electrodes or (TT/SI)"), QStringLiteral("Count")});
    grid->setCurrentCell(-1, -1);
}

void MainForm::SizeTestSequenceColumns()
{
    QTableWidget* grid = TestSequenceListFlexGrid;
    const double w = std::round(grid->width() / 10.0);
    const double factors[] = {1.0, 1.7, 5.0, 1.5};
    for (int c = 0; c < 4; ++c)
        grid->setColumnWidth(c, int(std::round(w * factors[c])));
}

void MainForm::ApplyElectrodeSelection()
{
    for (int u = 1; u <= 2; ++u) {
        for (int c = 0; c < 16; ++c) {
            // A hidden box (unit 2 beside a ZAMO80) is never ticked, so that
            // "Save as Defaults" stores what the operator sees.
            QCheckBox* box = ElectrodesCheckBox[std::size_t((u - 1) * 16 + c)];
            box->setChecked(Globals::DefaultElectrodeSelection.at(u, c) && !box->isHidden());
        }
    }
    UpdateElectrodeAvailability();
}

void MainForm::UpdateElectrodeAvailability()
{
    const bool mask = MaskUnavailableElectrodesCheckBox->isChecked();
    for (int u = 1; u <= 2; ++u) {
        UnitLink* unit = Unit(u);
        for (int c = 0; c < 16; ++c) {
            const bool available = !mask || (unit && unit->Connected() && unit->ElectrodeChannelExists(qint16(c)));
            ElectrodesCheckBox[std::size_t((u - 1) * 16 + c)]->setEnabled(available);
        }
    }
}

void MainForm::ElectrodesCheckBox_Click(int)
{
    SaveElectrodesShape->show();
}

QString MainForm::CheckZAMOMode() const
{
    return m_sequencer.CheckZAMOMode();
}

bool MainForm::CheckZAMO24() const
{
    return m_sequencer.CheckZAMO24();
}

void MainForm::KeepAliveTimer_Timer()
{
    if (pTestRunning() || Globals::InhibitPolling)
        return;
    for (int n = 1; n <= 2; ++n) {
        UnitLink* unit = Unit(n);
        if (unit && unit->Connected())
            unit->TXMasterCommCheck();
    }
    Services().database->GetDBRevNumber(QString());
}

// ---------------------------------------------------------------- shutdown

bool MainForm::Form_QueryUnload()
{
    if (!QueryExit())
        return false;
    UnloadApplication();
    return true;
}

bool MainForm::QueryExit()
{
    if (ExitingApplication || !pTestRunning())
        return true;
    const auto answer =
        platform::Prompts::instance().message(QStringLiteral("Are you sure you want to quit?"), QStringLiteral("Exit"),
                                              platform::MsgButtons::YesNo, platform::MsgIcon::Warning);
    if (answer != platform::MsgResult::Yes)
        return false;
    CancelTests();
    return true;
}

void MainForm::UnloadApplication()
{
    // A run still going is cancelled, so that its group is not left open.
    m_sequencer.StopTests();
    KeepAliveTimer.stop();
    ClockTimer.stop();
    Services().database->CloseDatabase();
    UnloadOtherForms();
    hide();
    modMain::WriteLog(QStringLiteral("Application Terminated"));
    EndProgram();
}

void MainForm::UnloadOtherForms()
{
    const QWidget* own = window();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == own || w == this || w->objectName() == QLatin1String("ParentMDIForm"))
            continue;
        if (w->isVisible())
            w->close();
    }
}

void MainForm::EndProgram()
{
    if (m_windows.EndProgram)
        m_windows.EndProgram();
}
