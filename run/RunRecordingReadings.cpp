#include "run/RunRecording.h"

#include "results/RunRecordWriters.h"
#include "results/WriterSupport.h"
#include "run/RunState.h"
#include "unit/Unit.h"

namespace {

QString Reading(double value)
{
    return QString::number(value, 'f', 3);
}

QString ResultText(const QString& result)
{
    if (result == QLatin1String("PASS"))
        return QStringLiteral("Passed");
    if (result == QLatin1String("FAIL"))
        return QStringLiteral("Failed");
    if (result == QLatin1String("PASS?"))
        return QStringLiteral("Marginal Pass");
    if (result == QLatin1String("PASS*"))
        return QStringLiteral("Passed with Expired Channel");
    return result;
}

bool ValidChannel(int unit, int channel)
{
    return (unit == 1 || unit == 2) && channel >= 0 && channel < 16;
}

} // namespace

QString RunRecording::FormatHoursMinutes(qint32 seconds)
{
    return QString::number(seconds / 3600) + QLatin1Char(':')
           + QStringLiteral("%1").arg((seconds % 3600) / 60, 2, 10, QLatin1Char('0'));
}

void RunRecording::RecordChannelMeasurement(int unit, int channel, const QString& label, double value,
                                            bool useSDRPoint, int sdrPoint, double value2, bool twoReadings,
                                            bool inhibitDisplay, qint32 intervalSeconds)
{
    if (!ValidChannel(unit, channel) || (useSDRPoint && (sdrPoint < 1 || sdrPoint > 4)))
        return;
    const QString displayLabel = label + (label.contains(QLatin1Char(':')) ? QStringLiteral(" (h:m)") : QStringLiteral("s"));
    const QString letter = modDatabase::ChannelLetter(channel);
    const QString electrode = letter + QString::number(unit);
    const ReadingBatch::Slot slot{useSDRPoint ? ReadingBatch::Slot::Kind::SDRPoint : ReadingBatch::Slot::Kind::Measurement,
                                  unit, useSDRPoint ? sdrPoint : 0};
    const qint32 testUnit = m_state.Keys.CurrentTestUnitID[std::size_t(unit)];
    const QString at = QStringLiteral(" at ") + displayLabel + QStringLiteral(" interval: ");

    if (m_pending.isEmpty())
        m_pendingGroup = m_state.Keys.CurrentGroupID;
    m_pending.startRecord(QStringLiteral("the measurement of ") + electrode, inhibitDisplay);
    if (!twoReadings) {
        m_pending.addMeasurement(slot, Key(slot), m_storedIntervals, testUnit, label, intervalSeconds, letter, value);
        m_pending.addLine(QStringLiteral("Measurement recorded for ") + electrode + at + Reading(value));
    } else {
        m_pending.addMeasurement(slot, Key(slot), m_storedIntervals, testUnit, label + QStringLiteral("_R1"),
                                 intervalSeconds, letter, value);
        m_pending.addMeasurement(slot, Key(slot), m_storedIntervals, testUnit, label + QStringLiteral("_R2"),
                                 intervalSeconds, letter, value2);
        m_pending.addLine(QStringLiteral("R1 Measurement recorded for ") + electrode + at + Reading(value));
        m_pending.addLine(QStringLiteral("R2 Measurement recorded for ") + electrode + at + Reading(value2));
    }
    PostFlush();
    // The reading is kept on the unit whatever the database does.
    if (UnitLink* link = Unit(unit))
        link->SetElectrodeLastMeasurement(static_cast<qint16>(channel), value, twoReadings ? value2 : 0);
    m_state.IntervalReadingTaken[std::size_t(unit - 1)][std::size_t(channel)] = true;
}

void RunRecording::RecordChannelResult(int unit, int channel, const QString& result, bool inhibitDisplay)
{
    if (!ValidChannel(unit, channel))
        return;
    const QString letter = modDatabase::ChannelLetter(channel);
    const QString electrode = letter + QString::number(unit);
    const ReadingBatch::Slot slot{ReadingBatch::Slot::Kind::Result, unit, 0};
    if (m_pending.isEmpty())
        m_pendingGroup = m_state.Keys.CurrentGroupID;
    m_pending.startRecord(QStringLiteral("the result of ") + electrode, inhibitDisplay);
    m_pending.addResult(slot, Key(slot), m_state.Keys.CurrentTestUnitID[std::size_t(unit)], letter, result);
    m_pending.addLine(QStringLiteral("Final result recorded for ") + electrode + QStringLiteral(": ") + ResultText(result));
    PostFlush();
}

void RunRecording::RecordPaceTestResult(int vUnitID, int vElectrodeIndex, qint32 vDuration, bool vSecondary,
                                        clsTestSequence& pTest, bool vPadsRolled, bool vRolledStatusMsgOnly)
{
    if (!ValidChannel(vUnitID, vElectrodeIndex))
        return;
    const QString duration = QString::number(vDuration / 60) + QStringLiteral("m ") + QString::number(vDuration % 60)
                             + QStringLiteral("s");
    const QString roll = vPadsRolled ? QStringLiteral("ROLLED") : QString();
    const QString letter = modDatabase::ChannelLetter(vElectrodeIndex);
    const QString electrode = letter + QString::number(vUnitID);
    if (vRolledStatusMsgOnly) {
        if (vPadsRolled)
            Log(electrode + QStringLiteral(" Pads ROLLED"));
        return;
    }

    Write(QStringLiteral("the PACE result of ") + electrode, [&] {
        if (vSecondary) {
            if (vUnitID == 1)
                pTest.setPaceDBTestResultID1(
                    modDatabase::RecordResult(pTest.PaceDBTestResultID1(), pTest.PaceDBTestUnitID1(), letter, duration));
            else
                pTest.setPaceDBTestResultID2(
                    modDatabase::RecordResult(pTest.PaceDBTestResultID2(), pTest.PaceDBTestUnitID2(), letter, duration));
        } else {
            RunRecordKeys& keys = m_state.Keys;
            qint32& row = keys.CurrentResultID[std::size_t(vUnitID)];
            row = modDatabase::RecordResult(row, keys.CurrentTestUnitID[std::size_t(vUnitID)], letter, duration);
        }
    });

    const QString type = pTest.TestType();
    const qint16 paceType = type == QLatin1String("PACE1") ? 1 : type == QLatin1String("PACE2") ? 2 : 0;
    if (Zamo24() && paceType != 0) {
        UnitLink* link = Unit(vUnitID);
        const auto channel = static_cast<qint16>(vElectrodeIndex);
        Write(QStringLiteral("the PACE settings of ") + electrode, [&] {
            modDatabase::RecordPaceProperties(m_state.Keys.CurrentGroupID, vUnitID, letter, roll,
                                              link ? link->GetPaceAmplitude(channel, paceType) : 0,
                                              link ? link->GetPaceBPM(channel, paceType) : 0,
                                              link ? link->GetPacePulseWidth(channel, paceType) : 0);
        });
    }
    Log(QStringLiteral("PACE completed for ") + electrode + QStringLiteral(": ") + duration + QLatin1Char(' ') + roll);
}
