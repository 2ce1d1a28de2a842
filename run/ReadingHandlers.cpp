#include "run/ReadingHandlers.h"

#include "config/Log.h"
#include "run/RunState.h"
#include "testlists/TestStep.h"

#include <exception>

namespace run {

namespace {

// A reply that cannot be handled is logged; the unit link's receive path
// goes on with the next reply.
template <typename F>
void guarded(const QString& test, F&& handle)
{
    try {
        handle();
    } catch (const std::exception& e) {
        config::writeLog(QStringLiteral("* ") + test + QStringLiteral(" reply not handled: ")
                         + QString::fromUtf8(e.what()));
    }
}

} // namespace

ResultHandlers::ResultHandlers(const RunUnits& units, RunState& state, MeasurementSchedule& schedule,
                               ChargeSequence& charge, AclgSums& aclgSums, Zamo80RunPlan& plan, RunServices& services,
                               const config::StationSettings& settings, RunHost& host)
    : m_state(state),
      m_flow(units, state, schedule, charge, aclgSums, plan, services, settings, host),
      m_impedance(m_flow),
      m_aclg(m_flow),
      m_defib(m_flow),
      m_offsetNoiseBias(m_flow),
      m_sdr(m_flow),
      m_unreadable(m_flow)
{
}

bool ResultHandlers::acceptReply(const RunState& state, int unit, qint16 channel, const QString& testType)
{
    if (state.testRunning || state.calibrationMode)
        return true;
    const auto electrode = qint16((unit - 1) * 16 + channel);
    const QString source = channel >= 0 && channel < 16 && electrode >= 0 && electrode < 32
                               ? QStringLiteral("Electrode ") + testlists::TestStep::findElectrodeNameByIndex(electrode)
                               : QStringLiteral("Unit #") + QString::number(unit);
    config::writeLog(QStringLiteral("* ") + testType + QStringLiteral(" reply from ") + source
                     + QStringLiteral(" after the end of the run ignored"));
    return false;
}

void ResultHandlers::handle(const unit::UnitReply& reply)
{
    const qint16 channel = reply.channel;
    // A reading of no unit of the station is gated and then dropped.
    const std::optional<UnitIndex> unit = UnitIndex::fromNumber(reply.unit);
    // gateName: the test as the end-of-run gate logs it; logName: as a failed handling logs it.
    const auto result = [&](const char* gateName, const char* logName, auto&& handle) {
        if (acceptReply(m_state, reply.unit, channel, QLatin1String(gateName)) && unit)
            guarded(QLatin1String(logName), handle);
    };
    // A start acknowledgement belongs to the unit, not to one electrode.
    const auto start = [&](const char* name, auto&& handle) {
        if (acceptReply(m_state, reply.unit, -1, QLatin1String(name)))
            guarded(QLatin1String(name), handle);
    };
    std::visit(
        unit::Overloaded{
            [&](const unit::AczReading& r) {
                result("ACZ", "ACZ", [&] { m_impedance.aczReading(*unit, channel, r); });
            },
            [&](const unit::Acz30Reading& r) {
                result("ACZ30", "ACZ30", [&] { m_impedance.acz30Reading(*unit, channel, r); });
            },
            [&](const unit::Acz30Zero& r) {
                result("ACZ30ZERO", "ACZ30 zero", [&] { m_impedance.acz30Zero(*unit, channel, r); });
            },
            [&](const unit::AclgAck&) { start("ACLG start", [&] { m_aclg.aclgStarted(); }); },
            [&](const unit::AclgReading& r) { result("ACLG", "ACLG", [&] { m_aclg.aclgReading(*unit, channel, r); }); },
            [&](const unit::Zamo24AclgReading& r) {
                result("ACLG", "ACLG", [&] { m_aclg.zamo24AclgReading(*unit, channel, r); });
            },
            [&](const unit::DefibRecoveryAck&) { start("DEFR start", [&] { m_defib.defibRecoveryStarted(); }); },
            [&](const unit::DefibRecoveryReading& r) {
                result("DEFR", "DEFR", [&] { m_defib.defibRecoveryReading(*unit, channel, r); });
            },
            [&](const unit::NoiseReading& r) {
                result("NOISE", "NOISE", [&] { m_offsetNoiseBias.noiseReading(*unit, channel, r); });
            },
            [&](const unit::DcoReading& r) {
                result("DCO", "DCO", [&] { m_offsetNoiseBias.dcoReading(*unit, channel, r); });
            },
            [&](const unit::BiasReading& r) {
                result("BIAS", "BIAS", [&] { m_offsetNoiseBias.biasReading(*unit, channel, r); });
            },
            [&](const unit::SdrReading& r) { result("SDR", "SDR", [&] { m_sdr.sdrReading(*unit, channel, r); }); },
            [&](const unit::UnreadableReading& r) {
                const char* name = UnreadableResults::testName(r.kind);
                result(name, name, [&] { m_unreadable.reading(*unit, channel, r); });
            },
            [](const auto&) {},
        },
        reply.value);
}

} // namespace run
