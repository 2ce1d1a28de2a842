#include "results/OpenGroupNote.h"

#include "config/Log.h"

#include <QFile>
#include <QSaveFile>

namespace results {

namespace {

const QString kOpen = QStringLiteral("open");
const QString kCancel = QStringLiteral("cancel");

} // namespace

OpenGroupNote::OpenGroupNote(const QString& path) : m_path(path)
{
    QFile file(path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        config::writeLog(QStringLiteral("Unable to read the note of open test groups ") + path + QStringLiteral(": ")
                         + file.errorString());
        return;
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        if (line.isEmpty())
            continue;
        QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() > 4) // a tab inside the database's name
            fields = fields.mid(0, 3) << fields.mid(3).join(QLatin1Char('\t'));
        Entry entry;
        bool groupOk = false, uniqueOk = false;
        if (fields.size() == 4) {
            entry.groupID = fields[0].toInt(&groupOk);
            entry.uniqueGroupID = fields[1].toInt(&uniqueOk);
            entry.cancelWaiting = fields[2] == kCancel;
            entry.database = fields[3];
        }
        if (!groupOk || !uniqueOk || entry.groupID <= 0 || (fields[2] != kOpen && fields[2] != kCancel)) {
            config::writeLog(QStringLiteral("The note of open test groups ") + path + QStringLiteral(": line ")
                             + QString::number(number) + QStringLiteral(" not understood"));
            continue;
        }
        m_entries << entry;
    }
}

bool OpenGroupNote::anyCancelWaiting(const QString& database) const
{
    for (const Entry& e : m_entries)
        if (e.cancelWaiting && e.database == database)
            return true;
    return false;
}

bool OpenGroupNote::cancelIsWaiting(qint32 groupID) const
{
    const Entry* e = find(groupID);
    return e && e->cancelWaiting;
}

const OpenGroupNote::Entry* OpenGroupNote::find(qint32 groupID) const
{
    for (const Entry& e : m_entries)
        if (e.groupID == groupID)
            return &e;
    return nullptr;
}

OpenGroupNote::Entry* OpenGroupNote::find(qint32 groupID)
{
    return const_cast<Entry*>(std::as_const(*this).find(groupID));
}

void OpenGroupNote::opened(qint32 groupID, const QString& database)
{
    if (groupID <= 0)
        return;
    m_entries.removeIf([&](const Entry& e) { return e.groupID == groupID && e.database == database; });
    m_entries << Entry{groupID, 0, false, database};
    save();
}

void OpenGroupNote::numbered(qint32 groupID, qint32 uniqueGroupID)
{
    if (Entry* e = find(groupID); e && e->uniqueGroupID != uniqueGroupID) {
        e->uniqueGroupID = uniqueGroupID;
        save();
    }
}

void OpenGroupNote::cancelWaiting(qint32 groupID, const QString& database)
{
    if (groupID <= 0)
        return;
    Entry* e = find(groupID);
    if (e && e->cancelWaiting)
        return;
    if (e)
        e->cancelWaiting = true;
    else
        m_entries << Entry{groupID, 0, true, database};
    save();
}

QList<OpenGroupNote::Entry> OpenGroupNote::takeOverLeftOpen()
{
    QList<Entry> leftOpen;
    for (Entry& e : m_entries)
        if (!e.cancelWaiting) {
            leftOpen << e;
            e.cancelWaiting = true;
        }
    if (!leftOpen.isEmpty())
        save();
    return leftOpen;
}

void OpenGroupNote::closed(qint32 groupID)
{
    if (m_entries.removeIf([&](const Entry& e) { return e.groupID == groupID; }) > 0)
        save();
}

void OpenGroupNote::save()
{
    QString why;
    if (m_entries.isEmpty()) {
        QFile file(m_path);
        if (!file.exists() || file.remove())
            return;
        why = file.errorString();
    } else {
        QSaveFile file(m_path);
        if (file.open(QIODevice::WriteOnly)) {
            QByteArray text;
            for (const Entry& e : std::as_const(m_entries))
                text += QString::number(e.groupID).toUtf8() + '\t' + QByteArray::number(e.uniqueGroupID) + '\t'
                        + (e.cancelWaiting ? kCancel : kOpen).toUtf8() + '\t' + e.database.toUtf8() + '\n';
            file.write(text);
            if (file.commit())
                return;
        }
        why = file.errorString();
    }
    config::writeLog(QStringLiteral("Unable to write the note of open test groups ") + m_path + QStringLiteral(": ")
                     + why);
}

} // namespace results
