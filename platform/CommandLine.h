#pragma once
// The program's command line as one text: the arguments after the program's
// name, joined by blanks. The hidden service switches (/rida, /rida1, /rida2,
// /vadov) are looked for in it, either anywhere in it or as the whole text.

#include <QString>

namespace CommandLine {

QString Text();

// True when the switch occurs anywhere in the command line (case-sensitive,
// also inside a longer word).
bool Contains(const QString& vSwitch);

// True when the command line is exactly the switch.
bool Equals(const QString& vSwitch);

// Tests set the command line the windows see; a null string returns to the
// program's own arguments.
void SetForTesting(const QString& text);

} // namespace CommandLine
