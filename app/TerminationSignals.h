#pragma once
// SIGTERM, SIGINT and SIGHUP (a shutdown, a logout, Ctrl-C) end the station
// as File, Exit does, without its question: a run going on is cancelled,
// the log says why ("Received SIGTERM: ..."), the database is closed and
// the program ends with code 0.
//
// The handler itself only writes the signal's number into a pipe; the event
// loop reads it (a socket notifier) and does the rest on the window's thread.
// A signal that comes while the station is already ending is taken as one.

namespace app {

// Installs the handlers once per program; later calls do nothing.
void endOnTerminationSignals();

} // namespace app
