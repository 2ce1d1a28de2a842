#include "platform/IniFile.h"

#include "platform/IniText.h"

#include <QFile>

#include <sys/stat.h>

#include <cerrno>
#include <ctime>
#include <memory>
#include <optional>

namespace platform {

namespace {

// A text kept since its file last changed is trusted only when that change
// lies further back than this before the text was read: file times are
// coarser than the clock, so a change just after the read could carry the
// very same times.
constexpr qint64 UncertainNs = 1'000'000'000;
// Files kept at once (settings.ini and a few .lim files).
constexpr qsizetype KeptFiles = 4;

qint64 nanoseconds(const timespec& t)
{
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

qint64 nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return nanoseconds(t);
}

// What tells one state of a file on disk from another.
struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 modified = 0;
    qint64 changed = 0;

    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const struct stat& info)
{
    return Stamp{info.st_dev, info.st_ino, info.st_size, nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

struct Kept {
    QString path;
    Stamp stamp;
    qint64 readAt = 0; // the clock just before its bytes were read
    std::shared_ptr<const IniText> text;
};

QList<Kept>& kept()
{
    static QList<Kept> files;
    return files;
}

qsizetype keptIndex(const QString& path)
{
    for (qsizetype i = 0; i < kept().size(); ++i) {
        if (kept()[i].path == path)
            return i;
    }
    return -1;
}

void forget(const QString& path)
{
    if (const qsizetype i = keptIndex(path); i >= 0)
        kept().removeAt(i);
}

void keep(Kept entry)
{
    forget(entry.path);
    kept().prepend(std::move(entry));
    if (kept().size() > KeptFiles)
        kept().removeLast();
}

enum class Load { Text, Missing, Failed };

// The file's text, from what is kept when the file is as it was then.
Load load(const QString& path, std::shared_ptr<const IniText>* text, QString* error)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const int cause = errno;
        forget(path);
        if (cause == ENOENT || cause == ENOTDIR)
            return Load::Missing;
        *error = qt_error_string(cause);
        return Load::Failed;
    }
    const Stamp stamp = stampOf(info);
    const qsizetype i = keptIndex(path);
    if (i >= 0 && kept()[i].stamp == stamp && stamp.changed < kept()[i].readAt - UncertainNs) {
        *text = kept()[i].text;
        return Load::Text;
    }

    const qint64 readAt = nowNs();
    QByteArray bytes;
    switch (WholeFile::read(path, &bytes, error)) {
    case WholeFile::ReadResult::Missing: forget(path); return Load::Missing;
    case WholeFile::ReadResult::Failed: forget(path); return Load::Failed;
    case WholeFile::ReadResult::Read: break;
    }
    // Bytes as they were keep the split already made.
    if (i >= 0 && kept()[i].text->data() == bytes)
        *text = kept()[i].text;
    else
        *text = std::make_shared<const IniText>(std::move(bytes));
    keep(Kept{path, stamp, readAt, *text});
    return Load::Text;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(u'\n') || s.contains(u'\r');
}

bool breaksLines(const IniFile::Key& k)
{
    const QString key = k.key.trimmed();
    return key.isEmpty() || key.contains(u'=') || hasLineBreak(k.key) || hasLineBreak(k.section)
           || k.section.contains(u']') || hasLineBreak(k.value);
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// The key's value as a read gives it.
QString valueOf(const IniText& text, const QString& section, const QString& key)
{
    return text.locate(section, key).value.left(IniFile::MaxValueLength);
}

} // namespace

QString IniFile::read(const QString& path, const QString& section, const QString& key)
{
    QString error;
    return read(path, section, key, &error);
}

QString IniFile::read(const QString& path, const QString& section, const QString& key, QString* error)
{
    error->clear();
    std::shared_ptr<const IniText> text;
    QString cause;
    if (load(path, &text, &cause) != Load::Text) {
        *error = cause;
        return QString();
    }
    return valueOf(*text, section, key);
}

QString IniFile::whyNotKept(const QString& value)
{
    if (hasLineBreak(value))
        return QStringLiteral("it holds a line break, which the file cannot hold");
    const QString section = QStringLiteral("S");
    const QString key = QStringLiteral("K");
    if (valueOf(IniText(IniText().withKey(section, key, value)), section, key) == value)
        return QString();
    if (value != value.trimmed())
        return QStringLiteral("it begins or ends with a blank, which the file does not keep");
    if (value.size() > MaxValueLength)
        return QStringLiteral("it is longer than %1 characters, of which the file keeps only the first %1")
            .arg(MaxValueLength);
    return QStringLiteral("the file would not give it back as it is");
}

bool IniFile::readable(const QString& path, QString* error)
{
    std::shared_ptr<const IniText> text;
    QString cause;
    const Load result = load(path, &text, &cause);
    *error = result == Load::Failed ? cause : QString();
    return result != Load::Failed;
}

bool IniFile::write(const QString& path, const QString& section, const QString& key, const QString& value,
                    QString* error)
{
    return write(path, QList<Key>{Key{section, key, value}}, error);
}

bool IniFile::write(const QString& path, const QList<Key>& keys, QString* error, WholeFile::NewFileAccess newFile)
{
    for (const Key& k : keys) {
        if (breaksLines(k)) {
            setError(error, QStringLiteral("the section, key or value would break the file's lines"));
            return false;
        }
    }
    std::shared_ptr<const IniText> text;
    QString cause;
    const Load loaded = load(path, &text, &cause);
    if (loaded == Load::Failed) {
        setError(error, cause);
        return false;
    }
    if (loaded == Load::Missing)
        text = std::make_shared<const IniText>();
    const std::shared_ptr<const IniText> before = text;
    for (const Key& k : keys)
        text = std::make_shared<const IniText>(text->withKey(k.section, k.key.trimmed(), k.value));
    // A file that already holds every value is left alone (start-up writes
    // back values that are there).
    if (loaded == Load::Text && text->data() == before->data())
        return true;

    const qint64 writtenAt = nowNs();
    if (!WholeFile::save(path, text->data(), error, newFile))
        return false;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        keep(Kept{path, stampOf(info), writtenAt, text});
    else
        forget(path);
    return true;
}

void IniFile::forgetAll()
{
    kept().clear();
}

} // namespace platform
