#include "run/ReadingFlow.h"

#include "config/StationSettings.h"
#include "platform/Sounds.h"
#include "run/MeasurementSchedule.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "run/VerdictRules.h"
#include "unit/Unit.h"

#include <stdexcept>
#include <string>

namespace run {

using VerdictRules::electrodeIndex;
using VerdictRules::electrodeName;

namespace {

// The unit of a reply's unit number; any number but 1 or 2 throws std::out_of_range.
UnitIndex replyUnit(int number)
{
    const std::optional<UnitIndex> unit = UnitIndex::fromNumber(number);
    if (!unit)
        throw std::out_of_range("interval reading of unit " + std::to_string(number));
    return *unit;
}

} // namespace

ResultReplyFlow::ResultReplyFlow(const RunUnits& units, RunState& state, MeasurementSchedule& schedule,
                                 ChargeSequence& charge, Zamo80RunPlan& plan, RunServices& services,
                                 const config::StationSettings& settings, RunHost& host)
    : m_units(units),
      m_state(state),
      m_schedule(schedule),
      m_charge(charge),
      m_plan(plan),
      m_services(services),
      m_settings(settings),
      m_host(host)
{
}

ResultReplyFlow::ResultReplyFlow(RunSequencer& sequencer, RunHost& host)
    : ResultReplyFlow(sequencer.units(), sequencer.state(), sequencer.schedule(), sequencer.charge(),
                      *sequencer.services().zamo80, sequencer.services(), sequencer.stationSettings(), host)
{
}

RunState& ResultReplyFlow::state()
{
    return m_state;
}

const config::Limits& ResultReplyFlow::limits() const
{
    return m_settings.limits;
}

unit::Unit* ResultReplyFlow::unitAt(int unitValue) const
{
    return m_units.byNumber(unitValue);
}

bool ResultReplyFlow::recordingAllowed() const
{
    const RunState& state = m_state;
    return !state.calibrationMode || state.burnInRunning;
}

bool ResultReplyFlow::isFinal(bool completed) const
{
    return VerdictRules::isFinal(completed, m_state.startPhase);
}

bool ResultReplyFlow::takeInterim(int unitValue, qint16 channel)
{
    if (!m_schedule.intervalReadingDue(replyUnit(unitValue), channel))
        return false;
    state().startPhase = false;
    return true;
}

void ResultReplyFlow::recordInterim(int unitValue, qint16 channel, double valueValue, bool goodData,
                                    const QString& label, qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    if (const auto& test = state().activeTest)
        test->clearElectrodeErrorCount(electrodeIndex(unitValue, channel));
    double value = valueValue;
    if (!goodData || !VerdictRules::isNumber(valueValue)) {
        unit::Unit* unit = unitAt(unitValue);
        value = unit ? unit->getElectrodeLastMeasurement(channel) : 0.0;
    }
    recordMeasurement(unitValue, channel, label, value, intervalSeconds);
}

void ResultReplyFlow::recordInterimPair(int unitValue, qint16 channel, double value1, double value2, bool goodData,
                                        const QString& label, qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    if (const auto& test = state().activeTest)
        test->clearElectrodeErrorCount(electrodeIndex(unitValue, channel));
    if (!goodData || !VerdictRules::isNumber(value1) || !VerdictRules::isNumber(value2)) {
        unit::Unit* unit = unitAt(unitValue);
        value1 = unit ? unit->getElectrodeLastMeasurement(channel) : 0.0;
        value2 = unit ? unit->getElectrodeLastMeasurement2(channel) : 0.0;
    }
    recordPair(unitValue, channel, label, value1, value2, intervalSeconds);
}

void ResultReplyFlow::writeCompletion(const QString& testName, int unitValue, qint16 channel)
{
    write(VerdictRules::completionLine(testName, electrodeName(unitValue, channel)));
}

ResultReplyFlow::DataCheck ResultReplyFlow::checkFinalData(int unitValue, qint16 channel, bool badData,
                                                           double valueValue)
{
    const auto& test = state().activeTest;
    if (!recordingAllowed() || !test)
        return DataCheck::NotRecorded;
    const qint16 electrode = electrodeIndex(unitValue, channel);
    if (badData || !VerdictRules::isNumber(valueValue)) {
        if (test->incrementErrorCount(electrode) < VerdictRules::MaxDataErrors) {
            if (unit::Unit* unit = unitAt(unitValue))
                unit->txResendLastData(channel);
            write(VerdictRules::retransmissionLine(electrodeName(unitValue, channel)));
            return DataCheck::Retransmit;
        }
        return DataCheck::Exhausted;
    }
    test->setElectrodeTestComplete(electrode);
    test->clearElectrodeErrorCount(electrode);
    return DataCheck::Good;
}

void ResultReplyFlow::endWithDataError(int unitValue, qint16 channel, const QString& codeValue,
                                       const QString& lineValue, const std::function<void()>& beforeSound)
{
    write(lineValue);
    if (const auto& test = state().activeTest) {
        const qint16 electrode = electrodeIndex(unitValue, channel);
        test->setElectrodeTestComplete(electrode);
        test->clearElectrodeErrorCount(electrode);
    }
    recordResult(unitValue, channel, codeValue);
    if (beforeSound)
        beforeSound();
    playFailureSound();
}

void ResultReplyFlow::endWithERR(int unitValue, qint16 channel, const std::function<void()>& beforeSound)
{
    endWithDataError(unitValue, channel, QStringLiteral("ERR"),
                     VerdictRules::dataErrorLine(electrodeName(unitValue, channel)), beforeSound);
}

QString ResultReplyFlow::judge(int unitValue, qint16 channel, double valueValue, const LimitPair& limitsValue)
{
    const QString code = VerdictRules::judge(valueValue, limitsValue.limit, limitsValue.warning);
    if (!VerdictRules::isPass(code)) {
        write(code == QLatin1String("FAIL") ? VerdictRules::failLine(valueValue, limitsValue.limit)
                                            : VerdictRules::dataErrorLine(electrodeName(unitValue, channel)));
        playFailureSound();
        return code;
    }
    unit::Unit* unit = unitAt(unitValue);
    return VerdictRules::withCalibrationExpiry(code, unit && unit->electrodeChannelCalibrationExpired(channel));
}

QString ResultReplyFlow::apply(int unitValue, qint16 channel, const Verdict& verdict, bool askExpiry)
{
    for (const QString& line : verdict.lines)
        write(line);
    if (verdict.code == QLatin1String("ERR") && verdict.lines.isEmpty())
        write(VerdictRules::dataErrorLine(electrodeName(unitValue, channel)));
    if (verdict.failureSound)
        playFailureSound();
    if (!askExpiry || !VerdictRules::isPass(verdict.code))
        return verdict.code;
    unit::Unit* unit = unitAt(unitValue);
    return VerdictRules::withCalibrationExpiry(verdict.code, unit && unit->electrodeChannelCalibrationExpired(channel));
}

void ResultReplyFlow::recordMeasurement(int unitValue, qint16 channel, const QString& label, double valueValue,
                                        qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    m_services.recorder->recordChannelMeasurement(unitValue, channel, label, valueValue, false, 0, 0.0, false, false,
                                                  intervalSeconds);
    m_schedule.markIntervalReadingTaken(replyUnit(unitValue), channel);
}

void ResultReplyFlow::recordPair(int unitValue, qint16 channel, const QString& label, double value1, double value2,
                                 qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    m_services.recorder->recordChannelMeasurement(unitValue, channel, label, value1, false, 0, value2, true, false,
                                                  intervalSeconds);
    m_schedule.markIntervalReadingTaken(replyUnit(unitValue), channel);
}

void ResultReplyFlow::recordSDRPoint(int unitValue, qint16 channel, int point, const QString& label, double valueValue,
                                     qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    m_services.recorder->recordChannelMeasurement(unitValue, channel, label, valueValue, true, point, 0.0, false, false,
                                                  intervalSeconds);
}

void ResultReplyFlow::recordResult(int unitValue, qint16 channel, const QString& codeValue)
{
    if (recordingAllowed())
        m_services.recorder->recordChannelResult(unitValue, channel, codeValue, false);
}

void ResultReplyFlow::write(const QString& lineValue)
{
    m_host.writeToCommTextBox(lineValue, true, false);
}

void ResultReplyFlow::playFailureSound()
{
    platform::playFailureSound();
}

} // namespace run
