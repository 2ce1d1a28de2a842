#pragma once
// The texts of a test list's grid rows, as the test window and the test
// sequence editor show them: "#", "Test", "Electrodes or (TT/SI)", "Count".

#include "testlists/TestStep.h"

#include <QString>

namespace testlists {

namespace TestListRows {

// The third column: for BIAS the test time and the sample interval ("8/30");
// for any other type the selection, cut to its first 20 characters and "..."
// when it is longer.
QString electrodesText(const TestStep& step, const QString& selection);
// The fourth column: the pace duration for PACE1 and PACE2, else the count.
QString countText(const TestStep& step);

} // namespace TestListRows

} // namespace testlists
