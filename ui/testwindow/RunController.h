#pragma once
// The test window's Run commands: run (a single list or two consecutive
// lists), Run Standard Sequence, the NOISE test, the BIAS test's checks,
// the ACZ30 zero run and Cancel. It owns the run sequencer and hands each
// run to it after its checks; a command that cannot start tells the
// operator why (a run already going, no database, no unit, no list) and
// changes nothing.

#include "run/RunSequencer.h"

#include <array>

namespace run {
class RunHost;
}
namespace unit {
class Unit;
}

namespace ui {

class TestWindowServices;

class RunController {
public:
    // host, window (the test window), settings and testLists (the
    // station's, handed to the sequencer) outlive the controller; parent
    // owns the sequencer's timers' QObject.
    RunController(run::RunHost& host, TestWindowServices& window, config::StationSettings& settings,
                  testlists::StationTestLists& testLists, const std::array<unit::Unit*, 2>& units, QObject* parent);

    run::RunSequencer& sequencer() { return m_sequencer; }
    const run::RunSequencer& sequencer() const { return m_sequencer; }
    bool running() const;

    // The operator's list, or the two loaded lists one after the other on
    // the default electrodes.
    void runTestList(bool consecutiveLists);
    // The standard list of the unit mode on the default electrodes.
    void runStandardSequence();
    void runNoiseTest();
    // The checks before the BIAS parameters window; true when it may open.
    bool prepareBiasTest();
    // A one-step ACZ30ZERO run on unit 1 of a ZAMO80-mode station.
    void runAcz30Zero();
    void cancelRun();

private:
    bool openDatabase();

    run::RunSequencer m_sequencer;
    TestWindowServices& m_window;
};

} // namespace ui
