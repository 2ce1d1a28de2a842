#pragma once
// What the writers of a run's records share: the opened shared connection,
// the key of the row just inserted, parameters by type, and the checked
// electrode letter that names a per-electrode column.

#include "platform/DbConnection.h"
#include "platform/DbParameter.h"

#include <QString>
#include <QVariant>

namespace modDatabase {

// Opens the shared connection (OpenDatabase(false)); nullptr when it cannot be opened.
platform::DbConnection* OpenedConnection();

// The key of the row that the last INSERT on the connection created ("SELECT @@IDENTITY as ID").
qint32 NewKey(platform::DbConnection& connection);

platform::DbParameter IntegerParam(const QString& name, qint64 value);
platform::DbParameter DoubleParam(const QString& name, double value);
platform::DbParameter BooleanParam(const QString& name, bool value);
platform::DbParameter DateParam(const QString& name, const QDateTime& value);
platform::DbParameter TextParam(const QString& name, int size, const QString& value);
platform::DbParameter LongTextParam(const QString& name, const QString& value);

// The channel letter "A".."P" of channel 0..15.
QString ChannelLetter(int channel);
// The letter itself when it is one of "A".."P", the only texts that may
// stand in a column name; throws platform::DbError for any other text.
QString ElectrodeColumnLetter(const QString& letter);

} // namespace modDatabase
