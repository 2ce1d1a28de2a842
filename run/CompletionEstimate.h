#pragma once
// The expected remaining seconds of a run, for the completion label.

#include "testlists/TestStep.h"

namespace run {

namespace CompletionEstimate {

// Without pace steps beside the list: the remaining duration of every
// unfinished step of the running list. With them: the pace time of the
// first pace step spread over the electrodes as the pace starts are
// staggered (SimultaneousTests at a time), plus the operator's other steps
// per electrode, plus the first running step (whose length follows the
// defib charge time and the pace roll delay).
qint64 remainingSeconds(const testlists::TestList& running, const testlists::TestList& pace,
                        const testlists::TestList& operatorList, qint16 simultaneousTests,
                        const config::Zamo80Delays& delays, const config::PaceSettings& paceSettings);

} // namespace CompletionEstimate

} // namespace run
