#pragma once
// Makes a file or a folder unwritable for this process for the life of the
// object: its write permissions go, and where that does not stop the
// process (it runs as root) the file system's immutable attribute is set as
// well. Everything is put back by the destructor.
//
// A test asks active() and skips with why() when neither worked (root
// without the right to set the attribute, or a file system without it).

#include <QString>

namespace testsupport {

class WriteProtection {
public:
    explicit WriteProtection(const QString& path);
    ~WriteProtection();
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;

    bool active() const;
    QString why() const { return m_why; }

private:
    bool setImmutable(bool on);

    QString m_path;
    unsigned m_mode = 0;
    bool m_modeChanged = false;
    bool m_immutable = false;
    QString m_why;
};

} // namespace testsupport

// In a test: protects path and skips the test when that is not possible here.
#define ZAMO_WRITE_PROTECT(name, path)                                                                                 \
    testsupport::WriteProtection name(path);                                                                           \
    if (!name.active())                                                                                                \
    GTEST_SKIP() << "cannot make " << QString(path).toStdString() << " unwritable here: " << name.why().toStdString()
