#pragma once
// The shape of a results database as text, to compare two databases: every
// table with its columns in order (name, type, NOT NULL, default, key), its
// autonumber key, its indexes (name, unique, column), and the fixed rows
// (every test type, the key of the Globals row, the Version row). The
// catalogue of the back end is read directly, not through station code.

#include "platform/DbConnection.h"

#include <QString>

namespace testsupport {

QString databaseCatalogue(platform::DbConnection& db);

} // namespace testsupport
