#include "run/ReadingFlow.h"

#include "config/StationSettings.h"
#include "platform/Sounds.h"
#include "run/MeasurementSchedule.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "run/VerdictRules.h"
#include "unit/Unit.h"

using VerdictRules::ElectrodeIndex;
using VerdictRules::ElectrodeName;

ResultReplyFlow::ResultReplyFlow(RunSequencer& sequencer, RunHost& host) : m_sequencer(sequencer), m_host(host) {}

RunState& ResultReplyFlow::State()
{
    return m_sequencer.State();
}

const config::Limits& ResultReplyFlow::Limits() const
{
    return m_sequencer.Settings().limits;
}

UnitLink* ResultReplyFlow::Unit(int vUnit) const
{
    return m_sequencer.Unit(vUnit);
}

bool ResultReplyFlow::RecordingAllowed() const
{
    const RunState& state = m_sequencer.State();
    return !state.calibrationMode || state.burnInRunning;
}

bool ResultReplyFlow::IsFinal(bool vCompleted) const
{
    return VerdictRules::IsFinal(vCompleted, m_sequencer.State().StartupFlag);
}

bool ResultReplyFlow::TakeInterim(int vUnit, qint16 vChannel)
{
    if (!MeasurementSchedule::IntervalReadingDue(State(), vUnit, vChannel))
        return false;
    State().StartupFlag = false;
    return true;
}

void ResultReplyFlow::RecordInterim(int vUnit, qint16 vChannel, double vValue, bool vGoodData, const QString& vLabel,
                                    qint32 vIntervalSeconds)
{
    if (!RecordingAllowed())
        return;
    if (const auto& test = State().pActiveTest)
        test->ClearElectrodeErrorCount(ElectrodeIndex(vUnit, vChannel));
    double value = vValue;
    if (!vGoodData || !VerdictRules::IsNumber(vValue)) {
        UnitLink* unit = Unit(vUnit);
        value = unit ? unit->GetElectrodeLastMeasurement(vChannel) : 0.0;
    }
    RecordMeasurement(vUnit, vChannel, vLabel, value, vIntervalSeconds);
}

void ResultReplyFlow::RecordInterimPair(int vUnit, qint16 vChannel, double vValue1, double vValue2, bool vGoodData,
                                        const QString& vLabel, qint32 vIntervalSeconds)
{
    if (!RecordingAllowed())
        return;
    if (const auto& test = State().pActiveTest)
        test->ClearElectrodeErrorCount(ElectrodeIndex(vUnit, vChannel));
    if (!vGoodData || !VerdictRules::IsNumber(vValue1) || !VerdictRules::IsNumber(vValue2)) {
        UnitLink* unit = Unit(vUnit);
        vValue1 = unit ? unit->GetElectrodeLastMeasurement(vChannel) : 0.0;
        vValue2 = unit ? unit->GetElectrodeLastMeasurement2(vChannel) : 0.0;
    }
    RecordPair(vUnit, vChannel, vLabel, vValue1, vValue2, vIntervalSeconds);
}

void ResultReplyFlow::WriteCompletion(const QString& vTestName, int vUnit, qint16 vChannel)
{
    Write(VerdictRules::CompletionLine(vTestName, ElectrodeName(vUnit, vChannel)));
}

ResultReplyFlow::DataCheck ResultReplyFlow::CheckFinalData(int vUnit, qint16 vChannel, bool vBadData, double vValue)
{
    const auto& test = State().pActiveTest;
    if (!RecordingAllowed() || !test)
        return DataCheck::NotRecorded;
    const qint16 electrode = ElectrodeIndex(vUnit, vChannel);
    if (vBadData || !VerdictRules::IsNumber(vValue)) {
        if (test->IncrementErrorCount(electrode) < VerdictRules::MaxDataErrors) {
            if (UnitLink* unit = Unit(vUnit))
                unit->TXResendLastData(vChannel);
            Write(VerdictRules::RetransmissionLine(ElectrodeName(vUnit, vChannel)));
            return DataCheck::Retransmit;
        }
        return DataCheck::Exhausted;
    }
    test->SetElectrodeTestComplete(electrode);
    test->ClearElectrodeErrorCount(electrode);
    return DataCheck::Good;
}

void ResultReplyFlow::EndWithDataError(int vUnit, qint16 vChannel, const QString& vCode, const QString& vLine,
                                       const std::function<void()>& vBeforeSound)
{
    Write(vLine);
    if (const auto& test = State().pActiveTest) {
        const qint16 electrode = ElectrodeIndex(vUnit, vChannel);
        test->SetElectrodeTestComplete(electrode);
        test->ClearElectrodeErrorCount(electrode);
    }
    RecordResult(vUnit, vChannel, vCode);
    if (vBeforeSound)
        vBeforeSound();
    PlayFailureSound();
}

void ResultReplyFlow::EndWithERR(int vUnit, qint16 vChannel, const std::function<void()>& vBeforeSound)
{
    EndWithDataError(vUnit, vChannel, QStringLiteral("ERR"), VerdictRules::DataErrorLine(ElectrodeName(vUnit, vChannel)),
                     vBeforeSound);
}

QString ResultReplyFlow::Judge(int vUnit, qint16 vChannel, double vValue, const LimitPair& vLimits)
{
    const QString code = VerdictRules::Judge(vValue, vLimits.limit, vLimits.warning);
    if (!VerdictRules::IsPass(code)) {
        Write(code == QLatin1String("FAIL") ? VerdictRules::FailLine(vValue, vLimits.limit)
                                            : VerdictRules::DataErrorLine(ElectrodeName(vUnit, vChannel)));
        PlayFailureSound();
        return code;
    }
    UnitLink* unit = Unit(vUnit);
    return VerdictRules::WithCalibrationExpiry(code, unit && unit->ElectrodeChannelCalibrationExpired(vChannel));
}

QString ResultReplyFlow::Apply(int vUnit, qint16 vChannel, const Verdict& vVerdict, bool vAskExpiry)
{
    for (const QString& line : vVerdict.lines)
        Write(line);
    if (vVerdict.code == QLatin1String("ERR") && vVerdict.lines.isEmpty())
        Write(VerdictRules::DataErrorLine(ElectrodeName(vUnit, vChannel)));
    if (vVerdict.failureSound)
        PlayFailureSound();
    if (!vAskExpiry || !VerdictRules::IsPass(vVerdict.code))
        return vVerdict.code;
    UnitLink* unit = Unit(vUnit);
    return VerdictRules::WithCalibrationExpiry(vVerdict.code, unit && unit->ElectrodeChannelCalibrationExpired(vChannel));
}

void ResultReplyFlow::RecordMeasurement(int vUnit, qint16 vChannel, const QString& vLabel, double vValue,
                                        qint32 vIntervalSeconds)
{
    if (!RecordingAllowed())
        return;
    m_sequencer.Services().recorder->RecordChannelMeasurement(vUnit, vChannel, vLabel, vValue, false, 0, 0.0, false,
                                                              false, vIntervalSeconds);
    MeasurementSchedule::MarkIntervalReadingTaken(State(), vUnit, vChannel);
}

void ResultReplyFlow::RecordPair(int vUnit, qint16 vChannel, const QString& vLabel, double vValue1, double vValue2,
                                 qint32 vIntervalSeconds)
{
    if (!RecordingAllowed())
        return;
    m_sequencer.Services().recorder->RecordChannelMeasurement(vUnit, vChannel, vLabel, vValue1, false, 0, vValue2,
                                                              true, false, vIntervalSeconds);
    MeasurementSchedule::MarkIntervalReadingTaken(State(), vUnit, vChannel);
}

void ResultReplyFlow::RecordSDRPoint(int vUnit, qint16 vChannel, int vPoint, const QString& vLabel, double vValue,
                                     qint32 vIntervalSeconds)
{
    if (!RecordingAllowed())
        return;
    m_sequencer.Services().recorder->RecordChannelMeasurement(vUnit, vChannel, vLabel, vValue, true, vPoint, 0.0,
                                                              false, false, vIntervalSeconds);
}

void ResultReplyFlow::RecordResult(int vUnit, qint16 vChannel, const QString& vCode)
{
    if (RecordingAllowed())
        m_sequencer.Services().recorder->RecordChannelResult(vUnit, vChannel, vCode, false);
}

void ResultReplyFlow::Write(const QString& vLine)
{
    m_host.WriteToCommTextBox(vLine, true, false);
}

void ResultReplyFlow::PlayFailureSound()
{
    modPlaySound::PlayFailureSound();
}
