#pragma once
// The program-wide test lists. They hold their steps by shared reference:
// a step may sit in several lists and windows at once.

#include "testlists/TestStep.h"

namespace testlists {

namespace Globals {

// The list shown in the test window and started by a run.
inline TestList ActiveTestList;
// Read from standard.tsq (base-model units) and standard80.tsq (ZAMO80 and
// ZAMO2-4 units) at start-up.
inline TestList StandardTestList;
inline TestList Standard80TestList;

} // namespace Globals

} // namespace testlists
