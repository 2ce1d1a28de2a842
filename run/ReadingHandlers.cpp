#include "run/ReadingHandlers.h"

#include "config/Log.h"

#include <exception>

namespace {

// A reply that cannot be handled is logged; the unit link's receive path
// goes on with the next reply.
template <typename F>
void Guarded(const char* test, F&& handle)
{
    try {
        handle();
    } catch (const std::exception& e) {
        modMain::WriteLog(QStringLiteral("* ") + QLatin1String(test) + QStringLiteral(" reply not handled: ")
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

void ResultHandlers::RXACZTestData(int Index, qint16 vCommChannelID, const AczReading& reading)
{
    Guarded("ACZ", [&] { m_impedance.RXACZTestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXACZ30TestData(int Index, qint16 vCommChannelID, const Acz30Reading& reading)
{
    Guarded("ACZ30", [&] { m_impedance.RXACZ30TestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXACZ30ZeroTestData(int Index, qint16 vCommChannelID, qint16 vZeroValue)
{
    Guarded("ACZ30 zero", [&] { m_impedance.RXACZ30ZeroTestData(Index, vCommChannelID, vZeroValue); });
}

void ResultHandlers::RXACLGAck(int Index)
{
    Guarded("ACLG start", [&] { m_aclg.RXACLGAck(Index); });
}

void ResultHandlers::RXACLGTestData(int Index, qint16 vCommChannelID, const AclgReading& reading)
{
    Guarded("ACLG", [&] { m_aclg.RXACLGTestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXZamo24ACLGTestData(int Index, qint16 vCommChannelID, const Zamo24AclgReading& reading)
{
    Guarded("ACLG", [&] { m_aclg.RXZamo24ACLGTestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXDefibRecoveryAck(int Index)
{
    Guarded("DEFR start", [&] { m_defib.RXDefibRecoveryAck(Index); });
}

void ResultHandlers::RXDefibRecoveryTestData(int Index, qint16 vCommChannelID, const DefibRecoveryReading& reading)
{
    Guarded("DEFR", [&] { m_defib.RXDefibRecoveryTestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXDCOTestData(int Index, qint16 vCommChannelID, const DcoReading& reading)
{
    Guarded("DCO", [&] { m_offsetNoiseBias.RXDCOTestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXNoiseTestData(int Index, qint16 vCommChannelID, const NoiseReading& reading)
{
    Guarded("NOISE", [&] { m_offsetNoiseBias.RXNoiseTestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXBiasTestData(int Index, qint16 vCommChannelID, const BiasReading& reading)
{
    Guarded("BIAS", [&] { m_offsetNoiseBias.RXBiasTestData(Index, vCommChannelID, reading); });
}

void ResultHandlers::RXSDRTestData(int Index, qint16 vCommChannelID, const SdrReading& reading)
{
    Guarded("SDR", [&] { m_sdr.RXSDRTestData(Index, vCommChannelID, reading); });
}
