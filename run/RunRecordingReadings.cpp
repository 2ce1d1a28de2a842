#include "results/RunRecordWriters.h"
#include "results/WriterSupport.h"
#include "run/MeasurementSchedule.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "run/VerdictRules.h"
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

using VerdictRules::electrodeName;

} // namespace

QString RunRecording::formatHoursMinutes(qint32 seconds)
{
    return QString::number(seconds / 3600) + QLatin1Char(':')
           + QStringLiteral("%1").arg((seconds % 3600) / 60, 2, 10, QLatin1Char('0'));
}

void RunRecording::recordChannelMeasurement(UnitIndex unit, int channel, const QString& label, double value,
                                            bool useSDRPoint, int sdrPoint, double value2, bool twoReadings,
                                            bool inhibitDisplay, qint32 intervalSeconds)
{
    if (!validChannel(channel) || (useSDRPoint && (sdrPoint < 1 || sdrPoint > 4)))
        return;
    const QString displayLabel =
        label + (label.contains(QLatin1Char(':')) ? QStringLiteral(" (h:m)") : QStringLiteral("s"));
    const QString letter = results::channelLetter(channel);
    const QString electrode = electrodeName(unit, channel);
    const ReadingBatch::Slot slot{useSDRPoint ? ReadingBatch::Slot::Kind::SDRPoint
                                              : ReadingBatch::Slot::Kind::Measurement,
                                  unit, useSDRPoint ? sdrPoint : 0};
    const qint32 testUnit = m_keys.testUnitId[unit];
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
    m_schedule.markIntervalReadingTaken(unit, channel);
}

void RunRecording::recordChannelResult(UnitIndex unit, int channel, const QString& result, bool inhibitDisplay)
{
    if (!validChannel(channel))
        return;
    const QString letter = results::channelLetter(channel);
    const QString electrode = electrodeName(unit, channel);
    const ReadingBatch::Slot slot{ReadingBatch::Slot::Kind::Result, unit, 0};
    if (m_pending.isEmpty())
        m_pendingGroup = m_keys.groupId;
    m_pending.startRecord(QStringLiteral("the result of ") + electrode, inhibitDisplay);
    m_pending.addResult(slot, key(slot), m_keys.testUnitId[unit], letter, result);
    m_pending.addLine(QStringLiteral("Final result recorded for ") + electrode + QStringLiteral(": ")
                      + resultText(result));
    postFlush();
}

void RunRecording::recordPaceTestResult(UnitIndex unit, int channel, qint32 seconds, bool secondary,
                                        testlists::TestStep& test, bool padsRolled, bool rolledStatusMsgOnly)
{
    if (!validChannel(channel))
        return;
    const QString duration =
        QString::number(seconds / 60) + QStringLiteral("m ") + QString::number(seconds % 60) + QStringLiteral("s");
    const QString roll = padsRolled ? QStringLiteral("ROLLED") : QString();
    const QString letter = results::channelLetter(channel);
    const QString electrode = electrodeName(unit, channel);
    if (rolledStatusMsgOnly) {
        if (padsRolled)
            log(electrode + QStringLiteral(" Pads ROLLED"));
        return;
    }

    write(QStringLiteral("the PACE result of ") + electrode, [&] {
        if (secondary) {
            if (unit == UnitIndex::first())
                test.setPaceDBTestResultID1(results::recordResult(m_database, test.paceDBTestResultID1(),
                                                                  test.paceDBTestUnitID1(), letter, duration));
            else
                test.setPaceDBTestResultID2(results::recordResult(m_database, test.paceDBTestResultID2(),
                                                                  test.paceDBTestUnitID2(), letter, duration));
        } else {
            qint32& row = m_keys.resultId[unit];
            row = results::recordResult(m_database, row, m_keys.testUnitId[unit], letter, duration);
        }
    });

    const QString type = test.testType();
    const qint16 paceType = type == QLatin1String("PACE1") ? 1 : type == QLatin1String("PACE2") ? 2 : 0;
    if (isZamo24() && paceType != 0) {
        unit::Unit* link = unitAt(unit);
        const auto linkChannel = static_cast<qint16>(channel);
        write(QStringLiteral("the PACE settings of ") + electrode, [&] {
            results::recordPaceProperties(m_database, m_keys.groupId, unit.number(), letter, roll,
                                          link ? link->getPaceAmplitude(linkChannel, paceType) : 0,
                                          link ? link->getPaceBPM(linkChannel, paceType) : 0,
                                          link ? link->getPacePulseWidth(linkChannel, paceType) : 0);
        });
    }
    log(QStringLiteral("PACE completed for ") + electrode + QStringLiteral(": ") + duration + QLatin1Char(' ') + roll);
}

} // namespace run
