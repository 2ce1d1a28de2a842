#pragma once
// What the writers of a run's records share: the key of the row just inserted, parameters by type, and the checked
// electrode letter that names a per-electrode column.

#include "platform/DbConnection.h"
#include "platform/DbParameter.h"

#include <QString>
#include <QVariant>

namespace results {

// The key of the row that the last INSERT on the connection created ("SELECT @@IDENTITY as ID").
qint32 newKey(platform::DbConnection& connection);

platform::DbParameter integerParam(const QString& name, qint64 value);
platform::DbParameter doubleParam(const QString& name, double value);
platform::DbParameter booleanParam(const QString& name, bool value);
platform::DbParameter dateParam(const QString& name, const QDateTime& value);
platform::DbParameter textParam(const QString& name, int size, const QString& value);
platform::DbParameter longTextParam(const QString& name, const QString& value);

// The channel letter "A".."P" of channel 0..15.
QString channelLetter(int channel);
// The letter itself when it is one of "A".."P", the only texts that may
// stand in a column name; throws platform::DbError for any other text.
QString electrodeColumnLetter(const QString& letter);

// Every row of a run hangs below its test group: a Tests row below its group,
// a TestUnit row below its test, a reading or verdict row below its test unit.
// A row whose owner has no key (0 or less: no group, test or test unit was
// created) belongs to no run and is never written: false, and the log says
// which row ("<row> not recorded: it belongs to no <owner>").
bool hasOwner(qint32 ownerKey, const QString& row, const QString& owner);

} // namespace results
