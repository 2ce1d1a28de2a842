#pragma once
// Work on every row of a big SQLite table in pieces: a statement run once
// for each range of a fixed number of rows, in rowid order, with a pause
// between two ranges in which the caller lets the message loop run. The
// pieces run inside the caller's transaction, so the work stays whole or
// not at all; only the wait between two turns of the loop is bounded.

#include "platform/DbConnection.h"

#include <QString>

#include <functional>

namespace results {

// Rows of one range: small enough that a range of the widest table is
// written in well under a tenth of a second.
constexpr int RowsPerChunk = 5000;

// Runs statement (whose "%1" stands for the condition that picks the rows of
// a range by rowid; params are the values of its "?") once per range of rowsPerChunk rows of the table, and
// betweenChunks between two ranges. Throws platform::DbError.
void runInRowidRanges(platform::DbConnection& connection, const QString& table, const QString& statement,
                      const QList<platform::DbParameter>& params, const std::function<void()>& betweenChunks,
                      int rowsPerChunk = RowsPerChunk);

} // namespace results
