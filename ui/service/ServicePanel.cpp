#include "ui/service/ServicePanel.h"

#include "platform/CommandLine.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "run/RunSequencer.h"
#include "ui/common/Twips.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/TestWindowCommands.h"
#include "unit/UnitLink.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// The value of a box's text clamped to minimum..maximum and rounded; the
// fallback for a text that is no number.
QString clamped(const QString& text, double minimum, double maximum, int fallback)
{
    const std::optional<double> value = platform::Convert::toDouble(text);
    if (!value || std::isnan(*value))
        return QString::number(fallback);
    return QString::number(qint64(std::nearbyint(std::clamp(*value, minimum, maximum))));
}

// Sets the text only when it differs, so that a box's own change handler
// ends after one pass.
void replaceText(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

ServicePanel::ServicePanel(TestWindowServices& window, run::RunSequencer& sequencer, unit::UnitLink& unit1,
                           QWidget* parent)
    : QDialog(parent),
      m_window(window),
      m_unit(unit1),
      m_mode(sequencer.state(), sequencer.units(), [&sequencer] { sequencer.stopTests(); })
{
    setObjectName(QStringLiteral("SystemCalibrationForm"));
    setWindowTitle(QStringLiteral("System Calibration"));
    setModal(true);
    buildControls();
    connectReadBacks();
    load();
}

ServicePanel::~ServicePanel()
{
    // However the panel goes, the station does not stay in service mode.
    m_mode.leave();
}

QPushButton* ServicePanel::addButton(const char* name, const QString& caption, void (ServicePanel::*command)())
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    connect(button, &QPushButton::clicked, this, command);
    m_buttons[QLatin1String(name)] = button;
    return button;
}

QLineEdit* ServicePanel::addBox(const char* name, const QString& text)
{
    auto* box = new QLineEdit(text);
    box->setObjectName(QLatin1String(name));
    box->setMaximumWidth(Twips::toPixels(900));
    return box;
}

void ServicePanel::buildControls()
{
    m_serviceFrame = new QGroupBox(this);
    m_serviceFrame->setObjectName(QStringLiteral("serviceFrame"));
    auto* rows = new QVBoxLayout(m_serviceFrame);
    auto row = [rows](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets)
            line->addWidget(w);
        line->addStretch();
        rows->addLayout(line);
    };
    auto label = [](const QString& text) { return new QLabel(text); };

    m_channelEdit = addBox("channelNumberEdit", QStringLiteral("0"));
    row({label(QStringLiteral("Channel Number")), m_channelEdit,
         addButton("requestButton", QStringLiteral("?"), &ServicePanel::requestCommand),
         addButton("diagnosticsButton", QStringLiteral("[D]"), &ServicePanel::readDiagnostics)});
    row({addButton("zeroCounterButton", QStringLiteral("MC0"), &ServicePanel::zeroCounter),
         addButton("readCounterButton", QStringLiteral("MC1"), &ServicePanel::readCounter),
         addButton("firmwareVersionButton", QStringLiteral("MV1"), &ServicePanel::getFirmwareVersion)});

    m_yearEdit = addBox("yearEdit", QStringLiteral("2011"));
    m_monthEdit = addBox("monthEdit", QStringLiteral("01"));
    m_dayEdit = addBox("dayEdit", QStringLiteral("31"));
    row({label(QStringLiteral("Y")), m_yearEdit, label(QStringLiteral("M")), m_monthEdit, label(QStringLiteral("D")),
         m_dayEdit, addButton("setDateButton", QStringLiteral("MD0"), &ServicePanel::setCalibrationDate),
         addButton("getDateButton", QStringLiteral("MD1"), &ServicePanel::getCalibrationDate)});

    m_serialEdit = addBox("serialNumberEdit", QStringLiteral("01000"));
    row({m_serialEdit, addButton("setSerialButton", QStringLiteral("MS0"), &ServicePanel::setSerialNumber),
         addButton("getSerialButton", QStringLiteral("MS1"), &ServicePanel::getSerialNumber)});

    m_referenceAczEdit = addBox("referenceAczEdit", QStringLiteral("2000"));
    m_reference100uVEdit = addBox("reference100uVEdit", QStringLiteral("3000"));
    m_reference50mVEdit = addBox("reference50mVEdit", QStringLiteral("2500"));
    m_referenceAcz30Edit = addBox("referenceAcz30Edit", QStringLiteral("2000"));
    row({label(QStringLiteral("ACZ")), m_referenceAczEdit, label(QStringLiteral("100uV")), m_reference100uVEdit,
         label(QStringLiteral("50mV")), m_reference50mVEdit, label(QStringLiteral("ACZ30")), m_referenceAcz30Edit,
         addButton("setReferenceButton", QStringLiteral("MR0"), &ServicePanel::setCalibrationReference),
         addButton("getReferenceButton", QStringLiteral("MR1"), &ServicePanel::getCalibrationReference)});

    m_dcoReferenceEdit = addBox("dcoReferenceEdit", QStringLiteral("1000"));
    row({m_dcoReferenceEdit, addButton("setDcoReferenceButton", QStringLiteral("Md0"), &ServicePanel::setDcoReference),
         addButton("getDcoReferenceButton", QStringLiteral("Md1"), &ServicePanel::getDcoReference)});

    row({addButton("aczButton", QStringLiteral("ACZ"), &ServicePanel::runAcz),
         addButton("acz30ZeroButton", QStringLiteral("ACZ30 Zero"), &ServicePanel::runAcz30Zero),
         addButton("acz30Button", QStringLiteral("ACZ30"), &ServicePanel::runAcz30),
         addButton("aclgButton", QStringLiteral("AC-LG"), &ServicePanel::runAclg),
         addButton("defibRecoveryButton", QStringLiteral("DEFR"), &ServicePanel::runDefibRecovery)});
    row({addButton("filterZeroButton", QStringLiteral("GN0"), &ServicePanel::runFilterZero),
         addButton("specialCalibration1Button", QStringLiteral("GN2"), &ServicePanel::runSpecialCalibration1),
         addButton("specialCalibration2Button", QStringLiteral("GN3"), &ServicePanel::runSpecialCalibration2)});
    row({addButton("dcoButton", QStringLiteral("DCO"), &ServicePanel::runDco),
         addButton("dcoZeroCorrectionButton", QStringLiteral("Gd2"), &ServicePanel::runDcoZeroCorrection),
         addButton("biasButton", QStringLiteral("BIAS"), &ServicePanel::runBias),
         addButton("stopBiasButton", QStringLiteral("STOP"), &ServicePanel::stopBias)});
    row({addButton("sdrButton", QStringLiteral("SDR"), &ServicePanel::runSdr),
         addButton("cancelButton", QStringLiteral("STOP"), &ServicePanel::cancelChannel),
         addButton("cancelAndSupplyOffButton", QStringLiteral("STOP"), &ServicePanel::cancelChannelAndSupply)});

    m_pace1OnEdit = addBox("pace1OnEdit", QStringLiteral("1000"));
    m_pace2OnEdit = addBox("pace2OnEdit", QStringLiteral("1000"));
    m_pace1OffEdit = addBox("pace1OffEdit", QStringLiteral("1000"));
    m_pace2OffEdit = addBox("pace2OffEdit", QStringLiteral("1000"));
    row({label(QStringLiteral("1on")), m_pace1OnEdit, label(QStringLiteral("2on")), m_pace2OnEdit,
         label(QStringLiteral("1off")), m_pace1OffEdit, label(QStringLiteral("2off")), m_pace2OffEdit,
         addButton("setPaceButton", QStringLiteral("MP0"), &ServicePanel::setPacePulse),
         addButton("getPaceButton", QStringLiteral("MP1"), &ServicePanel::getPacePulse)});

    m_zamo24Pace1OnEdit = addBox("zamo24Pace1OnEdit", QStringLiteral("1000"));
    m_zamo24Pace2OnEdit = addBox("zamo24Pace2OnEdit", QStringLiteral("1000"));
    m_zamo24Pace1OffEdit = addBox("zamo24Pace1OffEdit", QStringLiteral("1000"));
    m_zamo24Pace2OffEdit = addBox("zamo24Pace2OffEdit", QStringLiteral("1000"));
    m_zamo24Pace1VoltsEdit = addBox("zamo24Pace1VoltsEdit", QStringLiteral("1000"));
    m_zamo24Pace2VoltsEdit = addBox("zamo24Pace2VoltsEdit", QStringLiteral("0700"));
    row({label(QStringLiteral("1on")), m_zamo24Pace1OnEdit, label(QStringLiteral("2on")), m_zamo24Pace2OnEdit,
         label(QStringLiteral("1off")), m_zamo24Pace1OffEdit, label(QStringLiteral("2off")), m_zamo24Pace2OffEdit});
    row({label(QStringLiteral("Pace1 Voltage")), m_zamo24Pace1VoltsEdit, label(QStringLiteral("Pace2 Voltage")),
         m_zamo24Pace2VoltsEdit,
         addButton("setZamo24PaceButton", QStringLiteral("Mp0"), &ServicePanel::setZamo24PacePulse),
         addButton("getZamo24PaceButton", QStringLiteral("Mp1"), &ServicePanel::getPacePulse)});

    m_ledOnOption = new QRadioButton(QStringLiteral("On"));
    m_ledOnOption->setObjectName(QStringLiteral("ledOnOption"));
    m_ledOnOption->setChecked(true);
    m_ledOffOption = new QRadioButton(QStringLiteral("Off"));
    m_ledOffOption->setObjectName(QStringLiteral("ledOffOption"));
    auto* ledOptions = new QWidget;
    auto* ledLayout = new QHBoxLayout(ledOptions);
    ledLayout->setContentsMargins(0, 0, 0, 0);
    ledLayout->addWidget(m_ledOnOption);
    ledLayout->addWidget(m_ledOffOption);
    row({addButton("pace1Button", QStringLiteral("PACE1"), &ServicePanel::runPace1),
         addButton("pace2Button", QStringLiteral("PACE2"), &ServicePanel::runPace2),
         addButton("ledButton", QStringLiteral("LED (i)"), &ServicePanel::switchLed), ledOptions});

    auto* energyFrame = new QGroupBox(QStringLiteral("Energy (ZAMO2-4)"));
    energyFrame->setObjectName(QStringLiteral("energyFrame"));
    m_energy100JOption = new QRadioButton(QStringLiteral("100J"));
    m_energy100JOption->setObjectName(QStringLiteral("energy100JOption"));
    m_energy100JOption->setChecked(true);
    m_energy360JOption = new QRadioButton(QStringLiteral("360J"));
    m_energy360JOption->setObjectName(QStringLiteral("energy360JOption"));
    auto* energyLayout = new QHBoxLayout(energyFrame);
    energyLayout->addWidget(m_energy100JOption);
    energyLayout->addWidget(m_energy360JOption);
    row({energyFrame, addButton("defibChargeButton", QStringLiteral("Defib Charge"), &ServicePanel::defibCharge),
         addButton("triggerChargeButton", QStringLiteral("Trigger Charge"), &ServicePanel::triggerCharge)});

    auto* rawFrame = new QGroupBox(QStringLiteral("Raw Transmit"));
    rawFrame->setObjectName(QStringLiteral("rawTransmitFrame"));
    m_rawFrameEdit = new QLineEdit;
    m_rawFrameEdit->setObjectName(QStringLiteral("rawFrameEdit"));
    auto* rawLayout = new QHBoxLayout(rawFrame);
    rawLayout->addWidget(m_rawFrameEdit);
    rawLayout->addWidget(addButton("sendButton", QStringLiteral("SEND"), &ServicePanel::sendRaw));
    rows->addWidget(rawFrame);

    m_inhibitPollingBox = new QCheckBox(QStringLiteral("Inhibit Automatic Communication Polling"));
    m_inhibitPollingBox->setObjectName(QStringLiteral("inhibitPollingBox"));
    row({m_inhibitPollingBox});

    m_burnInRepsLabel = label(QStringLiteral("Reps"));
    m_burnInRepsLabel->setObjectName(QStringLiteral("burnInRepsLabel"));
    m_burnInRepsEdit = addBox("burnInRepsEdit", QStringLiteral("1"));
    row({addButton("burnInButton", QStringLiteral("Burn In"), &ServicePanel::startBurnIn), m_burnInRepsLabel,
         m_burnInRepsEdit, addButton("cancelBurnInButton", QStringLiteral("X"), &ServicePanel::cancelBurnIn)});

    auto* exitButton = new QPushButton(QStringLiteral("Exit"));
    exitButton->setObjectName(QStringLiteral("exitButton"));
    connect(exitButton, &QPushButton::clicked, this, &ServicePanel::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_serviceFrame);
    auto* exitRow = new QHBoxLayout;
    exitRow->addStretch();
    exitRow->addWidget(exitButton);
    layout->addLayout(exitRow);

    connect(m_channelEdit, &QLineEdit::textChanged, this, &ServicePanel::clampChannel);
    connect(m_burnInRepsEdit, &QLineEdit::textChanged, this, &ServicePanel::clampRepetitions);
    connect(m_inhibitPollingBox, &QCheckBox::toggled, this,
            [this](bool ticked) { m_mode.setPollingInhibited(ticked); });

    using B = run::CalibrationBox;
    m_readBackBoxes = {{B::Day, m_dayEdit},
                       {B::Month, m_monthEdit},
                       {B::Year, m_yearEdit},
                       {B::SerialNumber, m_serialEdit},
                       {B::ReferenceAcz, m_referenceAczEdit},
                       {B::Reference100uV, m_reference100uVEdit},
                       {B::Reference50mV, m_reference50mVEdit},
                       {B::ReferenceAcz30, m_referenceAcz30Edit},
                       {B::DcoReference750mV, m_dcoReferenceEdit},
                       {B::Pace1On, m_pace1OnEdit},
                       {B::Pace1Off, m_pace1OffEdit},
                       {B::Pace2On, m_pace2OnEdit},
                       {B::Pace2Off, m_pace2OffEdit},
                       {B::Zamo24Pace1On, m_zamo24Pace1OnEdit},
                       {B::Zamo24Pace1Off, m_zamo24Pace1OffEdit},
                       {B::Zamo24Pace2On, m_zamo24Pace2OnEdit},
                       {B::Zamo24Pace2Off, m_zamo24Pace2OffEdit},
                       {B::Zamo24Pace1Volts, m_zamo24Pace1VoltsEdit},
                       {B::Zamo24Pace2Volts, m_zamo24Pace2VoltsEdit}};
}

void ServicePanel::load()
{
    m_mode.enter();
    if (QWidget* owner = parentWidget())
        move(owner->mapToGlobal(QPoint(0, 0)) + QPoint(Twips::toPixels(1000), Twips::toPixels(1000)));
    showForCommandLine();
    m_inhibitPollingBox->setChecked(true);
    showForUnitMode();
}

void ServicePanel::showForCommandLine()
{
    using platform::CommandLine::contains;
    using platform::CommandLine::equals;
    if (contains(QStringLiteral("/rida")) || contains(QStringLiteral("/vadov")))
        m_serviceFrame->hide();
    const bool restricted = equals(QStringLiteral("/rida1"));
    if (!restricted && !equals(QStringLiteral("/rida2")) && !equals(QStringLiteral("/vadov")))
        return;
    m_serviceFrame->show();
    for (QWidget* w : std::initializer_list<QWidget*>{m_buttons["setSerialButton"], m_buttons["filterZeroButton"],
                                                      m_serialEdit, m_buttons["burnInButton"], m_burnInRepsLabel,
                                                      m_burnInRepsEdit, m_buttons["cancelBurnInButton"]})
        w->setVisible(!restricted);
}

void ServicePanel::showForUnitMode()
{
    const bool mode80 = m_window.checkZAMOMode() == run::ConnectedUnitsMode::Zamo80;
    m_buttons["zeroCounterButton"]->setText(mode80 ? QStringLiteral("Mc0") : QStringLiteral("MC0"));
    m_buttons["readCounterButton"]->setText(mode80 ? QStringLiteral("Mc1") : QStringLiteral("MC1"));
    m_buttons["setReferenceButton"]->setText(mode80 ? QStringLiteral("Mr0") : QStringLiteral("MR0"));
    m_buttons["getReferenceButton"]->setText(mode80 ? QStringLiteral("Mr1") : QStringLiteral("MR1"));
    m_referenceAcz30Edit->setEnabled(mode80);
    for (const char* name :
         {"setPaceButton", "getPaceButton", "setDcoReferenceButton", "getDcoReferenceButton", "acz30Button",
          "dcoZeroCorrectionButton", "aclgButton", "defibRecoveryButton", "pace1Button", "pace2Button",
          "acz30ZeroButton", "defibChargeButton", "triggerChargeButton", "ledButton"})
        m_buttons[QLatin1String(name)]->setEnabled(mode80);
    m_ledOnOption->setEnabled(mode80);
    m_ledOffOption->setEnabled(mode80);
}

void ServicePanel::clampChannel()
{
    replaceText(m_channelEdit, clamped(m_channelEdit->text(), 0, 15, 0));
}

void ServicePanel::clampRepetitions()
{
    replaceText(m_burnInRepsEdit, clamped(m_burnInRepsEdit->text(), 1, 32767, 1));
}

void ServicePanel::connectReadBacks()
{
    connect(&m_unit, &unit::UnitLink::replyReceived, this, [this](const unit::UnitReply& reply) {
        if (m_mode.calibrationMode())
            showReadBack(run::CalibrationReadBack::readBackOf(reply.value));
    });
}

void ServicePanel::showReadBack(const run::BoxTexts& texts)
{
    for (const run::BoxText& t : texts)
        m_readBackBoxes.at(t.box)->setText(t.text);
}

void ServicePanel::reject()
{
    if (!m_mode.burnInRunning()) {
        const auto answer = platform::Prompts::instance().message(
            QStringLiteral("Are you sure you want to leave the Calibration Form?"),
            QStringLiteral("Exit Calibration Form"), platform::MsgButtons::YesNo, platform::MsgIcon::Warning);
        if (answer != platform::MsgResult::Yes)
            return;
    }
    m_mode.leave();
    QDialog::reject();
}

void showServicePanel(StationWindows& windows, TestWindowServices& window, run::RunSequencer& sequencer,
                      unit::UnitLink& unit1)
{
    ServicePanel panel(window, sequencer, unit1, windows.existingFrame());
    panel.exec();
}

} // namespace ui
