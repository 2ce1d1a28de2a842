#pragma once
// The station's calibration and service mode, as the calibration and
// service panel switches it on the run sequencer's state and units:
// calibration mode (result replies are judged and logged but not recorded
// unless a burn-in runs, and read-backs fill the panel), the inhibited
// automatic polling of both unit links, and the burn-in run started from the
// panel. Leaving the mode switches both off, also while a burn-in goes on:
// the burn-in keeps recording, and the runs after it record as usual.
// Nothing here fails; commands to a unit that is not there are skipped.

#include "run/RunUnits.h"
#include "testlists/TestStep.h"

#include <QString>

#include <functional>

namespace run {

struct RunState;

class ServiceMode {
public:
    // The run's state outlives the mode; stopRun ends a run (the sequencer's cancel).
    ServiceMode(RunState& state, const RunUnits& units, std::function<void()> stopRun)
        : m_state(state), m_units(units), m_stopRun(std::move(stopRun))
    {
    }

    // Calibration mode on and polling inhibited (the panel opens).
    void enter();
    // Calibration mode and the polling inhibit off (the panel closes).
    void leave();

    bool calibrationMode() const;
    // A calibration test was sent from the panel.
    void setCalibrationMode();

    bool pollingInhibited() const { return m_pollingInhibited; }
    // On both unit links.
    void setPollingInhibited(bool inhibited);

    bool burnInRunning() const;
    // The burn-in list: per repetition a DCO, an ACZ, an SDR of four
    // readings and an ACZ, each on the electrodes given; empty for fewer
    // than one repetition.
    static testlists::TestList burnInList(int repetitions, const QString& electrodes);
    // Marks the run about to start as a burn-in.
    void beginBurnIn();
    // After the run's start: a burn-in whose run did not start (no list,
    // no unit, cancelled details) is over.
    void burnInStartFinished();
    // The burn-in is over; a run that is going is stopped (nothing is
    // stopped, logged or warned about when no run goes).
    void cancelBurnIn();

private:
    RunState& m_state;
    RunUnits m_units;
    std::function<void()> m_stopRun;
    bool m_pollingInhibited = false;
};

} // namespace run
