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
#include "run/VerdictRules.h"
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

RunRecording::RunRecording(RunState& state, MeasurementSchedule& schedule, RunHost& host,
                           const config::StationSettings& settings, results::ResultsDatabase& database,
                           results::TestGroupEnd& groupEnds, const testlists::StationTestLists& testLists,
                           const std::array<unit::Unit*, 2>& units)
    : m_state(state),
      m_schedule(schedule),
      m_host(host),
      m_settings(settings),
      m_database(database),
      m_groupEnds(groupEnds),
      m_testLists(testLists),
      m_units(units)
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

unit::Unit* RunRecording::unitAt(UnitIndex unit) const
{
    return m_units[unit.position()];
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
    m_database.reportFailure(QStringLiteral("Unable to record ") + what.first() + others + QStringLiteral(": ")
                             + cause);
}

bool RunRecording::attempt(const QStringList& what, const std::function<void(platform::DbConnection&)>& write)
{
    platform::DbConnection* db = nullptr;
    try {
        db = &m_database.requireConnection();
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

qint32& RunRecording::key(const ReadingBatch::Slot& slot)
{
    switch (slot.kind) {
    case ReadingBatch::Slot::Kind::SDRPoint: return m_keys.sdrMeasurementId[slot.unit].at(std::size_t(slot.point - 1));
    case ReadingBatch::Slot::Kind::Result: return m_keys.resultId[slot.unit];
    case ReadingBatch::Slot::Kind::Measurement: break;
    }
    return m_keys.measurementId[slot.unit];
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
    if (group == m_keys.groupId)
        for (const ReadingBatch::SlotUse& use : batch.slotUses()) {
            qint32& row = key(use.slot);
            if (row == use.startKey)
                row = keys[use.row];
        }
    const QList<results::ReadingRow>& rows = batch.rows();
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].kind == results::ReadingRow::Kind::Measurement && rows[i].key == 0)
            m_storedIntervals.insert(keys[i], rows[i].timeInterval);
    const config::LogBatch lines; // the lines of the stored reading, in one write
    for (const ReadingBatch::Record& record : batch.records()) {
        for (const ReadingBatch::Part& part : record.parts) {
            // A row that belongs to no run was refused, and logged so.
            if (keys[part.row] == 0)
                continue;
            config::writeLog(rows[part.row].kind == results::ReadingRow::Kind::Measurement
                                 ? results::measurementRecordedLine(keys[part.row], part.letter, part.value.toDouble())
                                 : results::resultRecordedLine(keys[part.row], part.letter, part.value.toString()));
        }
        for (const QString& line : record.lines)
            log(line, record.inhibitDisplay);
    }
}

int RunRecording::firstSelectedChannel(const testlists::TestStep& step, UnitIndex unit) const
{
    unit::Unit* link = unitAt(unit);
    if (!link)
        return -1;
    for (int c = 0; c < 16; ++c)
        if (step.electrodeSelectedByIndex(VerdictRules::electrodeIndex(unit, static_cast<qint16>(c)))
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
    auto electrodes = [this](UnitIndex unit) {
        unit::Unit* link = unitAt(unit);
        return link ? electrodeIdentities(link->getElectrodeArray()) : results::UnitElectrodes();
    };
    const bool zamo80 = zamo80Mode();
    qint32 group = 0;
    write(QStringLiteral("the test group"), [&] {
        if (zamo80)
            group = results::createZamo80TestGroup(
                m_database, m_groupEnds.openGroupNote(), executed, notCompleted,
                results::currentZamo80Limits(m_settings.limits), m_state.details.lotNumber, m_state.details.notes,
                electrodes(UnitIndex::first()), electrodes(UnitIndex::second()), config::getUserNameString(),
                config::getComputerNameString(), isZamo24(), m_state.details.electrodeLotNumbers,
                m_settings.switches.demoMode);
        else
            group = results::createTestGroup(
                m_database, m_groupEnds.openGroupNote(), executed, notCompleted,
                results::currentStandardLimits(m_settings.limits), m_state.details.lotNumber, m_state.details.notes,
                electrodes(UnitIndex::first()), electrodes(UnitIndex::second()), config::getUserNameString(),
                config::getComputerNameString(), m_state.details.electrodeLotNumbers, m_settings.switches.demoMode);
    });
    m_keys = RunRecordKeys();
    m_keys.groupId = group;
    m_zamo80GroupId = zamo80 ? group : 0;
    m_storedIntervals.clear();
    for (UnitIndex unit : UnitIndex::all()) {
        unit::Unit* link = unitAt(unit);
        // Diagnostics are recorded against the group: none without one.
        if (group != 0 && m_settings.diagnostics.enabled && link && link->connected())
            link->txMasterDiagnosticsPollingMode(m_settings.diagnostics.delay);
    }
    return group;
}

void RunRecording::createTestRecords(const QString& testType, bool pace, testlists::TestStep& test)
{
    const qint32 group = m_keys.groupId;
    flushReadings();
    if (group != 0 && m_keys.groupId == 0)
        return; // the waiting readings failed and their failure cancelled the run: no tests outside its group
    RunRecordKeys& keys = m_keys;
    if (pace) {
        // A pace step keeps its own keys; its test units follow its own electrodes.
        test.setPaceDBTestUnitID1(0);
        test.setPaceDBTestUnitID2(0);
        test.setPaceDBTestID(0);
        write(QStringLiteral("the ") + testType + QStringLiteral(" test"), [&] {
            test.setPaceDBTestID(
                results::recordTestStart(m_database, keys.groupId, testType, test.parentID(), QString(), true));
            if (firstSelectedChannel(test, UnitIndex::first()) >= 0)
                test.setPaceDBTestUnitID1(
                    results::recordTestUnitStart(m_database, test.paceDBTestID(), 1, test.executedTestCount()));
            if (firstSelectedChannel(test, UnitIndex::second()) >= 0)
                test.setPaceDBTestUnitID2(
                    results::recordTestUnitStart(m_database, test.paceDBTestID(), 2, test.executedTestCount()));
        });
        test.setPaceDBTestResultID1(0);
        test.setPaceDBTestResultID2(0);
        test.setPaceDBPropertiesID1(0);
        test.setPaceDBPropertiesID2(0);
        return;
    }

    keys.testUnitId = {};
    keys.testId = 0;
    m_storedIntervals.clear();
    bool showOnReport = true;
    if (m_state.preCheckRunning)
        showOnReport = m_state.reportOptions.showShortCircuit;
    else if (testType == QLatin1String("ACLG"))
        showOnReport = !m_state.reportOptions.averageAclg;
    write(QStringLiteral("the ") + testType + QStringLiteral(" test"), [&] {
        keys.testId =
            results::recordTestStart(m_database, keys.groupId, testType, test.parentID(), QString(), showOnReport);
        for (UnitIndex unit : UnitIndex::all())
            if (firstSelectedChannel(test, unit) >= 0)
                keys.testUnitId[unit] = results::recordTestUnitStart(
                    m_database, keys.testId, static_cast<qint16>(unit.number()), test.executedTestCount());
    });
    keys.measurementId = {};
    keys.resultId = {};
    keys.sdrMeasurementId = {};
}

void RunRecording::takePaceStepKeys(const testlists::TestStep& step)
{
    constexpr UnitIndex first = UnitIndex::first();
    constexpr UnitIndex second = UnitIndex::second();
    m_keys.testId = step.paceDBTestID();
    m_keys.testUnitId[first] = step.paceDBTestUnitID1();
    m_keys.testUnitId[second] = step.paceDBTestUnitID2();
    m_keys.resultId[first] = step.paceDBTestResultID1();
    m_keys.resultId[second] = step.paceDBTestResultID2();
    m_keys.pacePropertiesId[first] = step.paceDBPropertiesID1();
    m_keys.pacePropertiesId[second] = step.paceDBPropertiesID2();
}

void RunRecording::closeAbortedTestGroup(qint32 groupID)
{
    flushReadings(); // what the run measured before it was cancelled is kept
    if (groupID > 0) {
        // A cancel that the database cannot take now is not lost: it waits, and is written later.
        QString why;
        if (!m_groupEnds.cancelTestGroup(groupID, &why))
            log(QStringLiteral("* Unable to record the cancelled test group: ") + why
                + QStringLiteral(" - the cancel waits and is written as soon as the database can take it"));
        // By the run's own model: its units may be gone by now (a ZAMO80 lost mid-run).
        if (groupID == m_zamo80GroupId)
            buildCondensedZamo80Report(groupID);
        m_keys = RunRecordKeys();
        m_database.closeDatabase();
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
        if (!m_groupEnds.completeTestGroup(groupID, completed, &why))
            throw platform::DbError(why);
    });
}

qint32 RunRecording::getUniqueGroupID(qint32 groupID)
{
    flushReadings();
    return results::getUniqueGroupID(m_database, groupID);
}

QDateTime RunRecording::getGroupDateExecuted(qint32 groupID)
{
    flushReadings();
    return results::getGroupDateExecuted(m_database, groupID);
}

void RunRecording::buildCondensedZamo80Report(qint32 groupID)
{
    flushReadings();
    if (groupID > 0)
        attempt({QStringLiteral("the condensed ZAMO80 report group")},
                [&](platform::DbConnection& db) { results::buildCondensedZamo80Group(db, groupID); });
}

} // namespace run
