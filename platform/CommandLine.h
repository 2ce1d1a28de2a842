#pragma once
// The program's command line as one text: the arguments after the program's
// name, joined by blanks. The hidden service switches (/rida, /rida1, /rida2,
// /vadov) are looked for in it, either anywhere in it or as the whole text.

#include <QString>

namespace platform {

namespace CommandLine {

QString text();

// True when the switch occurs anywhere in the command line (case-sensitive,
// also inside a longer word).
bool contains(const QString& switchText);

// True when the command line is exactly the switch.
bool equals(const QString& switchText);

// The process has one command line: this puts another text in its place for
// every window from now on (a test's, or a start of the station inside a
// test program); a null string returns to the program's own arguments.
void replaceText(const QString& text);

} // namespace CommandLine

} // namespace platform
