#include "run/ReadingHandlers.h"

#include "config/Log.h"

#include <exception>

namespace run {

namespace {

// A reply that cannot be handled is logged; the unit link's receive path
// goes on with the next reply.
template <typename F>
void guarded(const char* test, F&& handle)
{
    try {
        handle();
    } catch (const std::exception& e) {
        config::writeLog(QStringLiteral("* ") + QLatin1String(test) + QStringLiteral(" reply not handled: ")
                         + QString::fromUtf8(e.what()));
    }
}

} // namespace

ResultHandlers::ResultHandlers(RunSequencer& sequencer, RunHost& host)
    : m_flow(sequencer, host),
      m_impedance(m_flow),
      m_aclg(m_flow),
      m_defib(m_flow),
      m_offsetNoiseBias(m_flow),
      m_sdr(m_flow)
{
}

void ResultHandlers::rxaczTestData(int Index, qint16 commChannelID, const unit::AczReading& reading)
{
    guarded("ACZ", [&] { m_impedance.rxaczTestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxacz30TestData(int Index, qint16 commChannelID, const unit::Acz30Reading& reading)
{
    guarded("ACZ30", [&] { m_impedance.rxacz30TestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxacz30ZeroTestData(int Index, qint16 commChannelID, qint16 zeroValue)
{
    guarded("ACZ30 zero", [&] { m_impedance.rxacz30ZeroTestData(Index, commChannelID, zeroValue); });
}

void ResultHandlers::rxaclgAck(int Index)
{
    guarded("ACLG start", [&] { m_aclg.rxaclgAck(Index); });
}

void ResultHandlers::rxaclgTestData(int Index, qint16 commChannelID, const unit::AclgReading& reading)
{
    guarded("ACLG", [&] { m_aclg.rxaclgTestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxZamo24ACLGTestData(int Index, qint16 commChannelID, const unit::Zamo24AclgReading& reading)
{
    guarded("ACLG", [&] { m_aclg.rxZamo24ACLGTestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxDefibRecoveryAck(int Index)
{
    guarded("DEFR start", [&] { m_defib.rxDefibRecoveryAck(Index); });
}

void ResultHandlers::rxDefibRecoveryTestData(int Index, qint16 commChannelID, const unit::DefibRecoveryReading& reading)
{
    guarded("DEFR", [&] { m_defib.rxDefibRecoveryTestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxdcoTestData(int Index, qint16 commChannelID, const unit::DcoReading& reading)
{
    guarded("DCO", [&] { m_offsetNoiseBias.rxdcoTestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxNoiseTestData(int Index, qint16 commChannelID, const unit::NoiseReading& reading)
{
    guarded("NOISE", [&] { m_offsetNoiseBias.rxNoiseTestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxBiasTestData(int Index, qint16 commChannelID, const unit::BiasReading& reading)
{
    guarded("BIAS", [&] { m_offsetNoiseBias.rxBiasTestData(Index, commChannelID, reading); });
}

void ResultHandlers::rxsdrTestData(int Index, qint16 commChannelID, const unit::SdrReading& reading)
{
    guarded("SDR", [&] { m_sdr.rxsdrTestData(Index, commChannelID, reading); });
}

} // namespace run
