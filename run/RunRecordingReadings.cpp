#include "results/RunRecordWriters.h"
#include "results/WriterSupport.h"
#include "run/MeasurementSchedule.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "unit/Unit.h"

namespace run {

namespace {

QString Reading(double value)
{
    return QString::number(value, 'f', 3);
}

QString resultText(const QString& result)
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

bool validChannel(int channel)
{
    return channel >= 0 && channel < 16;
}

} // namespace

QString RunRecording::formatHoursMinutes(qint32 seconds)
{
    return QString::number(seconds / 3600) + QLatin1Char(':')
           + QStringLiteral("%1").arg((seconds % 3600) / 60, 2, 10, QLatin1Char('0'));
}

void RunRecording::recordChannelMeasurement(int unit, int channel, const QString& label, double value, bool useSDRPoint,
                                            int sdrPoint, double value2, bool twoReadings, bool inhibitDisplay,
                                            qint32 intervalSeconds)
{
    const std::optional<UnitIndex> index = UnitIndex::fromNumber(unit);
    if (!index || !validChannel(channel) || (useSDRPoint && (sdrPoint < 1 || sdrPoint > 4)))
        return;
    const QString displayLabel =
        label + (label.contains(QLatin1Char(':')) ? QStringLiteral(" (h:m)") : QStringLiteral("s"));
    const QString letter = results::channelLetter(channel);
    const QString electrode = letter + QString::number(unit);
    const ReadingBatch::Slot slot{useSDRPoint ? ReadingBatch::Slot::Kind::SDRPoint
                                              : ReadingBatch::Slot::Kind::Measurement,
                                  *index, useSDRPoint ? sdrPoint : 0};
    const qint32 testUnit = m_keys.testUnitId[*index];
    const QString at = QStringLiteral(" at ") + displayLabel + QStringLiteral(" interval: ");

    if (m_pending.isEmpty())
        m_pendingGroup = m_keys.groupId;
    m_pending.startRecord(QStringLiteral("the measurement of ") + electrode, inhibitDisplay);
    if (!twoReadings) {
        m_pending.addMeasurement(slot, key(slot), m_storedIntervals, testUnit, label, intervalSeconds, letter, value);
        m_pending.addLine(QStringLiteral("Measurement recorded for ") + electrode + at + Reading(value));
    } else {
        m_pending.addMeasurement(slot, key(slot), m_storedIntervals, testUnit, label + QStringLiteral("_R1"),
                                 intervalSeconds, letter, value);
        m_pending.addMeasurement(slot, key(slot), m_storedIntervals, testUnit, label + QStringLiteral("_R2"),
                                 intervalSeconds, letter, value2);
        m_pending.addLine(QStringLiteral("R1 Measurement recorded for ") + electrode + at + Reading(value));
        m_pending.addLine(QStringLiteral("R2 Measurement recorded for ") + electrode + at + Reading(value2));
    }
    postFlush();
    // The reading is kept on the unit whatever the database does.
    if (unit::Unit* link = unitAt(unit))
        link->setElectrodeLastMeasurement(static_cast<qint16>(channel), value, twoReadings ? value2 : 0);
    m_schedule.markIntervalReadingTaken(*index, channel);
}

void RunRecording::recordChannelResult(int unit, int channel, const QString& result, bool inhibitDisplay)
{
    const std::optional<UnitIndex> index = UnitIndex::fromNumber(unit);
    if (!index || !validChannel(channel))
        return;
    const QString letter = results::channelLetter(channel);
    const QString electrode = letter + QString::number(unit);
    const ReadingBatch::Slot slot{ReadingBatch::Slot::Kind::Result, *index, 0};
    if (m_pending.isEmpty())
        m_pendingGroup = m_keys.groupId;
    m_pending.startRecord(QStringLiteral("the result of ") + electrode, inhibitDisplay);
    m_pending.addResult(slot, key(slot), m_keys.testUnitId[*index], letter, result);
    m_pending.addLine(QStringLiteral("Final result recorded for ") + electrode + QStringLiteral(": ")
                      + resultText(result));
    postFlush();
}

void RunRecording::recordPaceTestResult(int unitID, int electrodeIndex, qint32 durationValue, bool secondary,
                                        testlists::TestStep& test, bool padsRolled, bool rolledStatusMsgOnly)
{
    const std::optional<UnitIndex> index = UnitIndex::fromNumber(unitID);
    if (!index || !validChannel(electrodeIndex))
        return;
    const QString duration = QString::number(durationValue / 60) + QStringLiteral("m ")
                             + QString::number(durationValue % 60) + QStringLiteral("s");
    const QString roll = padsRolled ? QStringLiteral("ROLLED") : QString();
    const QString letter = results::channelLetter(electrodeIndex);
    const QString electrode = letter + QString::number(unitID);
    if (rolledStatusMsgOnly) {
        if (padsRolled)
            log(electrode + QStringLiteral(" Pads ROLLED"));
        return;
    }

    write(QStringLiteral("the PACE result of ") + electrode, [&] {
        if (secondary) {
            if (unitID == 1)
                test.setPaceDBTestResultID1(
                    results::recordResult(m_database, test.paceDBTestResultID1(), test.paceDBTestUnitID1(), letter, duration));
            else
                test.setPaceDBTestResultID2(
                    results::recordResult(m_database, test.paceDBTestResultID2(), test.paceDBTestUnitID2(), letter, duration));
        } else {
            qint32& row = m_keys.resultId[*index];
            row = results::recordResult(m_database, row, m_keys.testUnitId[*index], letter, duration);
        }
    });

    const QString type = test.testType();
    const qint16 paceType = type == QLatin1String("PACE1") ? 1 : type == QLatin1String("PACE2") ? 2 : 0;
    if (isZamo24() && paceType != 0) {
        unit::Unit* link = unitAt(unitID);
        const auto channel = static_cast<qint16>(electrodeIndex);
        write(QStringLiteral("the PACE settings of ") + electrode, [&] {
            results::recordPaceProperties(m_database,
                m_keys.groupId, unitID, letter, roll, link ? link->getPaceAmplitude(channel, paceType) : 0,
                link ? link->getPaceBPM(channel, paceType) : 0, link ? link->getPacePulseWidth(channel, paceType) : 0);
        });
    }
    log(QStringLiteral("PACE completed for ") + electrode + QStringLiteral(": ") + duration + QLatin1Char(' ') + roll);
}

} // namespace run
