#pragma once
// The empty results database that the station carries: every table, index
// and fixed row, at the revision number ResultsSchema::TemplateRevision.

#include <QString>

// Writes a new empty database file at path, whole or not at all: it is built
// under a temporary name in the same folder and then renamed over path
// (an existing file there is replaced only once the new one is complete).
// Returns path, or "" when the file could not be made (logged, and the
// cause given in why; path is then as it was).
namespace results {

QString buildEmptyDatabase(const QString& path, QString* why = nullptr);

} // namespace results
