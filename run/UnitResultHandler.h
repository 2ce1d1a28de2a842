#pragma once
// Where the units' replies reach the run's results: each result reading is
// judged against its limits, recorded and completes the electrode. Replies
// that arrive after the end of a run (outside the calibration panel) go no
// further than the log. Replies that carry no result are ignored here. The
// stand-in ignores every reply.

#include "unit/UnitReadings.h"

namespace run {

class UnitResultHandler {
public:
    virtual ~UnitResultHandler() = default;

    virtual void handle(const unit::UnitReply&) {}
};

} // namespace run
