#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "run/RunSequencer.h"
#include "testlists/StationTestLists.h"
#include "ui/service/ServicePanel.h"
#include "ui/shell/TestWindowCommands.h"
#include "unit/UnitLink.h"

#include <QLineEdit>
#include <QRadioButton>

namespace ui {

std::optional<qint16> ServicePanel::channel() const
{
    if (!m_unit.connected())
        return std::nullopt;
    return platform::Convert::toInt16(m_channelEdit->text()).value_or(0);
}

std::optional<qint16> ServicePanel::number(const QLineEdit* box, const QString& label)
{
    const std::optional<qint16> value = platform::Convert::toInt16(box->text());
    if (!value)
        platform::Prompts::instance().message(QStringLiteral("\"") + box->text() + QStringLiteral("\" in the box ")
                                                  + label
                                                  + QStringLiteral(" is not a whole number from -32768 to 32767.  "
                                                                   "Nothing was sent."),
                                              windowTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    return value;
}

void ServicePanel::zeroCounter()
{
    if (const auto ch = channel())
        m_unit.maintenance().txZeroCounter(*ch);
}

void ServicePanel::readCounter()
{
    if (const auto ch = channel())
        m_unit.maintenance().txReadCounter(*ch);
}

void ServicePanel::setCalibrationDate()
{
    const auto ch = channel();
    if (!ch)
        return;
    const auto year = number(m_yearEdit, QStringLiteral("Y"));
    if (!year)
        return;
    const auto month = number(m_monthEdit, QStringLiteral("M"));
    if (!month)
        return;
    const auto day = number(m_dayEdit, QStringLiteral("D"));
    if (day)
        m_unit.maintenance().txSetCalibrationDate(*ch, *year, *month, *day);
}

void ServicePanel::getCalibrationDate()
{
    if (const auto ch = channel())
        m_unit.maintenance().txGetCalibrationDate(*ch);
}

void ServicePanel::getFirmwareVersion()
{
    if (const auto ch = channel())
        m_unit.maintenance().txGetFirmwareVersion(*ch);
}

void ServicePanel::setSerialNumber()
{
    if (const auto ch = channel())
        m_unit.maintenance().txSetSerialNumber(*ch, m_serialEdit->text());
}

void ServicePanel::getSerialNumber()
{
    if (const auto ch = channel())
        m_unit.maintenance().txGetSerialNumber(*ch);
}

void ServicePanel::setCalibrationReference()
{
    const auto ch = channel();
    if (!ch)
        return;
    const auto acz = number(m_referenceAczEdit, QStringLiteral("ACZ"));
    if (!acz)
        return;
    const auto ref100uV = number(m_reference100uVEdit, QStringLiteral("100uV"));
    if (!ref100uV)
        return;
    const auto ref50mV = number(m_reference50mVEdit, QStringLiteral("50mV"));
    if (!ref50mV)
        return;
    const auto acz30 = number(m_referenceAcz30Edit, QStringLiteral("ACZ30"));
    if (acz30)
        m_unit.maintenance().txSetCalibrationReference(*ch, *acz, *ref100uV, *ref50mV, *acz30);
}

void ServicePanel::getCalibrationReference()
{
    if (const auto ch = channel())
        m_unit.maintenance().txGetCalibrationReference(*ch);
}

void ServicePanel::setDcoReference()
{
    const auto ch = channel();
    if (!ch)
        return;
    if (const auto reference = number(m_dcoReferenceEdit, QStringLiteral("Md0")))
        m_unit.maintenance().txSetDCOReferenceVoltage(*ch, *reference);
}

void ServicePanel::getDcoReference()
{
    if (const auto ch = channel())
        m_unit.maintenance().txGetDCOReferenceVoltage(*ch);
}

void ServicePanel::requestCommand()
{
    if (const auto ch = channel())
        m_unit.channelTests().txRequestCommand(*ch);
}

void ServicePanel::runAcz()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.channelTests().txRunACZTest(*ch);
    }
}

void ServicePanel::runAcz30Zero()
{
    if (const auto ch = channel())
        m_unit.channelTests().txRunACZ30Zero(*ch);
}

void ServicePanel::runAcz30()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.channelTests().txRunACZ30Test(*ch);
    }
}

void ServicePanel::runAclg()
{
    if (const auto ch = channel()) {
        // The options choose between 100 J and 360 J only: an x J source set
        // for the last run stays in use until a run sets another.
        if (m_unit.aclgEnergy() != unit::AclgEnergy::XJ)
            m_unit.setAclgEnergy(m_energy100JOption->isChecked() ? unit::AclgEnergy::J100 : unit::AclgEnergy::J360);
        m_unit.channelTests().txRunACLGTest(*ch);
    }
}

void ServicePanel::runDefibRecovery()
{
    if (const auto ch = channel())
        m_unit.channelTests().txRunDefibRecoveryTest(*ch);
}

void ServicePanel::runFilterZero()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.channelTests().txRunFilterZeroRoutine(*ch);
    }
}

void ServicePanel::runSpecialCalibration1()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.channelTests().txRunSpecialCalibrationTest1(*ch);
    }
}

void ServicePanel::runSpecialCalibration2()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.channelTests().txRunSpecialCalibrationTest2(*ch);
    }
}

void ServicePanel::runDco()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.channelTests().txRunDCOTest(*ch);
    }
}

void ServicePanel::runDcoZeroCorrection()
{
    if (const auto ch = channel())
        m_unit.channelTests().txRunDCOZeroCorrectionTest(*ch);
}

void ServicePanel::runBias()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.channelTests().txRunBiasTest(*ch);
    }
}

void ServicePanel::stopBias()
{
    if (const auto ch = channel())
        m_unit.channelTests().txStopBiasTest(*ch);
}

void ServicePanel::runSdr()
{
    if (const auto ch = channel()) {
        m_mode.setCalibrationMode();
        m_unit.unitCommands().txMasterEnable200VSupply();
        m_unit.channelTests().txRunSDRTest(*ch, false);
    }
}

void ServicePanel::cancelChannel()
{
    if (const auto ch = channel())
        m_unit.channelTests().txCancel(*ch);
}

void ServicePanel::cancelChannelAndSupply()
{
    if (const auto ch = channel()) {
        m_unit.unitCommands().txMasterDisable200VSupply();
        m_unit.channelTests().txCancel(*ch);
    }
}

void ServicePanel::setPacePulse()
{
    const auto ch = channel();
    if (!ch)
        return;
    const auto on1 = number(m_pace1OnEdit, QStringLiteral("1on"));
    if (!on1)
        return;
    const auto on2 = number(m_pace2OnEdit, QStringLiteral("2on"));
    if (!on2)
        return;
    const auto off1 = number(m_pace1OffEdit, QStringLiteral("1off"));
    if (!off1)
        return;
    const auto off2 = number(m_pace2OffEdit, QStringLiteral("2off"));
    if (off2)
        m_unit.maintenance().txSetPacePulse(*ch, *on1, *on2, *off1, *off2, 0, 0);
}

void ServicePanel::getPacePulse()
{
    if (const auto ch = channel())
        m_unit.maintenance().txGetPacePulse(*ch);
}

void ServicePanel::setZamo24PacePulse()
{
    const auto ch = channel();
    if (!ch)
        return;
    const auto on1 = number(m_zamo24Pace1OnEdit, QStringLiteral("1on"));
    if (!on1)
        return;
    const auto on2 = number(m_zamo24Pace2OnEdit, QStringLiteral("2on"));
    if (!on2)
        return;
    const auto off1 = number(m_zamo24Pace1OffEdit, QStringLiteral("1off"));
    if (!off1)
        return;
    const auto off2 = number(m_zamo24Pace2OffEdit, QStringLiteral("2off"));
    if (!off2)
        return;
    const auto volts1 = number(m_zamo24Pace1VoltsEdit, QStringLiteral("Pace1 Voltage"));
    if (!volts1)
        return;
    const auto volts2 = number(m_zamo24Pace2VoltsEdit, QStringLiteral("Pace2 Voltage"));
    if (volts2)
        m_unit.maintenance().txSetPacePulse(*ch, *on1, *on2, *off1, *off2, *volts1, *volts2);
}

void ServicePanel::runPace1()
{
    if (const auto ch = channel())
        m_unit.channelTests().txRunVoltage1Pace(*ch);
}

void ServicePanel::runPace2()
{
    if (const auto ch = channel())
        m_unit.channelTests().txRunVoltage2Pace(*ch);
}

void ServicePanel::switchLed()
{
    if (const auto ch = channel())
        m_unit.maintenance().txChannelLED(*ch, m_ledOnOption->isChecked());
}

void ServicePanel::readDiagnostics()
{
    if (m_unit.connected())
        m_unit.unitCommands().txMasterDiagnostics();
}

void ServicePanel::defibCharge()
{
    if (m_unit.connected())
        m_unit.unitCommands().txMasterDefibCharge();
}

void ServicePanel::triggerCharge()
{
    if (m_unit.connected())
        m_unit.unitCommands().txMasterTriggerCharge();
}

void ServicePanel::sendRaw()
{
    if (m_unit.connected() && !m_rawFrameEdit->text().isEmpty())
        m_unit.sendCommandToChannel(m_rawFrameEdit->text(), -1, true);
}

void ServicePanel::startBurnIn()
{
    const std::optional<qint16> repetitions = platform::Convert::toInt16(m_burnInRepsEdit->text());
    if (!repetitions || *repetitions < 1)
        return;
    m_window.clearTestList();
    const QString electrodes = m_unit.connected() ? m_unit.channels().channelList() : QString();
    if (electrodes.isEmpty())
        return;
    if (m_window.checkZAMOMode() != run::ConnectedUnitsMode::Zamo80)
        m_window.testLists().active.append(run::ServiceMode::burnInList(*repetitions, electrodes));
    m_window.updateTestSequenceList();
    m_mode.beginBurnIn();
    m_window.startFirstTestSequence(true);
    m_mode.burnInStartFinished();
}

void ServicePanel::cancelBurnIn()
{
    m_mode.cancelBurnIn();
}

} // namespace ui
