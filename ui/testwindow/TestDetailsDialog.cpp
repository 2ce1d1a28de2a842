#include "ui/testwindow/TestDetailsDialog.h"

#include "config/IniKeys.h"
#include "config/StationSettings.h"
#include "platform/Convert.h"
#include "results/SanitizeText.h"
#include "run/UnitMode.h"
#include "ui/testwindow/ActiveLotWindow.h"
#include "ui/testwindow/LotByElectrodeDialog.h"
#include "unit/Unit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kCustom = QStringLiteral("CUSTOM:");
const QString kReports = QStringLiteral("Reports");
const QString kCrLf = QStringLiteral("\r\n");

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TestDetailsForm::TestDetailsForm(const config::StationSettings& settings, const std::array<UnitLink*, 2>& units,
                                 ActiveLotNumbersForm* activeLotWindow, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_units(units), m_activeLotWindow(activeLotWindow)
{
    setObjectName(QStringLiteral("TestDetailsForm"));
    setWindowTitle(QStringLiteral("Test Details"));
    setModal(true);
    BuildControls();
}

void TestDetailsForm::BuildControls()
{
    LotNumberTextBox = new QLineEdit(this);
    LotNumberTextBox->setObjectName(QStringLiteral("LotNumberTextBox"));
    NotesTextBox = new QPlainTextEdit(this);
    NotesTextBox->setObjectName(QStringLiteral("NotesTextBox"));
    NotesTextBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    cmdStartTest = button(this, "cmdStartTest", QStringLiteral("Start Test"));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdClear = button(this, "cmdClear", QStringLiteral("Clear"));
    cmdLotByElectrode = button(this, "cmdLotByElectrode", QStringLiteral("Lot Number by Electrode"));

    framePowerSource = new QGroupBox(QStringLiteral("Select Power Source"), this);
    framePowerSource->setObjectName(QStringLiteral("framePowerSource"));
    opt100J = new QRadioButton(QStringLiteral("100J"), framePowerSource);
    opt100J->setObjectName(QStringLiteral("opt100J"));
    opt360J = new QRadioButton(QStringLiteral("360J"), framePowerSource);
    opt360J->setObjectName(QStringLiteral("opt360J"));
    optXJ = new QRadioButton(framePowerSource);
    optXJ->setObjectName(QStringLiteral("optXJ"));
    auto* power = new QHBoxLayout(framePowerSource);
    power->addWidget(new QLabel(QStringLiteral("Select Power Source Energy:"), framePowerSource));
    power->addWidget(opt100J);
    power->addWidget(opt360J);
    power->addWidget(optXJ);

    frameReportOptions = new QGroupBox(QStringLiteral("Report Options"), this);
    frameReportOptions->setObjectName(QStringLiteral("frameReportOptions"));
    chkShowOnReport =
        new QCheckBox(QStringLiteral("Display Initial Short Circuit ACZ Test on Report"), frameReportOptions);
    chkShowOnReport->setObjectName(QStringLiteral("chkShowOnReport"));
    chkAvgACLG = new QCheckBox(QStringLiteral("Display Average ACLG Value Only"), frameReportOptions);
    chkAvgACLG->setObjectName(QStringLiteral("chkAvgACLG"));
    auto* options = new QVBoxLayout(frameReportOptions);
    options->addWidget(chkShowOnReport);
    options->addWidget(chkAvgACLG);

    auto* grid = new QGridLayout(this);
    auto* lotLabel = new QLabel(QStringLiteral("Lot Number"), this);
    lotLabel->setBuddy(LotNumberTextBox);
    grid->addWidget(lotLabel, 0, 0);
    grid->addWidget(LotNumberTextBox, 0, 1);
    grid->addWidget(cmdLotByElectrode, 0, 2);
    grid->addWidget(cmdClear, 0, 3);
    auto* notesLabel = new QLabel(QStringLiteral("Notes"), this);
    notesLabel->setBuddy(NotesTextBox);
    grid->addWidget(notesLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(NotesTextBox, 1, 1, 1, 3);
    grid->addWidget(framePowerSource, 2, 0, 1, 4);
    grid->addWidget(frameReportOptions, 3, 0, 1, 4);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(cmdStartTest);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 4, 0, 1, 4);

    connect(cmdStartTest, &QPushButton::clicked, this, [this] { cmdStartTest_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdLotByElectrode, &QPushButton::clicked, this, [this] { cmdLotByElectrode_Click(); });
}

std::optional<PreTestDetails> TestDetailsForm::ask()
{
    Form_Load();
    exec();
    Form_Unload();
    return m_entered;
}

// Every showing starts as a newly loaded window does.
void TestDetailsForm::Form_Load()
{
    LotNumberTextBox->clear();
    LotNumberTextBox->setEnabled(true);
    NotesTextBox->clear();
    opt360J->setChecked(true);
    chkShowOnReport->setChecked(false);
    chkAvgACLG->setChecked(false);
    ElectrodeLotList.clear();
    InitVars();
    optXJ->setEnabled(m_settings.aclg.energyXEnabled);
}

void TestDetailsForm::Form_Unload()
{
    if (!m_entered)
        ElectrodeLotList.clear();
}

bool TestDetailsForm::Zamo80Mode() const
{
    return UnitMode::CheckZAMOMode(m_units) == ConnectedUnitsMode::Zamo80;
}

bool TestDetailsForm::Zamo24() const
{
    return UnitMode::CheckZAMO24(m_units);
}

void TestDetailsForm::ReadReportOption(const QString& key, QCheckBox* box)
{
    const QString value = modINIReadWrite::INIRead(kReports, key, m_settings.paths.settingsFile);
    if (!value.isEmpty())
        box->setChecked(value == QLatin1String("1"));
}

void TestDetailsForm::WriteReportOption(const QString& key, bool value)
{
    modINIReadWrite::INIWrite(kReports, key, value ? QStringLiteral("1") : QStringLiteral("0"),
                              m_settings.paths.settingsFile);
}

void TestDetailsForm::InitVars()
{
    m_electrodeLots.fill(QString());
    m_entered.reset();
    ElectrodeLotList.clear();
    const bool zamo24 = Zamo24();
    framePowerSource->setVisible(zamo24);
    if (Zamo80Mode() || zamo24) {
        ReadReportOption(QStringLiteral("ShowShortCircuit"), chkShowOnReport);
        ReadReportOption(QStringLiteral("AverageACLG"), chkAvgACLG);
        frameReportOptions->setVisible(true);
    } else {
        frameReportOptions->setVisible(false);
    }
    optXJ->setText(platform::Convert::fromDouble(m_settings.aclg.energyXJoules) + QStringLiteral("J"));
}

void TestDetailsForm::SetElectrodeLotNumber(int vIndex, const QString& vValue)
{
    if (vIndex >= 0 && vIndex < 32)
        m_electrodeLots[std::size_t(vIndex)] = vValue;
}

// "A1 - lot" for each of the 32 electrodes, one line each.
QString TestDetailsForm::PerElectrodeLotText() const
{
    QString text;
    for (int i = 0; i < 32; ++i)
        text += QChar(65 + i % 16) + QString::number(i / 16 + 1) + QStringLiteral(" - ")
                + modDatabase::SanitizeText(m_electrodeLots[std::size_t(i)], 0) + kCrLf;
    return text;
}

void TestDetailsForm::cmdStartTest_Click()
{
    PreTestDetails details;
    const QString lot = LotNumberTextBox->text();
    QString lotWindowText;
    if (lot.left(7) != kCustom) {
        details.lotNumber = lot;
        lotWindowText = lot;
        details.electrodeLotNumbers.fill(lot);
    } else {
        details.lotNumber = lot.mid(8);
        details.electrodeLotNumbers = m_electrodeLots;
        lotWindowText = PerElectrodeLotText();
    }
    if (m_activeLotWindow)
        m_activeLotWindow->TestLotNumbersTextBox->setPlainText(lotWindowText);

    // The notes keep their line breaks as CR LF.
    details.notes = NotesTextBox->toPlainText().replace(QStringLiteral("\n"), kCrLf);

    if (Zamo24()) {
        QString energy;
        AclgEnergy choice = AclgEnergy::J360;
        if (opt100J->isChecked()) {
            choice = AclgEnergy::J100;
            energy = QStringLiteral("100J");
        } else if (opt360J->isChecked()) {
            energy = QStringLiteral("360J");
        } else if (optXJ->isChecked()) {
            choice = AclgEnergy::XJ;
            energy = optXJ->text();
        }
        if (!energy.isEmpty()) {
            for (UnitLink* unit : m_units)
                if (unit)
                    unit->setAclgEnergy(choice);
        }
        if (!energy.isEmpty())
            details.notes = QStringLiteral("ACLG Energy = ") + energy + QStringLiteral(";") + kCrLf + details.notes;
    }

    if (Zamo80Mode() || Zamo24()) {
        const ReportOptions options{chkShowOnReport->isChecked(), chkAvgACLG->isChecked()};
        WriteReportOption(QStringLiteral("ShowShortCircuit"), options.showShortCircuit);
        WriteReportOption(QStringLiteral("AverageACLG"), options.averageAclg);
        details.reportOptions = options;
    }

    m_entered = std::move(details);
    accept();
}

void TestDetailsForm::cmdCancel_Click()
{
    m_entered.reset();
    reject();
}

void TestDetailsForm::cmdClear_Click()
{
    m_electrodeLots.fill(QString());
    LotNumberTextBox->clear();
    LotNumberTextBox->setEnabled(true);
}

void TestDetailsForm::cmdLotByElectrode_Click()
{
    LotByElectrodeForm window(*this, this);
    window.Show();
}
