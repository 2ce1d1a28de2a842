#pragma once
// The pre-test details window as the run start asks for it: shown modally
// before a new test group; it leaves Globals::TestCancelled and the lot,
// notes and report choices for the run.

class PreTestDetails {
public:
    virtual ~PreTestDetails() = default;
    // Shows the window; true when the operator started the run, false when
    // the run is cancelled (Globals::TestCancelled is set accordingly).
    virtual bool Show() = 0;
};

// Starts every run without asking.
class AcceptingPreTestDetails : public PreTestDetails {
public:
    bool Show() override;
};
