#include "run/MeasurementSchedule.h"

#include <stdexcept>
#include <string>

namespace run {

namespace {

bool is(const QString& type, const char* name)
{
    return type == QLatin1String(name);
}

// The intervals of DCO, ACLG and DEFR: every 20 s, with 60 moved to 70.
qint32 nextTwentySecondMark(qint32 current)
{
    const qint32 next = current + 20;
    return next == 60 ? 70 : next;
}

} // namespace

std::size_t MeasurementSchedule::checkedChannel(UnitIndex unit, int channel)
{
    if (channel < 0 || channel > 15)
        throw std::out_of_range("interval reading of unit " + std::to_string(unit.number()) + ", channel "
                                + std::to_string(channel));
    return std::size_t(channel);
}

void MeasurementSchedule::setNextMeasurementTime(const QString& testType, bool first)
{
    for (auto& unit : m_intervalReadingTaken)
        unit.fill(first);

    const qint32 old = m_nextMeasurementTime;
    qint32 next = old;
    if (is(testType, "DCO") || is(testType, "ACLG") || is(testType, "DEFR"))
        next = first ? 20 : nextTwentySecondMark(old);
    else if (is(testType, "ACZ") || is(testType, "ACZ30"))
        next = first ? 10 : 999;
    else if (is(testType, "SDR"))
        next = first ? 10 : old;
    else if (is(testType, "NOISE"))
        next = first ? 60 : old + 30;
    else if (is(testType, "BIAS"))
        next = first ? m_biasSampleSeconds : old + m_biasSampleSeconds;

    m_previousMeasurementTime = first ? 0 : old;
    m_nextMeasurementTime = next;
}

bool MeasurementSchedule::intervalOpensNow(const QString& testType) const
{
    if (is(testType, "NOISE") && m_nextMeasurementTime == 60)
        return m_elapsedSeconds == 65;
    return m_elapsedSeconds == m_nextMeasurementTime;
}

void MeasurementSchedule::openIntervalAt(qint32 previous)
{
    for (auto& unit : m_intervalReadingTaken)
        unit.fill(false);
    m_previousMeasurementTime = previous;
}

bool MeasurementSchedule::intervalReadingDue(UnitIndex unit, int channel) const
{
    return !m_intervalReadingTaken[unit][checkedChannel(unit, channel)];
}

void MeasurementSchedule::markIntervalReadingTaken(UnitIndex unit, int channel)
{
    m_intervalReadingTaken[unit][checkedChannel(unit, channel)] = true;
}

void MeasurementSchedule::setOverrunSeconds(qint32 resendSecond)
{
    m_resendSecond = resendSecond;
    m_abortSecond = resendSecond + 10;
}

void MeasurementSchedule::resync(Resync test, qint32 unitSecond)
{
    if (!resyncPending(test))
        return;
    m_elapsedSeconds = unitSecond;
    setResyncPending(test, false);
}

void MeasurementSchedule::startBias(qint32 sampleSeconds, qint32 maxSeconds, const QDateTime& utcStart)
{
    m_biasSampleSeconds = sampleSeconds;
    m_biasMaxSeconds = maxSeconds;
    m_biasUtcStart = utcStart;
}

} // namespace run
