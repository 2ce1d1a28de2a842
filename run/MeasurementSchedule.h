#pragma once
// The clock and the interim-reading schedule of the active step: its
// elapsed second, the second at which the next measurement interval opens,
// which channels still owe the reading of the current interval, the
// seconds at which an unfinished step is asked to resend and is aborted,
// the BIAS sample and maximum times, and the resynchronisation that the
// first reading of a DCO, NOISE or SDR step brings.

#include "run/UnitIndex.h"

#include <QDateTime>
#include <QString>

#include <array>

namespace run {

class MeasurementSchedule {
public:
    // The tests whose first reading sets the step's clock to the unit's second.
    enum class Resync { Dco, Noise, Sdr };

    qint32 elapsedSeconds() const { return m_elapsedSeconds; }
    void setElapsedSeconds(qint32 seconds) { m_elapsedSeconds = seconds; }
    void advanceSecond() { ++m_elapsedSeconds; }

    // Opens the first interval of the step's test type (first) or the next one.
    // At a step start no interim reading counts before the first interval; when
    // an interval opens, every channel's next reading is due.
    void setNextMeasurementTime(const QString& testType, bool first);
    // True when the tick at the current elapsed second opens the next interval.
    // A NOISE step opens its first interval at second 65 rather than 60.
    bool intervalOpensNow(const QString& testType) const;
    qint32 nextMeasurementTime() const { return m_nextMeasurementTime; }
    // The second at which the current interval opened.
    qint32 previousMeasurementTime() const { return m_previousMeasurementTime; }
    // The current interval opened at second previous, every reading of it
    // due, as the tick at that second leaves it.
    void openIntervalAt(qint32 previous);
    // The next interval opens at second next.
    void setNextMeasurementSecond(qint32 next) { m_nextMeasurementTime = next; }

    // True while the channel's interim reading of the current interval is
    // still due. channel 0..15; anything else throws std::out_of_range.
    bool intervalReadingDue(UnitIndex unit, int channel) const;
    // The channel's interim reading of the current interval is in.
    void markIntervalReadingTaken(UnitIndex unit, int channel);

    // An unfinished step is asked to resend at resendSecond and aborted 10 s later.
    void setOverrunSeconds(qint32 resendSecond);
    qint32 resendSecond() const { return m_resendSecond; }
    qint32 abortSecond() const { return m_abortSecond; }

    // A BIAS step: its sample time, its maximum duration and its UTC start.
    void startBias(qint32 sampleSeconds, qint32 maxSeconds, const QDateTime& utcStart);
    void setBiasSampleSeconds(qint32 seconds) { m_biasSampleSeconds = seconds; }
    qint32 biasMaxSeconds() const { return m_biasMaxSeconds; }
    // The maximum duration was reached: it is not reached again.
    void endBiasMaximum() { m_biasMaxSeconds = 9999999; }
    const QDateTime& biasUtcStart() const { return m_biasUtcStart; }
    void setBiasUtcStart(const QDateTime& start) { m_biasUtcStart = start; }

    bool resyncPending(Resync test) const { return m_resyncPending[std::size_t(test)]; }
    void setResyncPending(Resync test, bool pending) { m_resyncPending[std::size_t(test)] = pending; }
    // The first interim reading of such a step sets the step's clock to the
    // unit's second, once.
    void resync(Resync test, qint32 unitSecond);

private:
    static std::size_t checkedChannel(UnitIndex unit, int channel);

    qint32 m_elapsedSeconds = 0;
    qint32 m_nextMeasurementTime = 0;
    qint32 m_previousMeasurementTime = 0;
    PerUnit<std::array<bool, 16>> m_intervalReadingTaken;
    qint32 m_resendSecond = 0;
    qint32 m_abortSecond = 0;
    qint32 m_biasSampleSeconds = 0;
    qint32 m_biasMaxSeconds = 0;
    QDateTime m_biasUtcStart;
    std::array<bool, 3> m_resyncPending{};
};

} // namespace run
