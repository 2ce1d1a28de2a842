#pragma once
// The one way every result handler treats a unit's reading: interim or
// final, one interim reading per channel and interval, data errors retried
// until the fifth, the verdict against the test's limit and warning, the
// verdict lines, the failure sound, and the recording, which is left out in
// calibration mode outside a burn-in. The handlers of each test type add
// their data-quality check, labels and special verdicts around it.

#include "run/FamilyVerdicts.h"
#include "run/RunUnits.h"
#include "run/VerdictLimits.h"

#include <QString>

#include <functional>

namespace unit {
class Unit;
}

namespace config {
struct StationSettings;
}

namespace run {

class AclgSums;
class ChargeSequence;
class MeasurementSchedule;
class RunHost;
class Zamo80RunPlan;
struct RunServices;
struct RunState;

class ResultReplyFlow {
public:
    // What a reading changes and where it goes; all of it outlives the flow.
    ResultReplyFlow(const RunUnits& units, RunState& state, MeasurementSchedule& schedule, ChargeSequence& charge,
                    AclgSums& aclgSums, Zamo80RunPlan& plan, RunServices& services,
                    const config::StationSettings& settings, RunHost& host);

    // What became of a final reading's data-quality check.
    enum class DataCheck {
        Good,        // the electrode is complete; record the reading and judge it
        Retransmit,  // a retransmission was asked for; the electrode stays active
        Exhausted,   // the fifth bad reading: end the electrode with endWithDataError
        NotRecorded, // calibration mode: nothing counted, judge the reading only
    };

    RunState& state();
    // The step's clock and interval schedule, the charge handshake, the
    // run's ACLG sums, and the ZAMO80 run plan (the open-circuit pre-check).
    MeasurementSchedule& schedule() { return m_schedule; }
    ChargeSequence& charge() { return m_charge; }
    AclgSums& aclgSums() { return m_aclgSums; }
    Zamo80RunPlan& plan() { return m_plan; }
    // The limits and warnings in force.
    const config::Limits& limits() const;
    unit::Unit* unitAt(UnitIndex unit) const;
    bool recordingAllowed() const;
    // The electrode's test in the active step is over (while readings are recorded).
    bool electrodeDone(UnitIndex unit, qint16 channel);

    // Final reading: the unit marks it final and the start phase is over.
    bool isFinal(bool completed) const;

    // Interim reading: true when it is the channel's due reading of the
    // current interval (the start phase then ends); false drops it.
    bool takeInterim(UnitIndex unit, qint16 channel);
    // Records a due interim reading under the interval's label; bad data (or
    // a reading that is not a number) is replaced by the unit's last reading.
    void recordInterim(UnitIndex unit, qint16 channel, double value, bool goodData, const QString& label,
                       qint32 intervalSeconds);
    // The same for an R1/R2 pair: bad data stores the unit's last pair.
    void recordInterimPair(UnitIndex unit, qint16 channel, double value1, double value2, bool goodData,
                           const QString& label, qint32 intervalSeconds);

    // "* <test> Test Complete on Electrode <name>".
    void writeCompletion(const QString& testName, UnitIndex unit, qint16 channel);
    // The data-quality check of a final reading; a value that is not a
    // number is bad data whatever the raw words say.
    DataCheck checkFinalData(UnitIndex unit, qint16 channel, bool badData, double value);
    // The electrode's test ends on its data errors with the code and line
    // given; beforeSound runs after the code is stored.
    void endWithDataError(UnitIndex unit, qint16 channel, const QString& code, const QString& line,
                          const std::function<void()>& beforeSound = {});
    // The same with "ERR" and its " Data Error" line.
    void endWithERR(UnitIndex unit, qint16 channel, const std::function<void()>& beforeSound = {});

    // The verdict on a final value, with its FAIL line and sound and the
    // expired-calibration pass.
    QString judge(UnitIndex unit, qint16 channel, double value, const LimitPair& limits);
    // A verdict made on several values: its lines and sound, and the
    // expired-calibration pass when askExpiry.
    QString apply(UnitIndex unit, qint16 channel, const Verdict& verdict, bool askExpiry = true);

    void recordMeasurement(UnitIndex unit, qint16 channel, const QString& label, double value, qint32 intervalSeconds);
    void recordPair(UnitIndex unit, qint16 channel, const QString& label, double value1, double value2,
                    qint32 intervalSeconds);
    // One of the four SDR readings of the electrode's unit (point 1..4).
    void recordSDRPoint(UnitIndex unit, qint16 channel, int point, const QString& label, double value,
                        qint32 intervalSeconds);
    void recordResult(UnitIndex unit, qint16 channel, const QString& code);

    void write(const QString& line);
    void playFailureSound();

private:
    RunUnits m_units;
    RunState& m_state;
    MeasurementSchedule& m_schedule;
    ChargeSequence& m_charge;
    AclgSums& m_aclgSums;
    Zamo80RunPlan& m_plan;
    RunServices& m_services;
    const config::StationSettings& m_settings;
    RunHost& m_host;
};

} // namespace run
