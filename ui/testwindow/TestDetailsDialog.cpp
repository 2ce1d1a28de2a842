#include "ui/testwindow/TestDetailsDialog.h"

#include "config/IniKeys.h"
#include "config/StationSettings.h"
#include "platform/Convert.h"
#include "results/SanitizeText.h"
#include "results/TestGroupWriter.h"
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

namespace ui {

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

TestDetailsDialog::TestDetailsDialog(const config::StationSettings& settings, const std::array<unit::Unit*, 2>& units,
                                     ActiveLotWindow* activeLotWindow, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_units(units), m_activeLotWindow(activeLotWindow)
{
    setObjectName(QStringLiteral("TestDetailsForm"));
    setWindowTitle(QStringLiteral("Test Details"));
    setModal(true);
    buildControls();
}

void TestDetailsDialog::buildControls()
{
    lotNumberEdit = new QLineEdit(this);
    lotNumberEdit->setObjectName(QStringLiteral("LotNumberTextBox"));
    // No more than the group stores whole (the notes have no such limit).
    lotNumberEdit->setMaxLength(results::MaxLotLength);
    notesEdit = new QPlainTextEdit(this);
    notesEdit->setObjectName(QStringLiteral("NotesTextBox"));
    notesEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    startTestButton = button(this, "cmdStartTest", QStringLiteral("Start Test"));
    cancelButton = button(this, "cmdCancel", QStringLiteral("Cancel"));
    clearButton = button(this, "cmdClear", QStringLiteral("Clear"));
    lotByElectrodeButton = button(this, "cmdLotByElectrode", QStringLiteral("Lot Number by Electrode"));

    powerSourceGroup = new QGroupBox(QStringLiteral("Select Power Source"), this);
    powerSourceGroup->setObjectName(QStringLiteral("framePowerSource"));
    energy100JButton = new QRadioButton(QStringLiteral("100J"), powerSourceGroup);
    energy100JButton->setObjectName(QStringLiteral("opt100J"));
    energy360JButton = new QRadioButton(QStringLiteral("360J"), powerSourceGroup);
    energy360JButton->setObjectName(QStringLiteral("opt360J"));
    energyXButton = new QRadioButton(powerSourceGroup);
    energyXButton->setObjectName(QStringLiteral("optXJ"));
    auto* power = new QHBoxLayout(powerSourceGroup);
    power->addWidget(new QLabel(QStringLiteral("Select Power Source Energy:"), powerSourceGroup));
    power->addWidget(energy100JButton);
    power->addWidget(energy360JButton);
    power->addWidget(energyXButton);

    reportOptionsGroup = new QGroupBox(QStringLiteral("Report Options"), this);
    reportOptionsGroup->setObjectName(QStringLiteral("frameReportOptions"));
    showShortCircuitCheck =
        new QCheckBox(QStringLiteral("Display Initial Short Circuit ACZ Test on Report"), reportOptionsGroup);
    showShortCircuitCheck->setObjectName(QStringLiteral("chkShowOnReport"));
    averageAclgCheck = new QCheckBox(QStringLiteral("Display Average ACLG Value Only"), reportOptionsGroup);
    averageAclgCheck->setObjectName(QStringLiteral("chkAvgACLG"));
    auto* options = new QVBoxLayout(reportOptionsGroup);
    options->addWidget(showShortCircuitCheck);
    options->addWidget(averageAclgCheck);

    auto* grid = new QGridLayout(this);
    auto* lotLabel = new QLabel(QStringLiteral("Lot Number"), this);
    lotLabel->setBuddy(lotNumberEdit);
    grid->addWidget(lotLabel, 0, 0);
    grid->addWidget(lotNumberEdit, 0, 1);
    grid->addWidget(lotByElectrodeButton, 0, 2);
    grid->addWidget(clearButton, 0, 3);
    auto* notesLabel = new QLabel(QStringLiteral("Notes"), this);
    notesLabel->setBuddy(notesEdit);
    grid->addWidget(notesLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(notesEdit, 1, 1, 1, 3);
    grid->addWidget(powerSourceGroup, 2, 0, 1, 4);
    grid->addWidget(reportOptionsGroup, 3, 0, 1, 4);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(startTestButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 4, 0, 1, 4);

    connect(startTestButton, &QPushButton::clicked, this, [this] { startTest(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
    connect(clearButton, &QPushButton::clicked, this, [this] { clear(); });
    connect(lotByElectrodeButton, &QPushButton::clicked, this, [this] { editLotsByElectrode(); });
}

std::optional<run::PreTestDetails> TestDetailsDialog::ask()
{
    load();
    exec();
    unload();
    return m_entered;
}

// Every showing starts as a newly loaded window does.
void TestDetailsDialog::load()
{
    lotNumberEdit->clear();
    lotNumberEdit->setEnabled(true);
    notesEdit->clear();
    energy360JButton->setChecked(true);
    showShortCircuitCheck->setChecked(false);
    averageAclgCheck->setChecked(false);
    electrodeLotList.clear();
    initVars();
    energyXButton->setEnabled(m_settings.aclg.energyXEnabled);
}

void TestDetailsDialog::unload()
{
    if (!m_entered)
        electrodeLotList.clear();
}

bool TestDetailsDialog::zamo80Mode() const
{
    return run::UnitMode::checkZAMOMode(m_units) == run::ConnectedUnitsMode::Zamo80;
}

bool TestDetailsDialog::isZamo24() const
{
    return run::UnitMode::checkZAMO24(m_units);
}

void TestDetailsDialog::readReportOption(const QString& key, QCheckBox* box)
{
    const QString value = config::iniRead(kReports, key, m_settings.paths.settingsFile);
    if (!value.isEmpty())
        box->setChecked(value == QLatin1String("1"));
}

void TestDetailsDialog::writeReportOption(const QString& key, bool value)
{
    config::iniWrite(kReports, key, value ? QStringLiteral("1") : QStringLiteral("0"), m_settings.paths.settingsFile);
}

void TestDetailsDialog::initVars()
{
    m_electrodeLots.fill(QString());
    m_entered.reset();
    electrodeLotList.clear();
    const bool zamo24 = isZamo24();
    powerSourceGroup->setVisible(zamo24);
    if (zamo80Mode() || zamo24) {
        readReportOption(QStringLiteral("ShowShortCircuit"), showShortCircuitCheck);
        readReportOption(QStringLiteral("AverageACLG"), averageAclgCheck);
        reportOptionsGroup->setVisible(true);
    } else {
        reportOptionsGroup->setVisible(false);
    }
    energyXButton->setText(platform::Convert::fromDouble(m_settings.aclg.energyXJoules) + QStringLiteral("J"));
}

void TestDetailsDialog::setElectrodeLotNumber(int index, const QString& value)
{
    if (index >= 0 && index < 32)
        m_electrodeLots[std::size_t(index)] = value;
}

// "A1 - lot" for each of the 32 electrodes, one line each.
QString TestDetailsDialog::perElectrodeLotText() const
{
    QString text;
    for (int i = 0; i < 32; ++i)
        text += QChar(65 + i % 16) + QString::number(i / 16 + 1) + QStringLiteral(" - ")
                + results::sanitizeText(m_electrodeLots[std::size_t(i)], 0) + kCrLf;
    return text;
}

void TestDetailsDialog::startTest()
{
    run::PreTestDetails details;
    const QString lot = lotNumberEdit->text();
    QString lotWindowText;
    if (lot.left(7) != kCustom) {
        details.lotNumber = lot;
        lotWindowText = lot;
        details.electrodeLotNumbers.fill(lot);
    } else {
        details.lotNumber = lot.mid(8);
        details.electrodeLotNumbers = m_electrodeLots;
        lotWindowText = perElectrodeLotText();
    }
    if (m_activeLotWindow)
        m_activeLotWindow->lotNumbersEdit->setPlainText(lotWindowText);

    // The notes keep their line breaks as CR LF.
    details.notes = notesEdit->toPlainText().replace(QStringLiteral("\n"), kCrLf);

    if (isZamo24()) {
        QString energy;
        unit::AclgEnergy choice = unit::AclgEnergy::J360;
        if (energy100JButton->isChecked()) {
            choice = unit::AclgEnergy::J100;
            energy = QStringLiteral("100J");
        } else if (energy360JButton->isChecked()) {
            energy = QStringLiteral("360J");
        } else if (energyXButton->isChecked()) {
            choice = unit::AclgEnergy::XJ;
            energy = energyXButton->text();
        }
        if (!energy.isEmpty()) {
            for (unit::Unit* unit : m_units)
                if (unit)
                    unit->setAclgEnergy(choice);
        }
        if (!energy.isEmpty())
            details.notes = QStringLiteral("ACLG Energy = ") + energy + QStringLiteral(";") + kCrLf + details.notes;
    }

    if (zamo80Mode() || isZamo24()) {
        const run::ReportOptions options{showShortCircuitCheck->isChecked(), averageAclgCheck->isChecked()};
        writeReportOption(QStringLiteral("ShowShortCircuit"), options.showShortCircuit);
        writeReportOption(QStringLiteral("AverageACLG"), options.averageAclg);
        details.reportOptions = options;
    }

    m_entered = std::move(details);
    accept();
}

void TestDetailsDialog::cancel()
{
    m_entered.reset();
    reject();
}

void TestDetailsDialog::clear()
{
    m_electrodeLots.fill(QString());
    lotNumberEdit->clear();
    lotNumberEdit->setEnabled(true);
}

void TestDetailsDialog::editLotsByElectrode()
{
    LotByElectrodeDialog window(*this, this);
    window.showDialog();
}

} // namespace ui
