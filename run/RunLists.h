#pragma once
// The lists a run works through, beside the operator's list
// (Globals::ActiveTestList). They belong to the run's state and outlive a
// single run only as far as the next run start replaces them.

#include "testlists/TestStep.h"

struct RunLists {
    // ZAMO80 mode: the per-electrode run list and the pace steps beside it.
    TestList expanded;
    TestList pace;
    // The list being run: the operator's list in ZAMO mode, the expanded
    // list in ZAMO80 mode, a one-step list of its own for an ACZ30 zero run.
    TestList running;
    // The two lists of a consecutive-lists run, loaded from files.
    TestList consecutive1;
    TestList consecutive2;
};
