#include "support/TempDataHome.h"

#include <QStandardPaths>

namespace testsupport {

TempDataHome::TempDataHome()
{
    m_hadPrevious = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    m_previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", m_dir.path().toLocal8Bit());
}

TempDataHome::~TempDataHome()
{
    if (m_hadPrevious)
        qputenv("XDG_DATA_HOME", m_previous);
    else
        qunsetenv("XDG_DATA_HOME");
}

} // namespace testsupport
