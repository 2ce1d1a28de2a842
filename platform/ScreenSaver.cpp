#include "platform/ScreenSaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace platform {

bool ScreenSaver::simulateUserActivity()
{
    static const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (!bus.interface()->isServiceRegistered(service).value())
        return false;
    const QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                             service, QStringLiteral("SimulateUserActivity"));
    // The answer is not waited for: the station never blocks on the desktop.
    return bus.send(call);
}

} // namespace platform
