#include "run/SdrResults.h"

#include "run/FamilyVerdicts.h"
#include "run/MeasurementSchedule.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

#include <array>

namespace run {

void SdrResults::sdrReading(UnitIndex unit, qint16 channel, const unit::SdrReading& r)
{
    if (!VerdictRules::validChannel(channel))
        return;
    RunState& state = m_flow.state();
    if (r.completed)
        state.startPhase = false;
    if (!m_flow.isFinal(r.completed)) {
        m_flow.schedule().resync(MeasurementSchedule::Resync::Sdr, r.second);
        m_flow.takeInterim(unit, channel);
        return;
    }

    m_flow.writeCompletion(QStringLiteral("SDR"), unit, channel);
    const bool supplyFailed =
        r.supply200VOk == FamilyVerdicts::SupplyFailed || r.supply2VOk == FamilyVerdicts::SupplyFailed;
    const bool badWords =
        r.zero < 1 || r.ref50mV < 1 || r.initial < 1 || r.measure1 < 1 || r.measure2 < 1 || r.measure3 < 1;
    const std::array<double, 4> readings{r.initialMeasurement, r.rate1, r.rate2, r.rate3};
    bool notNumbers = false;
    for (double v : readings)
        notNumbers = notNumbers || !VerdictRules::isNumber(v);
    // A failed supply is the verdict, whatever the other words say.
    const bool bad = !supplyFailed && (badWords || notNumbers);
    switch (m_flow.checkFinalData(unit, channel, bad, 0.0)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted: m_flow.endWithERR(unit, channel); return;
    case ResultReplyFlow::DataCheck::Good: {
        static const std::array<qint32, 4> seconds{5, 15, 25, 35};
        for (int point = 1; point <= 4; ++point) {
            const double v = readings[std::size_t(point - 1)];
            // A reading the unit could not make (a failed supply) leaves its cell empty.
            if (VerdictRules::isNumber(v))
                m_flow.recordSDRPoint(unit, channel, point, QString::number(seconds[std::size_t(point - 1)]), v,
                                      seconds[std::size_t(point - 1)]);
        }
        break;
    }
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }
    m_flow.schedule().resync(MeasurementSchedule::Resync::Sdr, r.second);

    const Verdict verdict =
        FamilyVerdicts::SDR(r.supply200VOk, r.supply2VOk, r.initialMeasurement, r.rate1, r.rate2, r.rate3,
                            VerdictLimits::limitsFor(QStringLiteral("SDRDCO"), false, m_flow.limits()),
                            VerdictLimits::limitsFor(QStringLiteral("SDRSlope"), false, m_flow.limits()));
    const QString code = m_flow.apply(unit, channel, verdict, m_flow.recordingAllowed());
    m_flow.recordResult(unit, channel, code);
}

} // namespace run
