#pragma once
// A fake device tree for the Linux converter driver: a temporary folder with
// sys/class/tty/ttyUSB<n>/device leading into a USB device folder that holds
// the product text, and dev/ttyUSB<n> linking to the slave end of a
// pseudo-terminal pair. The test holds the master end, the "unit" side.
// ZAMO_DEVICE_ROOT points at the folder for the life of the object.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>

namespace testsupport {

class FakeSerialTree {
public:
    FakeSerialTree();
    ~FakeSerialTree();

    // False where the machine gives no pseudo-terminals (the tests skip).
    static bool pseudoTerminalsAvailable();

    QString root() const { return m_dir.path(); }

    // Adds ttyUSB<number> described as `product`; returns the master end
    // (non-blocking) or -1.
    int addDevice(int number, const QByteArray& product);
    // Closes the master end of ttyUSB<number>: the device goes away.
    void closeMaster(int number);
    // As closeMaster, and the device leaves the tree too, as an unplugged
    // converter leaves sysfs and /dev.
    void unplug(int number);
    // A fresh pseudo-terminal behind ttyUSB<number> (the device came back,
    // into the tree where it had left it); returns the new master end.
    int replug(int number);
    int master(int number) const;

    // Bytes waiting on the station's side of ttyUSB<number> (read through a
    // second descriptor of the slave end, which is never read).
    int slaveWaiting(int number) const;

    // What the master end has received so far (drains it).
    QByteArray readMaster(int number, int waitMs = 10000);
    bool writeMaster(int number, const QByteArray& data);

private:
    int openPty(int number);
    bool addEntry(int number);

    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
    std::map<int, int> m_masters;
    std::map<int, int> m_probes;
    std::map<int, QByteArray> m_products;
};

} // namespace testsupport
