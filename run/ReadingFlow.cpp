#include "run/ReadingFlow.h"

#include "config/StationSettings.h"
#include "platform/Sounds.h"
#include "run/MeasurementSchedule.h"
#include "run/RunHost.h"
#include "run/RunServices.h"
#include "run/RunState.h"
#include "run/VerdictRules.h"
#include "unit/Unit.h"

namespace run {

using VerdictRules::electrodeIndex;
using VerdictRules::electrodeName;

ResultReplyFlow::ResultReplyFlow(const RunUnits& units, RunState& state, MeasurementSchedule& schedule,
                                 ChargeSequence& charge, AclgSums& aclgSums, Zamo80RunPlan& plan, RunServices& services,
                                 const config::StationSettings& settings, RunHost& host)
    : m_units(units),
      m_state(state),
      m_schedule(schedule),
      m_charge(charge),
      m_aclgSums(aclgSums),
      m_plan(plan),
      m_services(services),
      m_settings(settings),
      m_host(host)
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

unit::Unit* ResultReplyFlow::unitAt(UnitIndex unit) const
{
    return m_units.at(unit);
}

bool ResultReplyFlow::recordingAllowed() const
{
    const RunState& state = m_state;
    return !state.calibrationMode || state.burnInRunning;
}

bool ResultReplyFlow::electrodeDone(UnitIndex unit, qint16 channel)
{
    const auto& test = state().activeTest;
    return recordingAllowed() && test && !test->isElectrodeTestActive(electrodeIndex(unit, channel));
}

bool ResultReplyFlow::isFinal(bool completed) const
{
    return VerdictRules::isFinal(completed, m_state.startPhase);
}

bool ResultReplyFlow::takeInterim(UnitIndex unit, qint16 channel)
{
    if (!m_schedule.intervalReadingDue(unit, channel))
        return false;
    state().startPhase = false;
    return true;
}

void ResultReplyFlow::recordInterim(UnitIndex unit, qint16 channel, double value, bool goodData, const QString& label,
                                    qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    if (const auto& test = state().activeTest)
        test->clearElectrodeErrorCount(electrodeIndex(unit, channel));
    if (!goodData || !VerdictRules::isNumber(value)) {
        unit::Unit* link = unitAt(unit);
        value = link ? link->getElectrodeLastMeasurement(channel) : 0.0;
    }
    recordMeasurement(unit, channel, label, value, intervalSeconds);
}

void ResultReplyFlow::recordInterimPair(UnitIndex unit, qint16 channel, double value1, double value2, bool goodData,
                                        const QString& label, qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    if (const auto& test = state().activeTest)
        test->clearElectrodeErrorCount(electrodeIndex(unit, channel));
    if (!goodData || !VerdictRules::isNumber(value1) || !VerdictRules::isNumber(value2)) {
        unit::Unit* link = unitAt(unit);
        value1 = link ? link->getElectrodeLastMeasurement(channel) : 0.0;
        value2 = link ? link->getElectrodeLastMeasurement2(channel) : 0.0;
    }
    recordPair(unit, channel, label, value1, value2, intervalSeconds);
}

void ResultReplyFlow::writeCompletion(const QString& testName, UnitIndex unit, qint16 channel)
{
    write(VerdictRules::completionLine(testName, electrodeName(unit, channel)));
}

ResultReplyFlow::DataCheck ResultReplyFlow::checkFinalData(UnitIndex unit, qint16 channel, bool badData, double value)
{
    const auto& test = state().activeTest;
    if (!recordingAllowed() || !test)
        return DataCheck::NotRecorded;
    const qint16 electrode = electrodeIndex(unit, channel);
    if (badData || !VerdictRules::isNumber(value)) {
        if (test->incrementErrorCount(electrode) < VerdictRules::MaxDataErrors) {
            if (unit::Unit* link = unitAt(unit))
                link->txResendLastData(channel);
            write(VerdictRules::retransmissionLine(electrodeName(unit, channel)));
            return DataCheck::Retransmit;
        }
        return DataCheck::Exhausted;
    }
    test->setElectrodeTestComplete(electrode);
    test->clearElectrodeErrorCount(electrode);
    return DataCheck::Good;
}

void ResultReplyFlow::endWithDataError(UnitIndex unit, qint16 channel, const QString& code, const QString& line,
                                       const std::function<void()>& beforeSound)
{
    write(line);
    if (const auto& test = state().activeTest) {
        const qint16 electrode = electrodeIndex(unit, channel);
        test->setElectrodeTestComplete(electrode);
        test->clearElectrodeErrorCount(electrode);
    }
    recordResult(unit, channel, code);
    if (beforeSound)
        beforeSound();
    playFailureSound();
}

void ResultReplyFlow::endWithERR(UnitIndex unit, qint16 channel, const std::function<void()>& beforeSound)
{
    endWithDataError(unit, channel, QStringLiteral("ERR"), VerdictRules::dataErrorLine(electrodeName(unit, channel)),
                     beforeSound);
}

QString ResultReplyFlow::judge(UnitIndex unit, qint16 channel, double value, const LimitPair& limits)
{
    const QString code = VerdictRules::judge(value, limits.limit, limits.warning);
    if (!VerdictRules::isPass(code)) {
        write(code == QLatin1String("FAIL") ? VerdictRules::failLine(value, limits.limit)
                                            : VerdictRules::dataErrorLine(electrodeName(unit, channel)));
        playFailureSound();
        return code;
    }
    unit::Unit* link = unitAt(unit);
    return VerdictRules::withCalibrationExpiry(code, link && link->electrodeChannelCalibrationExpired(channel));
}

QString ResultReplyFlow::apply(UnitIndex unit, qint16 channel, const Verdict& verdict, bool askExpiry)
{
    for (const QString& line : verdict.lines)
        write(line);
    if (verdict.code == QLatin1String("ERR") && verdict.lines.isEmpty())
        write(VerdictRules::dataErrorLine(electrodeName(unit, channel)));
    if (verdict.failureSound)
        playFailureSound();
    if (!askExpiry || !VerdictRules::isPass(verdict.code))
        return verdict.code;
    unit::Unit* link = unitAt(unit);
    return VerdictRules::withCalibrationExpiry(verdict.code, link && link->electrodeChannelCalibrationExpired(channel));
}

void ResultReplyFlow::recordMeasurement(UnitIndex unit, qint16 channel, const QString& label, double value,
                                        qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    m_services.recorder->recordChannelMeasurement(unit, channel, label, value, false, 0, 0.0, false, false,
                                                  intervalSeconds);
    m_schedule.markIntervalReadingTaken(unit, channel);
}

void ResultReplyFlow::recordPair(UnitIndex unit, qint16 channel, const QString& label, double value1, double value2,
                                 qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    m_services.recorder->recordChannelMeasurement(unit, channel, label, value1, false, 0, value2, true, false,
                                                  intervalSeconds);
    m_schedule.markIntervalReadingTaken(unit, channel);
}

void ResultReplyFlow::recordSDRPoint(UnitIndex unit, qint16 channel, int point, const QString& label, double value,
                                     qint32 intervalSeconds)
{
    if (!recordingAllowed())
        return;
    m_services.recorder->recordChannelMeasurement(unit, channel, label, value, true, point, 0.0, false, false,
                                                  intervalSeconds);
}

void ResultReplyFlow::recordResult(UnitIndex unit, qint16 channel, const QString& code)
{
    if (recordingAllowed())
        m_services.recorder->recordChannelResult(unit, channel, code, false);
}

void ResultReplyFlow::write(const QString& line)
{
    m_host.writeToCommTextBox(line, true, false);
}

void ResultReplyFlow::playFailureSound()
{
    platform::playFailureSound();
}

} // namespace run
