#pragma once
// The operator log: every line the station tells the operator, its rolling
// buffer, and the unit status caption rules.

#include "config/ProgramSwitches.h"

#include <QString>

#include <functional>

// Writes an operator line to the log file (when asked, or always with the
// diagnostic log on), to its buffer, and to the status window's display
// while that is open, not paused and not inhibited for the line (the program
// switches it is built with, kept by reference, say which). The buffer
// holds every line since the program started, each ended by CR LF, cut back
// as CommLog says (not while the diagnostic log is on). A failure never
// reaches the caller: the line is then lost for what had not been done.
namespace run {

class OperatorLog {
public:
    // Shows a line in the status window (which cuts back its own text first).
    using Display = std::function<void(const QString&)>;

    explicit OperatorLog(const config::ProgramSwitches& switches) : m_switches(switches) {}

    void setDisplay(Display display) { m_display = std::move(display); }
    void write(const QString& line, bool recordToLog, bool inhibitDisplay);
    const QString& text() const { return m_text; }
    // Forgets every line so far (the log file keeps them).
    void clear() { m_text.clear(); }

private:
    const config::ProgramSwitches& m_switches;
    QString m_text;
    Display m_display;
};

namespace CommLog {

// Once a buffer is longer than this many characters it is cut back so that
// it keeps its text from the KeepFromCharacter-th character on.
constexpr int MaxLength = 99999;
constexpr int KeepFromCharacter = 50000; // 1-based

// Appends the line and CR LF to the buffer.
void appendLine(QString& buffer, const QString& line);
// Cuts the buffer back when it is longer than MaxLength; true when it did.
bool cutBack(QString& buffer);

// The unit status caption after an error status: the note goes after the
// first "*" of the caption (replacing what followed it), or is appended as
// " *<status>*" when the caption has no star yet.
QString captionWithError(const QString& caption, const QString& status);

} // namespace CommLog

} // namespace run
