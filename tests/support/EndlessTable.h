#pragma once
// A results database file as a hostile one could be made: a table turned
// into a view of its rows that never ends, a recursive query that counts
// for ever before it gives the first row (at full speed, in constant
// memory). Every statement that reads the table then runs until it is
// stopped.

#include "platform/DbConnection.h"

#include <QString>

namespace testsupport {

// Turns the table of the database file on the connection into such a view;
// its rows stay, in "<table>Stored". Throws platform::DbError.
void makeTableEndless(platform::DbConnection& db, const QString& table);

} // namespace testsupport
