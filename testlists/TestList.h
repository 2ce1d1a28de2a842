#pragma once
// Copies of test steps made through their lines: only the definitions travel,
// none of the run-time state.

#include "testlists/TestStep.h"

namespace testlists {

TestList copySteps(const TestList& source);

} // namespace testlists
