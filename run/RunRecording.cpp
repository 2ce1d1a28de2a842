#include "run/RunRecording.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Clock.h"
#include "platform/DbError.h"
#include "platform/OleDate.h"
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

namespace {

// What the group keeps of a unit's channel records: each connected
// electrode's identity; empty when the unit has no records (not connected).
modDatabase::UnitElectrodes electrodeIdentities(const QVector<std::shared_ptr<clsElectrode>>& records)
{
    modDatabase::UnitElectrodes identities;
    for (const std::shared_ptr<clsElectrode>& e : records) {
        if (e && e->Connected())
            identities << modDatabase::ElectrodeIdentity{e->CalibrationDate().toDateTime(), e->FirmwareVersion(),
                                                         e->SerialNumber()};
        else
            identities << std::nullopt;
    }
    return identities;
}

} // namespace

RunRecording::RunRecording(RunState& state, RunHost& host, const config::StationSettings& settings,
                           const std::array<UnitLink*, 2>& units)
    : m_state(state), m_host(host), m_settings(settings), m_units(units)
{
}

bool RunRecording::Zamo80Mode() const
{
    return UnitMode::CheckZAMOMode(m_units) == ConnectedUnitsMode::Zamo80;
}

bool RunRecording::Zamo24() const
{
    return UnitMode::CheckZAMO24(m_units);
}

UnitLink* RunRecording::Unit(int n) const
{
    return (n == 1 || n == 2) ? m_units[std::size_t(n - 1)] : nullptr;
}

void RunRecording::Log(const QString& line, bool inhibitDisplay)
{
    m_host.WriteToCommTextBox(line, true, inhibitDisplay);
}

void RunRecording::Fail(const QStringList& what, const QString& cause)
{
    for (const QString& record : what)
        Log(QStringLiteral("* Unable to record ") + record + QStringLiteral(": ") + cause);
    if (m_failureTold || what.isEmpty())
        return;
    m_failureTold = true;
    const QString others = what.size() == 1 ? QString()
                           : what.size() == 2 ? QStringLiteral(" and one other record")
                                               : QStringLiteral(" and %1 other records").arg(what.size() - 1);
    modDatabase::ReportFailure(QStringLiteral("Unable to record ") + what.first() + others + QStringLiteral(": ") + cause);
}

bool RunRecording::Attempt(const QStringList& what, const std::function<void(platform::DbConnection&)>& write)
{
    platform::DbConnection* db = nullptr;
    try {
        db = &modDatabase::RequireConnection();
    } catch (const platform::DbError& e) {
        Fail(what, e.text());   // the open's own words name the database
        return false;
    }
    try {
        write(*db);
        return true;
    } catch (const platform::DbError& e) {
        modMain::WriteLog(QStringLiteral("Database error: ") + e.text());
        Fail(what, e.cause());
        return false;
    }
}

bool RunRecording::Write(const QString& what, const std::function<void()>& write)
{
    FlushReadings();
    return Attempt({what}, [&](platform::DbConnection&) { write(); });
}

qint32& RunRecording::Key(const ReadingBatch::Slot& slot)
{
    RunRecordKeys& keys = m_state.Keys;
    const auto unit = std::size_t(slot.unit);
    switch (slot.kind) {
    case ReadingBatch::Slot::Kind::SDRPoint:
        return keys.SDRMeasurementID[unit][std::size_t(slot.point)];
    case ReadingBatch::Slot::Kind::Result:
        return keys.CurrentResultID[unit];
    case ReadingBatch::Slot::Kind::Measurement:
        break;
    }
    return keys.CurrentMeasurementID[unit];
}

void RunRecording::PostFlush()
{
    if (m_flushPosted)
        return;
    m_flushPosted = true;
    QMetaObject::invokeMethod(
        &m_turnEnd,
        [this] {
            m_flushPosted = false;
            FlushReadings();
        },
        Qt::QueuedConnection);
}

void RunRecording::FlushReadings()
{
    if (m_pending.isEmpty())
        return;
    const ReadingBatch batch = std::exchange(m_pending, ReadingBatch());
    const qint32 group = std::exchange(m_pendingGroup, 0);
    QStringList subjects;
    for (const ReadingBatch::Record& record : batch.records())
        subjects << record.subject;
    QList<qint32> keys;
    if (Attempt(subjects, [&](platform::DbConnection& db) { keys = modDatabase::RecordReadingRows(db, batch.rows()); }))
        StoreReadings(batch, group, keys);
}

void RunRecording::StoreReadings(const ReadingBatch& batch, qint32 group, const QList<qint32>& keys)
{
    // The run's keys name the new rows, unless the run has moved on meanwhile.
    if (group == m_state.Keys.CurrentGroupID)
        for (const ReadingBatch::SlotUse& use : batch.slotUses()) {
            qint32& key = Key(use.slot);
            if (key == use.startKey)
                key = keys[use.row];
        }
    const QList<modDatabase::ReadingRow>& rows = batch.rows();
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].kind == modDatabase::ReadingRow::Kind::Measurement && rows[i].key == 0)
            m_storedIntervals.insert(keys[i], rows[i].timeInterval);
    for (const ReadingBatch::Record& record : batch.records()) {
        for (const ReadingBatch::Part& part : record.parts)
            modMain::WriteLog(rows[part.row].kind == modDatabase::ReadingRow::Kind::Measurement
                                  ? modDatabase::MeasurementRecordedLine(keys[part.row], part.letter, part.value.toDouble())
                                  : modDatabase::ResultRecordedLine(keys[part.row], part.letter, part.value.toString()));
        for (const QString& line : record.lines)
            Log(line, record.inhibitDisplay);
    }
}

int RunRecording::FirstSelectedChannel(const clsTestSequence& step, int unit) const
{
    UnitLink* link = Unit(unit);
    if (!link)
        return -1;
    for (int c = 0; c < 16; ++c)
        if (step.ElectrodeSelectedByIndex(static_cast<qint16>((unit - 1) * 16 + c))
            && link->ElectrodeChannelExists(static_cast<qint16>(c)))
            return c;
    return -1;
}

qint32 RunRecording::CreateTestGroupRecord()
{
    FlushReadings();
    m_failureTold = false;   // a new run: its first failure is told again
    const QDateTime executed = platform::Clock::now();
    const QDateTime notCompleted = platform::OleDate().toDateTime();
    auto electrodes = [this](int n) {
        UnitLink* link = Unit(n);
        return link ? electrodeIdentities(link->GetElectrodeArray()) : modDatabase::UnitElectrodes();
    };
    qint32 group = 0;
    Write(QStringLiteral("the test group"), [&] {
        if (Zamo80Mode())
            group = modDatabase::CreateZamo80TestGroup(
                executed, notCompleted, modDatabase::CurrentZamo80Limits(m_settings.limits), m_state.details.lotNumber,
                m_state.details.notes, electrodes(1), electrodes(2), modMain::GetUserNameString(),
                modMain::GetComputerNameString(), Zamo24(), m_state.details.electrodeLotNumbers,
                m_settings.switches.demoMode);
        else
            group = modDatabase::CreateTestGroup(executed, notCompleted, modDatabase::CurrentStandardLimits(m_settings.limits),
                                                 m_state.details.lotNumber, m_state.details.notes, electrodes(1),
                                                 electrodes(2), modMain::GetUserNameString(),
                                                 modMain::GetComputerNameString(), m_state.details.electrodeLotNumbers,
                                                 m_settings.switches.demoMode);
    });
    m_state.Keys = RunRecordKeys();
    m_state.Keys.CurrentGroupID = group;
    m_storedIntervals.clear();
    for (int n = 1; n <= 2; ++n) {
        UnitLink* link = Unit(n);
        // Diagnostics are recorded against the group: none without one.
        if (group != 0 && m_settings.diagnostics.enabled && link && link->Connected())
            link->TXMasterDiagnosticsPollingMode(m_settings.diagnostics.delay);
    }
    m_state.LastEstimatedRemainingSeconds = 0;
    return group;
}

void RunRecording::CreateTestRecords(const QString& vTestType, bool vPace, clsTestSequence& vTest)
{
    FlushReadings();
    RunRecordKeys& keys = m_state.Keys;
    if (vPace) {
        // A pace step keeps its own keys; its test units follow its own electrodes.
        vTest.setPaceDBTestUnitID1(0);
        vTest.setPaceDBTestUnitID2(0);
        vTest.setPaceDBTestID(0);
        Write(QStringLiteral("the ") + vTestType + QStringLiteral(" test"), [&] {
            vTest.setPaceDBTestID(modDatabase::RecordTestStart(keys.CurrentGroupID, vTestType, vTest.ParentID(),
                                                               QString(), true));
            if (FirstSelectedChannel(vTest, 1) >= 0)
                vTest.setPaceDBTestUnitID1(modDatabase::RecordTestUnitStart(vTest.PaceDBTestID(), 1, vTest.ExecutedTestCount()));
            if (FirstSelectedChannel(vTest, 2) >= 0)
                vTest.setPaceDBTestUnitID2(modDatabase::RecordTestUnitStart(vTest.PaceDBTestID(), 2, vTest.ExecutedTestCount()));
        });
        vTest.setPaceDBTestResultID1(0);
        vTest.setPaceDBTestResultID2(0);
        vTest.setPaceDBPropertiesID1(0);
        vTest.setPaceDBPropertiesID2(0);
        return;
    }

    keys.CurrentTestUnitID = {};
    keys.CurrentTestID = 0;
    m_storedIntervals.clear();
    bool showOnReport = true;
    if (m_state.PreCheckRunning)
        showOnReport = m_state.reportOptions.showShortCircuit;
    else if (vTestType == QLatin1String("ACLG"))
        showOnReport = !m_state.reportOptions.averageAclg;
    Write(QStringLiteral("the ") + vTestType + QStringLiteral(" test"), [&] {
        keys.CurrentTestID = modDatabase::RecordTestStart(keys.CurrentGroupID, vTestType, vTest.ParentID(), QString(),
                                                          showOnReport);
        for (int n = 1; n <= 2; ++n)
            if (FirstSelectedChannel(vTest, n) >= 0)
                keys.CurrentTestUnitID[std::size_t(n)] =
                    modDatabase::RecordTestUnitStart(keys.CurrentTestID, static_cast<qint16>(n), vTest.ExecutedTestCount());
    });
    keys.CurrentMeasurementID = {};
    keys.CurrentResultID = {};
    keys.SDRMeasurementID = {};
}

void RunRecording::CloseAbortedTestGroup(qint32 vGroupID)
{
    FlushReadings();   // what the run measured before it was cancelled is kept
    if (vGroupID > 0) {
        Write(QStringLiteral("the cancelled test group"), [&] { modDatabase::CancelTestGroup(vGroupID); });
        if (Zamo80Mode())
            BuildCondensedZamo80Report(vGroupID);
        m_state.Keys = RunRecordKeys();
        modDatabase::CloseDatabase();
    }
    m_host.SetCompletionCaption(QString());
}

void RunRecording::CompleteTestGroup(qint32 vGroupID, const QDateTime& vCompleted)
{
    Write(QStringLiteral("the completion of the test group"), [&] {
        QString why;
        if (!modDatabase::CompleteTestGroup(vGroupID, vCompleted, &why))
            throw platform::DbError(why);
    });
}

qint32 RunRecording::GetUniqueGroupID(qint32 vGroupID)
{
    FlushReadings();
    return modDatabase::GetUniqueGroupID(vGroupID);
}

QDateTime RunRecording::GetGroupDateExecuted(qint32 vGroupID)
{
    FlushReadings();
    return modDatabase::GetGroupDateExecuted(vGroupID);
}

void RunRecording::BuildCondensedZamo80Report(qint32 vGroupID)
{
    FlushReadings();
    if (m_condensedBuilder)
        m_condensedBuilder(vGroupID);
}
