#pragma once
// One step of a test list: what to run (type, electrodes, iterations, BIAS and
// PACE parameters) and the run-time state the test window keeps on the step
// while a run executes it.
//
// A step is created empty and initialised from its line (InitByString) or
// from parameters (InitByParams). Lists hold steps by shared reference
// (TestList). A step is copied through its line: only the definition travels.
//
// Index arguments run 0..31 (0..15 = A1..P1, 16..31 = A2..P2); an index
// outside that range throws std::out_of_range and changes nothing. A count
// that would pass 32767 throws std::overflow_error and stays as it was.

#include "config/PaceSettings.h"
#include "config/Zamo80Delays.h"
#include "platform/OleDate.h"

#include <QList>
#include <QString>

#include <array>
#include <memory>

class clsTestSequence {
public:
    static constexpr int ElectrodeCount = 32;

    // --- definition ---
    QString TestType() const { return m_testType; }
    qint16 TestCount() const { return m_testCount; }
    qint32 BiasTestTime() const { return m_biasTestTime; }     // hours
    qint32 BiasSampleTime() const { return m_biasSampleTime; } // minutes
    qint32 PaceTestTime() const { return m_paceTestTime; }     // minutes
    void setPaceTestTime(qint32 minutes) { m_paceTestTime = minutes; }
    bool ShowPaceRollPrompt() const { return m_showPaceRollPrompt; }
    void setShowPaceRollPrompt(bool v) { m_showPaceRollPrompt = v; }
    bool ConcurrentPaceRollPrompt() const { return m_concurrentPaceRollPrompt; }
    void setConcurrentPaceRollPrompt(bool v) { m_concurrentPaceRollPrompt = v; }

    // The selection string; setting it parses it into the selection flags.
    QString electrodeString() const { return m_electrodeString; }
    void setElectrodeString(const QString& selection);
    // Parses the selection into the flags, then stores it as electrodeString.
    void InitElectrodesByString(const QString& vElectrodeString);

    bool ElectrodeSelected(qint32 Index) const;
    bool ElectrodeSelectedByIndex(qint16 Index) const;
    // Sets one selection flag; electrodeString is not changed.
    void SetElectrodeSelected(qint16 vIndex, bool vSelected);

    static QString FindElectrodeNameByIndex(qint16 vIndex);
    // 0..31 for "A1".."P2" (case-sensitive); 0 for any other text.
    static qint16 FindElectrodeIndex(const QString& vElectrodeName);

    // --- line form ---
    QString TestString() const;
    bool InitByParams(const QString& vTestType, qint16 vTestCount, const QString& vElectrodes,
                      qint16 vBiasTestTime, qint16 vBiasSamplingInterval, bool vPaceRollPrompt,
                      qint16 vPaceDuration, bool vConcurrentRoll);
    // True when the line was understood. A line that is not keeps whatever
    // the parse had set before it stopped.
    bool InitByString(const QString& vInitString);

    // --- durations (seconds) ---
    // ACLG and DEFR steps last the defib charge time and more, a pace step
    // with the roll prompt the roll acknowledgement delay more.
    qint64 SingleTestDuration(const config::Zamo80Delays& delays, const config::PaceSettings& pace) const;
    // The iteration in progress counts in full; 0 once the step is complete.
    qint64 TotalExpectedRemainingDuration(const config::Zamo80Delays& delays, const config::PaceSettings& pace) const;

    // --- run-time state ---
    qint32 id() const { return m_id; }
    void setId(qint32 v) { m_id = v; }
    qint32 ParentID() const { return m_parentID; }
    void setParentID(qint32 v) { m_parentID = v; }

    qint16 ExecutedTestCount() const { return m_executedTestCount; }
    void IncrementItteration();
    bool IsTestItterationComplete() const;
    bool TestCompleted() const;

    bool IsElectrodeTestActive(qint16 vIndex) const;
    void SetElectrodeTestActive(qint16 vIndex);
    void SetElectrodeTestComplete(qint16 vIndex);
    // Marks active every electrode whose character of the unit's channel bit
    // string (channel 0 first) is "1"; never clears a flag.
    void SetElectrodesActive(const QString& vBitString, qint16 vUnitID);

    qint16 IncrementErrorCount(qint16 vIndex);
    qint16 GetErrorCount(qint16 vIndex) const;
    void ClearElectrodeErrorCount(qint16 vIndex);
    void ClearAllErrorCount();

    void StartBiasTest();
    bool IsBiasTestComplete() const;
    platform::OleDate BiasStart() const { return m_biasStart; }
    platform::OleDate BiasEnd() const { return m_biasEnd; }

    platform::OleDate PaceStartTime() const { return m_paceStartTime; }
    void setPaceStartTime(platform::OleDate v) { m_paceStartTime = v; }
    platform::OleDate PaceEndTime() const { return m_paceEndTime; }
    void setPaceEndTime(platform::OleDate v) { m_paceEndTime = v; }
    // Reading gives the whole seconds since PaceStartTime (0 while it is
    // unset); the stored count is kept for the test clock only.
    qint32 PaceDurationCount() const;
    void setPaceDurationCount(qint32 v) { m_paceDurationCount = v; }
    bool PaceRunning() const { return m_paceRunning; }
    void setPaceRunning(bool v) { m_paceRunning = v; }
    bool PaceRollPromptLoaded() const { return m_paceRollPromptLoaded; }
    void setPaceRollPromptLoaded(bool v) { m_paceRollPromptLoaded = v; }

    qint32 PaceDBTestUnitID1() const { return m_paceDBTestUnitID1; }
    void setPaceDBTestUnitID1(qint32 v) { m_paceDBTestUnitID1 = v; }
    qint32 PaceDBTestUnitID2() const { return m_paceDBTestUnitID2; }
    void setPaceDBTestUnitID2(qint32 v) { m_paceDBTestUnitID2 = v; }
    qint32 PaceDBTestID() const { return m_paceDBTestID; }
    void setPaceDBTestID(qint32 v) { m_paceDBTestID = v; }
    qint32 PaceDBTestResultID1() const { return m_paceDBTestResultID1; }
    void setPaceDBTestResultID1(qint32 v) { m_paceDBTestResultID1 = v; }
    qint32 PaceDBTestResultID2() const { return m_paceDBTestResultID2; }
    void setPaceDBTestResultID2(qint32 v) { m_paceDBTestResultID2 = v; }
    qint32 PaceDBPropertiesID1() const { return m_paceDBPropertiesID1; }
    void setPaceDBPropertiesID1(qint32 v) { m_paceDBPropertiesID1 = v; }
    qint32 PaceDBPropertiesID2() const { return m_paceDBPropertiesID2; }
    void setPaceDBPropertiesID2(qint32 v) { m_paceDBPropertiesID2 = v; }

    // At run start: iterations, PACE clock and flags; keeps the active flags
    // and the record ids.
    void ResetCounts();
    // When tests stop: iterations, active flags, PACE clock, flags and record
    // ids; keeps PaceDurationCount and the error counts.
    void ResetTestProperties();

private:
    bool ParseTestString(const QString& line, QChar separator);
    bool SetTestParams(const QString& electrodes, const QString& count, const QString& prompt,
                       const QString& concurrent);
    bool SetBiasParams(const QString& timeAndInterval, const QString& count);

    bool ParseElectrodeSelection(const QString& selection);
    void ClearElectrodeSelection();
    void SetElectrodeSelectedByName(const QString& name, bool value);

    static int checkedIndex(qint32 index);

    QString m_testType;
    QString m_electrodeString;
    std::array<bool, ElectrodeCount> m_electrodeSelected{};
    qint16 m_testCount = 0;
    qint32 m_biasTestTime = 0;
    qint32 m_biasSampleTime = 0;
    qint32 m_paceTestTime = 0;
    bool m_showPaceRollPrompt = false;
    bool m_concurrentPaceRollPrompt = false;

    qint16 m_executedTestCount = 0;
    std::array<bool, ElectrodeCount> m_electrodeTestActive{};
    std::array<qint16, ElectrodeCount> m_errorCount{};
    qint32 m_id = 0;
    qint32 m_parentID = 0;
    platform::OleDate m_biasStart;
    platform::OleDate m_biasEnd;
    platform::OleDate m_paceStartTime;
    platform::OleDate m_paceEndTime;
    qint32 m_paceDurationCount = 0;
    bool m_paceRunning = false;
    bool m_paceRollPromptLoaded = false;
    qint32 m_paceDBTestUnitID1 = 0;
    qint32 m_paceDBTestUnitID2 = 0;
    qint32 m_paceDBTestID = 0;
    qint32 m_paceDBTestResultID1 = 0;
    qint32 m_paceDBTestResultID2 = 0;
    qint32 m_paceDBPropertiesID1 = 0;
    qint32 m_paceDBPropertiesID2 = 0;
};

// An ordered list of steps, shared by reference with the other lists and
// windows that hold the same steps.
using TestList = QList<std::shared_ptr<clsTestSequence>>;
