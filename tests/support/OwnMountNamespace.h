#pragma once
// Where this process may not mount a file system (TinyFileSystem) but the
// machine lets a user have namespaces of their own, the current test runs
// again in a child process of the same program inside a user and mount
// namespace of its own (unshare --user --map-root-user --mount), where it
// may; its outcome is the test's. No privilege is needed.
//
// In a test's body, first of all: ZAMO_MOUNT_HERE_OR_IN_OWN_NAMESPACE();
// then the test goes on where it may mount (here, or inside the child).

#include <QString>

namespace testsupport {

class OwnMountNamespace {
public:
    enum class Outcome {
        MountHere, // this process may mount (or already runs inside its own namespace)
        Passed,
        Failed,
        Skipped,
        Impossible // no namespace of its own could be made: why() says why
    };

    // Runs the current test again in its own namespace when that is needed.
    OwnMountNamespace();

    Outcome outcome() const { return m_outcome; }
    // The child's output, or why no namespace could be made.
    const QString& why() const { return m_why; }

private:
    Outcome m_outcome = Outcome::MountHere;
    QString m_why;
};

} // namespace testsupport

#define ZAMO_MOUNT_HERE_OR_IN_OWN_NAMESPACE()                                                                          \
    do {                                                                                                               \
        const testsupport::OwnMountNamespace own_namespace_;                                                           \
        switch (own_namespace_.outcome()) {                                                                            \
        case testsupport::OwnMountNamespace::Outcome::MountHere: break;                                                \
        case testsupport::OwnMountNamespace::Outcome::Passed: return;                                                  \
        case testsupport::OwnMountNamespace::Outcome::Failed:                                                          \
            FAIL() << "in a mount namespace of its own:\n" << own_namespace_.why().toStdString();                      \
        case testsupport::OwnMountNamespace::Outcome::Skipped:                                                         \
            GTEST_SKIP() << "in a mount namespace of its own:\n" << own_namespace_.why().toStdString();                \
        case testsupport::OwnMountNamespace::Outcome::Impossible:                                                      \
            GTEST_SKIP() << "no file system can be mounted here, nor in a namespace of the test's own: "               \
                         << own_namespace_.why().toStdString();                                                        \
        }                                                                                                              \
    } while (0)
