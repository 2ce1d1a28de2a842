#pragma once
// Files read and written whole, so that a failing disk never costs what is
// already stored.
//
// save() puts the bytes into a new file beside the target, writes them all,
// flushes them to the disk and closes the file, checking every step, and only
// then lets the new file take the target's place (one rename). When any step
// fails (a full disk, a medium that reports an error at flush or close, a
// folder that cannot be written) the target stays exactly as it was, the new
// file is removed, and the cause comes back as text for the log or the
// operator. A target that exists but may not be written is refused as a
// whole, as is a folder in the target's place. The new file takes the old
// one's permission bits; a file that the save creates gets the default mode
// (0666 less the umask) or, when the caller asks, its owner's alone (0600)
// from the start. A symbolic link is followed to the file it names. The new
// file is named after the target with a random ending, the name cut short
// where need be, so that every name the file system takes can be saved.
//
// read() reads a file in one go and tells a missing file (nothing at the
// path) from one that is there but cannot be read (no permission, a folder,
// a read error).
//
// copy() copies a file of any size chunk by chunk in the same way: into a
// new file beside the target, flushed and closed, then renamed to the target,
// which must not exist yet; the caller hears of every chunk. move() renames a
// file, or where source and target lie on different file systems copies it
// whole and only then removes the source. Neither ever replaces a file.
//
// Tests make single steps fail with SimulatedFault, as a full disk or a
// broken medium would.

#include <QByteArray>
#include <QString>

#include <functional>

namespace platform {

class WholeFile {
public:
    enum class ReadResult { Read, Missing, Failed };

    // Reads the file into *bytes. On Missing or Failed *bytes is emptied and
    // *error (when given) holds the cause.
    static ReadResult read(const QString& path, QByteArray* bytes, QString* error = nullptr);

    // Who may read and write a file that a save creates.
    enum class NewFileAccess { Default, OwnerOnly };

    // Replaces the file with the bytes (creating it when missing, with the
    // access given). False, with the cause in *error, when the file could
    // not be replaced; the old file is then untouched.
    static bool save(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                     NewFileAccess newFile = NewFileAccess::Default);

    // Bytes copied so far, and the size of the whole file; false stops the
    // copy.
    using CopyProgress = std::function<bool(qint64 copied, qint64 total)>;

    // Copies source to target (which must not exist), telling progress at
    // the start and after every chunk. False, with the cause in *error, when
    // the copy could not be made whole or progress stopped it; nothing is
    // then left at target.
    static bool copy(const QString& source, const QString& target, const CopyProgress& progress,
                     QString* error = nullptr);
    // Moves source to target (which must not exist). False, with the cause
    // in *error, when it could not; source is then where it was.
    static bool move(const QString& source, const QString& target, QString* error = nullptr);

    // The steps at which a test can make a read or a save fail.
    enum class Step { Open, Read, Create, Write, Sync, Close, Rename };

    // For the life of the object, every call of the step on a path that ends
    // with pathEnd (every path when empty) fails with the system error
    // number given (ENOSPC, EIO, EACCES, ...); with times given, only that
    // many calls fail. A copy opens and reads its source, and creates,
    // writes, syncs, closes and renames to its target; a move renames to its
    // target. One fault at a time.
    class SimulatedFault {
    public:
        SimulatedFault(Step step, int errorNumber, const QString& pathEnd = QString(), int times = -1);
        ~SimulatedFault();
        SimulatedFault(const SimulatedFault&) = delete;
        SimulatedFault& operator=(const SimulatedFault&) = delete;
    };
};

} // namespace platform
