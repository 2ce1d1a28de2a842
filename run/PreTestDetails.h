#pragma once
// What the operator enters before a new test group, and the prompt that
// asks for it. The run keeps the details for its records; the report
// options only change where the prompt offered them and otherwise stay as
// the last run left them.

#include <QString>

#include <array>
#include <optional>

// The report options of a ZAMO80-mode (or single ZAMO2-4) run.
namespace run {

struct ReportOptions {
    bool showShortCircuit = false;
    bool averageAclg = false;
};

struct PreTestDetails {
    // The lot of the group (the text after "CUSTOM:" for per-electrode lots).
    QString lotNumber;
    // The notes, line breaks as CR LF.
    QString notes;
    // Per electrode (A1..P1, A2..P2).
    std::array<QString, 32> electrodeLotNumbers;
    // Empty when the prompt did not offer them (base-model units).
    std::optional<ReportOptions> reportOptions;
};

// Shown modally before a new test group. Returns what the operator entered
// when the run is to start; std::nullopt when the operator cancelled it.
class PreTestDetailsPrompt {
public:
    virtual ~PreTestDetailsPrompt() = default;
    virtual std::optional<PreTestDetails> ask() = 0;
};

// Starts every run without asking: no lot, no notes, report options unchanged.
class AcceptingPreTestDetailsPrompt : public PreTestDetailsPrompt {
public:
    std::optional<PreTestDetails> ask() override { return PreTestDetails{}; }
};

} // namespace run
