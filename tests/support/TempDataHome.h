#pragma once
// Points XDG_DATA_HOME at a fresh temporary folder for the life of the
// object, so that the station's data folder starts empty.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class TempDataHome {
public:
    TempDataHome();
    ~TempDataHome();
    QString path() const { return m_dir.path(); }
    // The station's data folder inside it.
    QString stationFolder() const { return m_dir.path() + "/KIVO_ZAMO"; }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

} // namespace testsupport
