#pragma once
// A device emulator on the master ends of a FakeSerialTree. It stands
// between the station and the Linux converter driver only to know when the
// station has written: after every write it collects the frames that
// arrived at the master ends, hands each complete frame to the responder of
// its device and writes the answer back, and returns once the answer has
// reached the station's side. The bytes themselves go through the real
// pseudo-terminals.

#include "platform/LinuxSerialD2xx.h"
#include "support/FakeSerialTree.h"

#include <QByteArray>

#include <functional>
#include <map>

namespace testsupport {

class PtyUnitEmulator : public platform::LinuxSerialD2xx {
public:
    // Answers one complete frame; returns what the device sends back.
    using Responder = std::function<QByteArray(const QByteArray& frame)>;

    explicit PtyUnitEmulator(FakeSerialTree& tree) : m_tree(tree) {}

    // Frames of ttyUSB<number> end with `frameEnd` ("]" for a unit, ")" for
    // the signal generator).
    void setResponder(int number, char frameEnd, Responder responder);
    // Writes bytes from the device at any time (for replies that a device
    // sends on its own, such as the simulated unit's broadcast answers).
    void send(int number, const QByteArray& bytes);
    // Everything each device received, in order.
    QByteArray received(int number) const;

    platform::FtStatus write(platform::FtHandle handle, const QByteArray& data, std::int32_t* written) override;

private:
    struct Device {
        char frameEnd = ']';
        Responder responder;
        QByteArray pending;
        QByteArray log;
    };
    void answer(int number, Device& d);

    FakeSerialTree& m_tree;
    std::map<int, Device> m_devices;
};

} // namespace testsupport
