#pragma once
// SIGTERM, SIGINT and SIGHUP (a shutdown, a logout, Ctrl-C) end the station
// as File, Exit does, without its question: a run going on is cancelled,
// the log says why ("Received SIGTERM: ..."), the database is closed and
// the program ends with code 0.
//
// The handler itself only writes the signal's number into a pipe; the event
// loop reads it (a socket notifier) and does the rest on the window's thread.
// A signal that comes while the station is already ending is taken as one.

namespace ui {
class StationWindows;
}

namespace app {

// Installs the handlers once per program; a later call only hands the
// signals to the windows given there. windows: the station's windows that a
// signal ends, kept by reference until the next call.
void endOnTerminationSignals(ui::StationWindows& windows);

} // namespace app
