#pragma once
// The services a run uses beyond the units: the records, the reports, the
// pre-test details, the test clock, the ZAMO80 run plan and the database.
// Each starts as a stand-in that does the least and can be replaced; the
// sequencer installs the ZAMO80 run plan.

#include "run/DatabaseAccess.h"
#include "run/PreTestDetails.h"
#include "run/ReportActions.h"
#include "run/RunRecorder.h"
#include "run/TestClock.h"
#include "run/UnitResultHandler.h"
#include "run/Zamo80RunPlan.h"

#include <memory>

namespace run {

class MeasurementSchedule;
struct RunState;

struct RunServices {
    RunServices(const RunState& state, MeasurementSchedule& schedule)
        : clock(std::make_unique<SecondsOnlyTestClock>(state, schedule))
    {
    }

    std::unique_ptr<RunRecorder> recorder = std::make_unique<NoRunRecorder>();
    std::unique_ptr<ReportActions> reports = std::make_unique<NoReportActions>();
    std::unique_ptr<PreTestDetailsPrompt> preTestDetails = std::make_unique<AcceptingPreTestDetailsPrompt>();
    std::unique_ptr<TestClock> clock;
    std::unique_ptr<Zamo80RunPlan> zamo80;
    // The sequencer installs the station's result handlers.
    std::unique_ptr<UnitResultHandler> results = std::make_unique<UnitResultHandler>();
    std::unique_ptr<DatabaseAccess> database = std::make_unique<NoDatabaseAccess>();
};

} // namespace run
