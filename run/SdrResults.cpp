#include "run/SdrResults.h"

#include "run/FamilyVerdicts.h"
#include "run/ReadingFlow.h"
#include "run/RunState.h"
#include "run/VerdictLimits.h"
#include "run/VerdictRules.h"

#include <array>

void SDRResults::RXSDRTestData(int Index, qint16 vCommChannelID, const SdrReading& r)
{
    const bool vCompleted = r.completed;
    if (!VerdictRules::ValidChannel(Index, vCommChannelID))
        return;
    RunState& state = m_flow.State();
    if (vCompleted)
        state.StartupFlag = false;
    if (!m_flow.IsFinal(vCompleted)) {
        Resync(r.second);
        m_flow.TakeInterim(Index, vCommChannelID);
        return;
    }

    m_flow.WriteCompletion(QStringLiteral("SDR"), Index, vCommChannelID);
    const bool supplyFailed =
        r.supply200VOk == FamilyVerdicts::SupplyFailed || r.supply2VOk == FamilyVerdicts::SupplyFailed;
    const bool badWords =
        r.zero < 1 || r.ref50mV < 1 || r.initial < 1 || r.measure1 < 1 || r.measure2 < 1 || r.measure3 < 1;
    const std::array<double, 4> readings{r.initialMeasurement, r.rate1, r.rate2, r.rate3};
    bool notNumbers = false;
    for (double v : readings)
        notNumbers = notNumbers || !VerdictRules::IsNumber(v);
    // A failed supply is the verdict, whatever the other words say.
    const bool bad = !supplyFailed && (badWords || notNumbers);
    switch (m_flow.CheckFinalData(Index, vCommChannelID, bad, 0.0)) {
    case ResultReplyFlow::DataCheck::Retransmit: return;
    case ResultReplyFlow::DataCheck::Exhausted: m_flow.EndWithERR(Index, vCommChannelID); return;
    case ResultReplyFlow::DataCheck::Good: {
        static const std::array<qint32, 4> seconds{5, 15, 25, 35};
        for (int point = 1; point <= 4; ++point) {
            const double v = readings[std::size_t(point - 1)];
            // A reading the unit could not make (a failed supply) leaves its cell empty.
            if (VerdictRules::IsNumber(v))
                m_flow.RecordSDRPoint(Index, vCommChannelID, point, QString::number(seconds[std::size_t(point - 1)]), v,
                                      seconds[std::size_t(point - 1)]);
        }
        break;
    }
    case ResultReplyFlow::DataCheck::NotRecorded: break;
    }
    Resync(r.second);

    const Verdict verdict = FamilyVerdicts::SDR(r.supply200VOk, r.supply2VOk, r.initialMeasurement, r.rate1, r.rate2,
                                                r.rate3, VerdictLimits::For(QStringLiteral("SDRDCO"), false, m_flow.Limits()),
                                                VerdictLimits::For(QStringLiteral("SDRSlope"), false, m_flow.Limits()));
    const QString code = m_flow.Apply(Index, vCommChannelID, verdict, m_flow.RecordingAllowed());
    m_flow.RecordResult(Index, vCommChannelID, code);
}

void SDRResults::Resync(qint16 vSecond)
{
    RunState& state = m_flow.State();
    if (!state.SDRResyncPending)
        return;
    state.ElapsedSeconds = vSecond;
    state.SDRResyncPending = false;
}
