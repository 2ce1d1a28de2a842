#include "execution/RunRecording.h"

#include "core/Globals.h"
#include "core/modMain.h"
#include "execution/RunGlobals.h"
#include "execution/RunHost.h"
#include "execution/RunState.h"
#include "execution/UnitLink.h"
#include "execution/UnitMode.h"
#include "platform/Clock.h"
#include "platform/DbError.h"
#include "platform/OleDate.h"
#include "results/RunRecordWriters.h"
#include "results/TestGroupEnd.h"
#include "results/TestGroupLookups.h"
#include "results/TestGroupWriter.h"
#include "results/modDatabase.h"

RunRecording::RunRecording(RunState& state, RunHost& host, const std::array<UnitLink*, 2>& units)
    : m_state(state), m_host(host), m_units(units)
{
}

bool RunRecording::Zamo80Mode() const
{
    return UnitMode::CheckZAMOMode(m_units) == QLatin1String("ZAMO80");
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

bool RunRecording::Write(const QString& what, const std::function<void()>& write)
{
    try {
        write();
        return true;
    } catch (const platform::DbError& e) {
        Log(QStringLiteral("* Unable to record ") + what + QStringLiteral(": ") + e.text());
        return false;
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
    const QDateTime executed = platform::Clock::now();
    const QDateTime notCompleted = platform::OleDate().toDateTime();
    auto electrodes = [this](int n) {
        UnitLink* link = Unit(n);
        return link ? link->GetElectrodeArray() : modDatabase::ElectrodeArray();
    };
    qint32 group = 0;
    Write(QStringLiteral("the test group"), [&] {
        if (Zamo80Mode())
            group = modDatabase::CreateZamo80TestGroup(
                executed, notCompleted, modDatabase::CurrentZamo80Limits(), Globals::ActiveLotNumber,
                Globals::ActiveTestNotes, electrodes(1), electrodes(2), modMain::GetUserNameString(),
                modMain::GetComputerNameString(), Zamo24(), Globals::ElectrodeLotNumbers);
        else
            group = modDatabase::CreateTestGroup(executed, notCompleted, modDatabase::CurrentStandardLimits(),
                                                 Globals::ActiveLotNumber, Globals::ActiveTestNotes, electrodes(1),
                                                 electrodes(2), modMain::GetUserNameString(),
                                                 modMain::GetComputerNameString(), Globals::ElectrodeLotNumbers);
    });
    m_state.Keys = RunRecordKeys();
    m_state.Keys.CurrentGroupID = group;
    for (int n = 1; n <= 2; ++n) {
        UnitLink* link = Unit(n);
        if (Globals::DiagnosticsEnabled && link && link->Connected())
            link->TXMasterDiagnosticsPollingMode(Globals::DiagnosticsDelay);
    }
    m_state.LastEstimatedRemainingSeconds = 0;
    return group;
}

void RunRecording::CreateTestRecords(const QString& vTestType, bool vPace, clsTestSequence& vTest)
{
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
    bool showOnReport = true;
    if (m_state.PreCheckRunning)
        showOnReport = Globals::ShowShortCircuit;
    else if (vTestType == QLatin1String("ACLG"))
        showOnReport = !Globals::AverageACLG;
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
    modDatabase::CompleteTestGroup(vGroupID, vCompleted);
}

qint32 RunRecording::GetUniqueGroupID(qint32 vGroupID)
{
    return modDatabase::GetUniqueGroupID(vGroupID);
}

QDateTime RunRecording::GetGroupDateExecuted(qint32 vGroupID)
{
    return modDatabase::GetGroupDateExecuted(vGroupID);
}

void RunRecording::BuildCondensedZamo80Report(qint32 vGroupID)
{
    if (m_condensedBuilder)
        m_condensedBuilder(vGroupID);
}
