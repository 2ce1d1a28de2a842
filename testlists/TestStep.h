#pragma once
// One step of a test list: what to run (type, electrodes, iterations, BIAS and
// PACE parameters) and the run-time state the test window keeps on the step
// while a run executes it.
//
// A step is created empty and initialised from its line (initByString) or
// from parameters (initByParams). Lists hold steps by shared reference
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
#include <optional>

namespace testlists {

class TestStep {
public:
    static constexpr int electrodeCount = 32;

    // --- definition ---
    QString testType() const { return m_testType; }
    qint16 testCount() const { return m_testCount; }
    qint32 biasTestTime() const { return m_biasTestTime; }     // hours
    qint32 biasSampleTime() const { return m_biasSampleTime; } // minutes
    qint32 paceTestTime() const { return m_paceTestTime; }     // minutes
    void setPaceTestTime(qint32 minutes) { m_paceTestTime = minutes; }
    bool showPaceRollPrompt() const { return m_showPaceRollPrompt; }
    void setShowPaceRollPrompt(bool v) { m_showPaceRollPrompt = v; }
    bool concurrentPaceRollPrompt() const { return m_concurrentPaceRollPrompt; }
    void setConcurrentPaceRollPrompt(bool v) { m_concurrentPaceRollPrompt = v; }

    // The selection string; setting it parses it into the selection flags.
    QString electrodeString() const { return m_electrodeString; }
    void setElectrodeString(const QString& selection);
    // Parses the selection into the flags, then stores it as electrodeString.
    void initElectrodesByString(const QString& electrodeString);

    bool electrodeSelected(qint32 index) const;
    bool electrodeSelectedByIndex(qint16 index) const;
    // Sets one selection flag; electrodeString is not changed.
    void setElectrodeSelected(qint16 index, bool selected);

    static QString findElectrodeNameByIndex(qint16 index);
    // 0..31 for "A1".."P2" (case-sensitive); 0 for any other text.
    static qint16 findElectrodeIndex(const QString& electrodeName);

    // True for the test types a step can run: those of the step lines
    // (ACZ, BIAS, PACE1, ...); false for an empty or any other text.
    static bool isKnownType(const QString& testType);

    // --- line form ---
    QString testString() const;
    bool initByParams(const QString& testType, qint16 testCount, const QString& electrodes, qint16 biasTestTime,
                      qint16 biasSamplingInterval, bool paceRollPrompt, qint16 paceDuration, bool concurrentRoll);
    // True when the line was understood. A line that is not keeps whatever
    // the parse had set before it stopped.
    bool initByString(const QString& initString);

    // --- durations (seconds) ---
    // ACLG and DEFR steps last the defib charge time and more, a pace step
    // with the roll prompt the roll acknowledgement delay more.
    qint64 singleTestDuration(const config::Zamo80Delays& delays, const config::PaceSettings& pace) const;
    // The iteration in progress counts in full; 0 once the step is complete.
    qint64 totalExpectedRemainingDuration(const config::Zamo80Delays& delays, const config::PaceSettings& pace) const;

    // --- run-time state ---
    qint32 id() const { return m_id; }
    void setId(qint32 v) { m_id = v; }
    qint32 parentID() const { return m_parentID; }
    void setParentID(qint32 v) { m_parentID = v; }

    qint16 executedTestCount() const { return m_executedTestCount; }
    void incrementIteration();
    bool isTestIterationComplete() const;
    bool testCompleted() const;

    bool isElectrodeTestActive(qint16 index) const;
    void setElectrodeTestActive(qint16 index);
    void setElectrodeTestComplete(qint16 index);
    // Marks active every electrode whose character of the unit's channel bit
    // string (channel 0 first) is "1"; never clears a flag.
    void setElectrodesActive(const QString& bitString, qint16 unitID);

    qint16 incrementErrorCount(qint16 index);
    qint16 getErrorCount(qint16 index) const;
    void clearElectrodeErrorCount(qint16 index);
    void clearAllErrorCount();

    void startBiasTest();
    bool isBiasTestComplete() const;
    platform::OleDate biasStart() const { return m_biasStart; }
    platform::OleDate biasEnd() const { return m_biasEnd; }

    // The PACE clock counts the station's steady ticks (platform::Clock::
    // tickCount), never the wall clock: a pace test lasts its own time and is
    // timed as it ran, whatever the date and time of day do meanwhile.
    // Before the start the start tick says when the step is due (nothing: at
    // once); startPaceClock() starts it now, to end paceTestTime minutes on.
    std::optional<qint64> paceStartTick() const { return m_paceStartTick; }
    void setPaceStartTick(std::optional<qint64> tick) { m_paceStartTick = tick; }
    void startPaceClock();
    bool paceDue() const;
    bool paceTimeUp() const;
    // Reading gives the whole seconds since the pace clock started (0 while
    // it is unset); the stored count is kept for the test clock only.
    qint32 paceDurationCount() const;
    void setPaceDurationCount(qint32 v) { m_paceDurationCount = v; }
    bool paceRunning() const { return m_paceRunning; }
    void setPaceRunning(bool v) { m_paceRunning = v; }
    bool paceRollPromptLoaded() const { return m_paceRollPromptLoaded; }
    void setPaceRollPromptLoaded(bool v) { m_paceRollPromptLoaded = v; }

    qint32 paceDBTestUnitID1() const { return m_paceDBTestUnitID1; }
    void setPaceDBTestUnitID1(qint32 v) { m_paceDBTestUnitID1 = v; }
    qint32 paceDBTestUnitID2() const { return m_paceDBTestUnitID2; }
    void setPaceDBTestUnitID2(qint32 v) { m_paceDBTestUnitID2 = v; }
    qint32 paceDBTestID() const { return m_paceDBTestID; }
    void setPaceDBTestID(qint32 v) { m_paceDBTestID = v; }
    qint32 paceDBTestResultID1() const { return m_paceDBTestResultID1; }
    void setPaceDBTestResultID1(qint32 v) { m_paceDBTestResultID1 = v; }
    qint32 paceDBTestResultID2() const { return m_paceDBTestResultID2; }
    void setPaceDBTestResultID2(qint32 v) { m_paceDBTestResultID2 = v; }
    qint32 paceDBPropertiesID1() const { return m_paceDBPropertiesID1; }
    void setPaceDBPropertiesID1(qint32 v) { m_paceDBPropertiesID1 = v; }
    qint32 paceDBPropertiesID2() const { return m_paceDBPropertiesID2; }
    void setPaceDBPropertiesID2(qint32 v) { m_paceDBPropertiesID2 = v; }

    // At run start: iterations, PACE clock and flags; keeps the active flags
    // and the record ids.
    void resetCounts();
    // When tests stop: iterations, active flags, PACE clock, flags and record
    // ids; keeps paceDurationCount and the error counts.
    void resetTestProperties();

private:
    bool parseTestString(const QString& line, QChar separator);
    bool setTestParams(const QString& electrodes, const QString& count, const QString& prompt,
                       const QString& concurrent);
    bool setBiasParams(const QString& timeAndInterval, const QString& count);

    bool parseElectrodeSelection(const QString& selection);
    void clearElectrodeSelection();
    void setElectrodeSelectedByName(const QString& name, bool value);

    static int checkedIndex(qint32 index);

    QString m_testType;
    QString m_electrodeString;
    std::array<bool, electrodeCount> m_electrodeSelected{};
    qint16 m_testCount = 0;
    qint32 m_biasTestTime = 0;
    qint32 m_biasSampleTime = 0;
    qint32 m_paceTestTime = 0;
    bool m_showPaceRollPrompt = false;
    bool m_concurrentPaceRollPrompt = false;

    qint16 m_executedTestCount = 0;
    std::array<bool, electrodeCount> m_electrodeTestActive{};
    std::array<qint16, electrodeCount> m_errorCount{};
    qint32 m_id = 0;
    qint32 m_parentID = 0;
    platform::OleDate m_biasStart;
    platform::OleDate m_biasEnd;
    std::optional<qint64> m_paceStartTick;
    std::optional<qint64> m_paceEndTick;
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
using TestList = QList<std::shared_ptr<TestStep>>;

} // namespace testlists
