#pragma once
// A small tmpfs mounted on a folder for the life of the object, to show what
// a full disk does to the files written there. Mounting needs the right to
// (root in the test containers); without it mounted() is false and the test
// skips itself.

#include <QString>

namespace testsupport {

class TinyFileSystem {
public:
    // Mounts a file system of the size given (bytes) on the folder, which
    // must exist and be empty.
    TinyFileSystem(const QString& folder, qint64 size);
    ~TinyFileSystem();
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    // Why it could not be mounted.
    QString whyNot() const { return m_whyNot; }

    // Takes every free byte with one file, so that the next write finds the
    // disk full; unfill() gives the room back.
    void fill();
    void unfill();

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_whyNot;
};

} // namespace testsupport
