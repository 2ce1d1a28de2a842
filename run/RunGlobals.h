#pragma once
// Program-wide values that the test execution owns: the run lists besides
// the operator's list (Globals::ActiveTestList), the values the pre-test
// details window leaves for the run, the service-mode switches of the
// calibration panel, and the operator log buffer that the status window
// shows when it opens.

#include "testlists/StationTestLists.h"

#include <QString>

#include <array>

namespace Globals {

// ZAMO80 mode: the per-electrode run list and the pace steps that run beside it.
inline TestList ExpandedTestList;
inline TestList PaceTestList;
// The list being run: the operator's list in ZAMO mode, ExpandedTestList in
// ZAMO80 mode, a one-step list of its own for an ACZ30 zero run.
inline TestList RunningTestList;
// The two lists of a consecutive-lists run, loaded from files.
inline TestList ConsecutiveTestList1;
inline TestList ConsecutiveTestList2;

// Left by the pre-test details window for the run it starts.
inline bool TestCancelled = false;
inline QString ActiveLotNumber;
inline QString ActiveTestNotes;
inline std::array<QString, 32> ElectrodeLotNumbers;
inline bool ShowShortCircuit = false;
inline bool AverageACLG = false;

// Calibration and service panel.
inline bool CalibrationMode = false;
inline bool BurnInRunning = false;

// Every operator line since the program started, each ended by CR LF.
inline QString CommBuffer;

} // namespace Globals
