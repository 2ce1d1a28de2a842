#include "run/RunRecording.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/DbError.h"
#include "platform/OleDate.h"
#include "results/CondensedZamo80Group.h"
#include "results/ReadingRows.h"
#include "results/ResultsDatabase.h"
#include "results/RunRecordWriters.h"
#include "results/TestGroupEnd.h"
#include "results/TestGroupLookups.h"
#include "results/TestGroupWriter.h"
#include "run/RunHost.h"
#include "run/RunState.h"
#include "run/UnitMode.h"
#include "unit/ChannelRecord.h"
#include "unit/Unit.h"

namespace run {

namespace {

// What the group keeps of a unit's channel records: each connected
// electrode's identity; empty when the unit has no records (not connected).
results::UnitElectrodes electrodeIdentities(const QVector<std::shared_ptr<unit::ChannelRecord>>& records)
{
    results::UnitElectrodes identities;
    for (const std::shared_ptr<unit::ChannelRecord>& e : records) {
        if (e && e->connected())
            identities << results::ElectrodeIdentity{e->calibrationDate().toDateTime(), e->firmwareVersion(),
                                                     e->serialNumber()};
        else
            identities << std::nullopt;
    }
    return identities;
}

} // namespace

RunRecording::RunRecording(RunState& state, RunHost& host, const config::StationSettings& settings,
                           const std::array<unit::Unit*, 2>& units)
    : m_state(state), m_host(host), m_settings(settings), m_units(units)
{
}

bool RunRecording::zamo80Mode() const
{
    return UnitMode::checkZAMOMode(m_units) == ConnectedUnitsMode::Zamo80;
}

bool RunRecording::isZamo24() const
{
    return UnitMode::checkZAMO24(m_units);
}

unit::Unit* RunRecording::unitAt(int n) const
{
    return (n == 1 || n == 2) ? m_units[std::size_t(n - 1)] : nullptr;
}

void RunRecording::log(const QString& line, bool inhibitDisplay)
{
    m_host.writeToCommTextBox(line, true, inhibitDisplay);
}

void RunRecording::fail(const QStringList& what, const QString& cause)
{
    for (const QString& record : what)
        log(QStringLiteral("* Unable to record ") + record + QStringLiteral(": ") + cause);
    m_lostRecords += int(what.size());
    if (m_failureTold || what.isEmpty())
        return;
    m_failureTold = true;
    const QString others = what.size() == 1   ? QString()
                           : what.size() == 2 ? QStringLiteral(" and one other record")
                                              : QStringLiteral(" and %1 other records").arg(what.size() - 1);
    results::reportFailure(QStringLiteral("Unable to record ") + what.first() + others + QStringLiteral(": ") + cause);
}

bool RunRecording::attempt(const QStringList& what, const std::function<void(platform::DbConnection&)>& write)
{
    platform::DbConnection* db = nullptr;
    try {
        db = &results::requireConnection();
    } catch (const platform::DbError& e) {
        fail(what, e.text()); // the open's own words name the database
        return false;
    }
    try {
        write(*db);
        return true;
    } catch (const platform::DbError& e) {
        config::writeLog(QStringLiteral("Database error: ") + e.text());
        fail(what, e.cause());
        return false;
    }
}

bool RunRecording::write(const QString& what, const std::function<void()>& write)
{
    flushReadings();
    return attempt({what}, [&](platform::DbConnection&) { write(); });
}

qint32& RunRecording::Key(const ReadingBatch::Slot& slot)
{
    RunRecordKeys& keys = m_state.Keys;
    const auto unit = std::size_t(slot.unit);
    switch (slot.kind) {
    case ReadingBatch::Slot::Kind::SDRPoint: return keys.SDRMeasurementID[unit][std::size_t(slot.point)];
    case ReadingBatch::Slot::Kind::Result: return keys.CurrentResultID[unit];
    case ReadingBatch::Slot::Kind::Measurement: break;
    }
    return keys.CurrentMeasurementID[unit];
}

void RunRecording::postFlush()
{
    if (m_flushPosted)
        return;
    m_flushPosted = true;
    QMetaObject::invokeMethod(
        &m_turnEnd,
        [this] {
            m_flushPosted = false;
            flushReadings();
        },
        Qt::QueuedConnection);
}

void RunRecording::flushReadings()
{
    if (m_pending.isEmpty())
        return;
    const ReadingBatch batch = std::exchange(m_pending, ReadingBatch());
    const qint32 group = std::exchange(m_pendingGroup, 0);
    QStringList subjects;
    for (const ReadingBatch::Record& record : batch.records())
        subjects << record.subject;
    QList<qint32> keys;
    if (attempt(subjects, [&](platform::DbConnection& db) { keys = results::recordReadingRows(db, batch.rows()); }))
        storeReadings(batch, group, keys);
}

void RunRecording::storeReadings(const ReadingBatch& batch, qint32 group, const QList<qint32>& keys)
{
    // The run's keys name the new rows, unless the run has moved on meanwhile.
    if (group == m_state.Keys.CurrentGroupID)
        for (const ReadingBatch::SlotUse& use : batch.slotUses()) {
            qint32& key = Key(use.slot);
            if (key == use.startKey)
                key = keys[use.row];
        }
    const QList<results::ReadingRow>& rows = batch.rows();
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].kind == results::ReadingRow::Kind::Measurement && rows[i].key == 0)
            m_storedIntervals.insert(keys[i], rows[i].timeInterval);
    const config::LogBatch lines; // the lines of the stored reading, in one write
    for (const ReadingBatch::Record& record : batch.records()) {
        for (const ReadingBatch::Part& part : record.parts)
            config::writeLog(rows[part.row].kind == results::ReadingRow::Kind::Measurement
                                 ? results::measurementRecordedLine(keys[part.row], part.letter, part.value.toDouble())
                                 : results::resultRecordedLine(keys[part.row], part.letter, part.value.toString()));
        for (const QString& line : record.lines)
            log(line, record.inhibitDisplay);
    }
}

int RunRecording::firstSelectedChannel(const testlists::TestStep& step, int unit) const
{
    unit::Unit* link = unitAt(unit);
    if (!link)
        return -1;
    for (int c = 0; c < 16; ++c)
        if (step.electrodeSelectedByIndex(static_cast<qint16>((unit - 1) * 16 + c))
            && link->electrodeChannelExists(static_cast<qint16>(c)))
            return c;
    return -1;
}

qint32 RunRecording::createTestGroupRecord()
{
    flushReadings();
    m_failureTold = false; // a new run: its first failure is told again
    m_lostRecords = 0;
    const QDateTime executed = platform::Clock::now();
    const QDateTime notCompleted = platform::OleDate().toDateTime();
    auto electrodes = [this](int n) {
        unit::Unit* link = unitAt(n);
        return link ? electrodeIdentities(link->getElectrodeArray()) : results::UnitElectrodes();
    };
    qint32 group = 0;
    write(QStringLiteral("the test group"), [&] {
        if (zamo80Mode())
            group = results::createZamo80TestGroup(
                executed, notCompleted, results::currentZamo80Limits(m_settings.limits), m_state.details.lotNumber,
                m_state.details.notes, electrodes(1), electrodes(2), config::getUserNameString(),
                config::getComputerNameString(), isZamo24(), m_state.details.electrodeLotNumbers,
                m_settings.switches.demoMode);
        else
            group = results::createTestGroup(
                executed, notCompleted, results::currentStandardLimits(m_settings.limits), m_state.details.lotNumber,
                m_state.details.notes, electrodes(1), electrodes(2), config::getUserNameString(),
                config::getComputerNameString(), m_state.details.electrodeLotNumbers, m_settings.switches.demoMode);
    });
    m_state.Keys = RunRecordKeys();
    m_state.Keys.CurrentGroupID = group;
    m_storedIntervals.clear();
    for (int n = 1; n <= 2; ++n) {
        unit::Unit* link = unitAt(n);
        // Diagnostics are recorded against the group: none without one.
        if (group != 0 && m_settings.diagnostics.enabled && link && link->connected())
            link->txMasterDiagnosticsPollingMode(m_settings.diagnostics.delay);
    }
    m_state.LastEstimatedRemainingSeconds = 0;
    return group;
}

void RunRecording::createTestRecords(const QString& testType, bool pace, testlists::TestStep& test)
{
    const qint32 group = m_state.Keys.CurrentGroupID;
    flushReadings();
    if (group != 0 && m_state.Keys.CurrentGroupID == 0)
        return; // the waiting readings failed and their failure cancelled the run: no tests outside its group
    RunRecordKeys& keys = m_state.Keys;
    if (pace) {
        // A pace step keeps its own keys; its test units follow its own electrodes.
        test.setPaceDBTestUnitID1(0);
        test.setPaceDBTestUnitID2(0);
        test.setPaceDBTestID(0);
        write(QStringLiteral("the ") + testType + QStringLiteral(" test"), [&] {
            test.setPaceDBTestID(
                results::recordTestStart(keys.CurrentGroupID, testType, test.parentID(), QString(), true));
            if (firstSelectedChannel(test, 1) >= 0)
                test.setPaceDBTestUnitID1(
                    results::recordTestUnitStart(test.paceDBTestID(), 1, test.executedTestCount()));
            if (firstSelectedChannel(test, 2) >= 0)
                test.setPaceDBTestUnitID2(
                    results::recordTestUnitStart(test.paceDBTestID(), 2, test.executedTestCount()));
        });
        test.setPaceDBTestResultID1(0);
        test.setPaceDBTestResultID2(0);
        test.setPaceDBPropertiesID1(0);
        test.setPaceDBPropertiesID2(0);
        return;
    }

    keys.CurrentTestUnitID = {};
    keys.CurrentTestID = 0;
    m_storedIntervals.clear();
    bool showOnReport = true;
    if (m_state.PreCheckRunning)
        showOnReport = m_state.reportOptions.showShortCircuit;
    else if (testType == QLatin1String("ACLG"))
        showOnReport = !m_state.reportOptions.averageAclg;
    write(QStringLiteral("the ") + testType + QStringLiteral(" test"), [&] {
        keys.CurrentTestID =
            results::recordTestStart(keys.CurrentGroupID, testType, test.parentID(), QString(), showOnReport);
        for (int n = 1; n <= 2; ++n)
            if (firstSelectedChannel(test, n) >= 0)
                keys.CurrentTestUnitID[std::size_t(n)] =
                    results::recordTestUnitStart(keys.CurrentTestID, static_cast<qint16>(n), test.executedTestCount());
    });
    keys.CurrentMeasurementID = {};
    keys.CurrentResultID = {};
    keys.SDRMeasurementID = {};
}

void RunRecording::closeAbortedTestGroup(qint32 groupID)
{
    flushReadings(); // what the run measured before it was cancelled is kept
    if (groupID > 0) {
        // A cancel that the database cannot take now is not lost: it waits, and is written later.
        QString why;
        if (!results::cancelTestGroup(groupID, &why))
            log(QStringLiteral("* Unable to record the cancelled test group: ") + why
                + QStringLiteral(" - the cancel waits and is written as soon as the database can take it"));
        if (zamo80Mode())
            buildCondensedZamo80Report(groupID);
        m_state.Keys = RunRecordKeys();
        results::closeDatabase();
    }
    // The whole count of the run, however many failures told it.
    if (m_lostRecords > 0)
        log(QStringLiteral("* ") + QString::number(m_lostRecords)
            + (m_lostRecords == 1 ? QStringLiteral(" record") : QStringLiteral(" records"))
            + QStringLiteral(" of this run could not be stored"));
    m_host.setCompletionCaption(QString());
}

void RunRecording::completeTestGroup(qint32 groupID, const QDateTime& completed)
{
    write(QStringLiteral("the completion of the test group"), [&] {
        QString why;
        if (!results::completeTestGroup(groupID, completed, &why))
            throw platform::DbError(why);
    });
}

qint32 RunRecording::getUniqueGroupID(qint32 groupID)
{
    flushReadings();
    return results::getUniqueGroupID(groupID);
}

QDateTime RunRecording::getGroupDateExecuted(qint32 groupID)
{
    flushReadings();
    return results::getGroupDateExecuted(groupID);
}

void RunRecording::buildCondensedZamo80Report(qint32 groupID)
{
    flushReadings();
    if (groupID > 0)
        attempt({QStringLiteral("the condensed ZAMO80 report group")},
                [&](platform::DbConnection& db) { results::buildCondensedZamo80Group(db, groupID); });
}

} // namespace run
