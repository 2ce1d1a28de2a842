#pragma once
// The lists a run works through, beside the operator's list (the active
// list of the station's test lists). They belong to the run's state and
// outlive a single run only as far as the next run start replaces them.

#include "testlists/TestStep.h"

namespace run {

struct RunLists {
    // ZAMO80 mode: the per-electrode run list and the pace steps beside it.
    testlists::TestList expanded;
    testlists::TestList pace;
    // The list being run: the operator's list in ZAMO mode, the expanded
    // list in ZAMO80 mode, a one-step list of its own for an ACZ30 zero run.
    testlists::TestList running;
    // The two lists of a consecutive-lists run, loaded from files.
    testlists::TestList consecutive1;
    testlists::TestList consecutive2;
};

} // namespace run
