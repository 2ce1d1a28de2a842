#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>

namespace platform {

namespace {

struct Fault {
    WholeFile::Step step;
    int errorNumber;
    QString pathEnd;
    int times; // calls still to fail; below 0: every call
};

std::optional<Fault>& activeFault()
{
    static std::optional<Fault> fault;
    return fault;
}

// True (with errno set) when a test made this step fail for the path.
bool injected(WholeFile::Step step, const QString& path)
{
    std::optional<Fault>& fault = activeFault();
    if (!fault || fault->times == 0 || fault->step != step || !path.endsWith(fault->pathEnd))
        return false;
    if (fault->times > 0)
        --fault->times;
    errno = fault->errorNumber;
    return true;
}

QString causeOf(int errorNumber)
{
    return qt_error_string(errorNumber);
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QByteArray nativeName(const QString& path)
{
    return QFile::encodeName(path);
}

// The file that a save replaces: the path itself, or the file that a
// symbolic link there names.
QString saveTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// The longest name that the folder takes, in bytes.
qsizetype longestName(const QByteArray& folder)
{
    const long longest = ::pathconf(folder.isEmpty() ? "." : folder.constData(), _PC_NAME_MAX);
    return longest > 0 ? qsizetype(longest) : qsizetype(NAME_MAX);
}

// A new, empty file beside the target, open for writing, with the mode
// given (less the umask): the target's name and a random ending, the name
// cut short (never inside a character) where the whole would pass the
// longest name that the folder takes. -1 when none could be made.
int createBeside(const QString& target, mode_t mode, QByteArray* temporary)
{
    constexpr qsizetype Ending = 7; // "." and six hexadecimal digits
    const QByteArray native = nativeName(target);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray folder = native.left(slash + 1);
    QByteArray name = native.mid(slash + 1);
    const qsizetype room = std::max<qsizetype>(0, longestName(folder) - Ending);
    if (name.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.truncate(cut);
    }
    constexpr int Attempts = 100;
    for (int i = 0; i < Attempts; ++i) {
        *temporary = folder + name
                     + QStringLiteral(".%1")
                           .arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0'))
                           .toLatin1();
        const int fd = ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    constexpr qsizetype Chunk = 1 << 20;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(std::min(Chunk, bytes.size() - done)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += n;
    }
    return true;
}

// A file system that cannot flush on request (some special ones) is no
// failure of the save.
bool syncFailed(int result)
{
    return result != 0 && errno != EINVAL && errno != ENOTSUP;
}

// Makes the rename itself last; a folder that refuses this loses nothing.
void syncFolderOf(const QString& target)
{
    const int fd = ::open(nativeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A rename that never replaces a file at the target.
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    const int result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (result == 0 || (errno != EINVAL && errno != ENOSYS))
        return result;
    // A file system without the flag.
    struct stat existing {};
    if (::lstat(to.constData(), &existing) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

// Closes fd and gives the cause of the first failure of the close.
int closeCause(int fd, bool injectedFault)
{
    const int cause = injectedFault ? errno : 0;
    if (::close(fd) != 0 && cause == 0)
        return errno;
    return cause;
}

} // namespace

WholeFile::ReadResult WholeFile::read(const QString& path, QByteArray* bytes, QString* error)
{
    bytes->clear();
    int fd = -1;
    if (!injected(Step::Open, path))
        fd = ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int cause = errno;
        setError(error, causeOf(cause));
        return cause == ENOENT || cause == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int cause = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        setError(error, causeOf(cause));
        return ReadResult::Failed;
    }
    QByteArray data;
    data.reserve(qsizetype(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = injected(Step::Read, path) ? -1 : ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int cause = errno;
            ::close(fd);
            setError(error, causeOf(cause));
            return ReadResult::Failed;
        }
        data.append(buffer, n);
    }
    ::close(fd);
    *bytes = std::move(data);
    return ReadResult::Read;
}

bool WholeFile::save(const QString& path, const QByteArray& bytes, QString* error, NewFileAccess newFile)
{
    const QString target = saveTarget(path);
    struct stat old {};
    const bool existed = ::stat(nativeName(target).constData(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) {
        setError(error, causeOf(EISDIR));
        return false;
    }
    if (existed && ::access(nativeName(target).constData(), W_OK) != 0) {
        setError(error, causeOf(errno));
        return false;
    }

    QByteArray temporaryName;
    const mode_t mode = newFile == NewFileAccess::OwnerOnly ? 0600 : 0666;
    const int fd = injected(Step::Create, path) ? -1 : createBeside(target, mode, &temporaryName);
    if (fd < 0) {
        setError(error, causeOf(errno));
        return false;
    }
    if (existed)
        ::fchmod(fd, old.st_mode & 07777);

    auto fail = [&](int cause, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temporaryName.constData());
        setError(error, causeOf(cause));
        return false;
    };
    if (injected(Step::Write, path) || !writeAll(fd, bytes))
        return fail(errno, true);
    if (injected(Step::Sync, path) || syncFailed(::fsync(fd)))
        return fail(errno, true);
    int closeCause = 0;
    if (injected(Step::Close, path)) {
        closeCause = errno;
        ::close(fd);
    } else if (::close(fd) != 0) {
        closeCause = errno;
    }
    if (closeCause != 0)
        return fail(closeCause, false);
    if (injected(Step::Rename, path) || ::rename(temporaryName.constData(), nativeName(target).constData()) != 0)
        return fail(errno, false);
    syncFolderOf(target);
    return true;
}

bool WholeFile::copy(const QString& source, const QString& target, const CopyProgress& progress, QString* error)
{
    const int in = injected(Step::Open, source) ? -1 : ::open(nativeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        setError(error, causeOf(errno));
        return false;
    }
    struct stat info {};
    struct stat existing {};
    int refused = 0;
    if (::fstat(in, &info) != 0)
        refused = errno;
    else if (S_ISDIR(info.st_mode))
        refused = EISDIR;
    else if (::lstat(nativeName(target).constData(), &existing) == 0)
        refused = EEXIST;
    QByteArray temporaryName;
    const int out = refused != 0                     ? -1
                    : injected(Step::Create, target) ? -1
                                                     : createBeside(target, 0666, &temporaryName);
    if (out < 0) {
        const int cause = refused != 0 ? refused : errno;
        ::close(in);
        setError(error, causeOf(cause));
        return false;
    }
    ::fchmod(out, info.st_mode & 07777);
    auto fail = [&](int cause, bool outOpen) {
        ::close(in);
        if (outOpen)
            ::close(out);
        ::unlink(temporaryName.constData());
        setError(error, causeOf(cause));
        return false;
    };
    const qint64 total = qint64(info.st_size);
    qint64 copied = 0;
    if (progress && !progress(0, total))
        return fail(ECANCELED, true);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = injected(Step::Read, source) ? -1 : ::read(in, chunk.data(), size_t(chunk.size()));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno, true);
        }
        if (injected(Step::Write, target) || !writeAll(out, QByteArray::fromRawData(chunk.constData(), n)))
            return fail(errno, true);
        copied += n;
        if (progress && !progress(copied, total))
            return fail(ECANCELED, true);
    }
    if (injected(Step::Sync, target) || syncFailed(::fsync(out)))
        return fail(errno, true);
    if (const int cause = closeCause(out, injected(Step::Close, target)); cause != 0)
        return fail(cause, false);
    ::close(in);
    if (injected(Step::Rename, target) || renameNoReplace(temporaryName, nativeName(target)) != 0) {
        const int cause = errno;
        ::unlink(temporaryName.constData());
        setError(error, causeOf(cause));
        return false;
    }
    syncFolderOf(target);
    return true;
}

bool WholeFile::move(const QString& source, const QString& target, QString* error)
{
    if (injected(Step::Rename, target)) {
        setError(error, causeOf(errno));
        return false;
    }
    if (renameNoReplace(nativeName(source), nativeName(target)) == 0) {
        syncFolderOf(target);
        syncFolderOf(source);
        return true;
    }
    if (errno != EXDEV) {
        setError(error, causeOf(errno));
        return false;
    }
    // Another file system: the whole copy first, the source removed last.
    if (!copy(source, target, {}, error))
        return false;
    if (::unlink(nativeName(source).constData()) != 0) {
        const int cause = errno;
        ::unlink(nativeName(target).constData());
        setError(error, causeOf(cause));
        return false;
    }
    syncFolderOf(source);
    return true;
}

WholeFile::SimulatedFault::SimulatedFault(Step step, int errorNumber, const QString& pathEnd, int times)
{
    activeFault() = Fault{step, errorNumber, pathEnd, times};
}

WholeFile::SimulatedFault::~SimulatedFault()
{
    activeFault().reset();
}

} // namespace platform
