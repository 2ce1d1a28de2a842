#pragma once
// Why a run was cancelled when the operator did not ask for it: the line the
// operator log shows and the message the operator gets once the run has
// stopped (RunSequencer::cancelRun). The station's reasons are made here.

#include <QString>

namespace testlists {
class TestStep;
}

namespace run {

struct CancelReason {
    QString logLine; // the operator log line, as it is written
    QString message; // the message box text

    // The active step still waits for readings past its abort second; the
    // electrodes named are those without their final reading.
    static CancelReason overrun(const testlists::TestStep& step);
    // Unit n of the run is gone and was not connected again.
    static CancelReason unitLost(int unit);
    // The results database failed; cause says how (may be empty).
    static CancelReason databaseLost(const QString& cause);
    // A defib charge step never acknowledged its start; failLine is the
    // step's own operator line ("* ACLG failed to start.  Aborting tests!").
    static CancelReason chargeFailed(const QString& failLine);
};

} // namespace run
