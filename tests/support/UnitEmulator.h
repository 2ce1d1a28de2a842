#pragma once
// Measuring units, the signal generator and an unrelated serial device on
// the master ends of a FakeSerialTree, written from the units' wire
// protocol alone: nothing of the station's own code answers here. The
// emulator runs on a thread of its own and answers in real time, byte for
// byte in the order a real unit sends them: "[*]" and the model answer while
// the station opens the port; the channel map when "[F]" asks for it (after
// a configurable search time); channel replies only to the frames that
// address a channel, test data only when the station polls a channel with
// "(?)". A channel answers "(!)" while its measurement runs, its final
// reply once when it is done, and "(*)" (idle) after that; "(L)" repeats the
// last reply.
//
// Devices: a unit "FT232R USB UART" of the base model, ZAMO80 or ZAMO2-4
// with the first n of its 16 channels connected (or a channel map of its
// own, cut short or garbled) and an ACZ reading per channel; on a base unit
// SDR (interim replies with the unit's seconds, the final one after a set
// time); on a ZAMO80 an ACLG reading per channel (the start "(GT)"
// acknowledged "(GT0)" at the next polls, the final reading after the
// trigger "[T]"), the ACZ30 zero "(Gz)" and pace "(GP1)"/"(GP2)", which
// runs until the channel is cancelled "(X)". A channel's final replies can
// come garbled, a letter in place of a digit, as a byte spoilt on the line
// (and so every repeat); an SDR final can come garbled at the first poll,
// before any interim reply; a garbled zero reply can come before an ACZ
// final. The signal generator "FT232R USB UART-SG" acknowledges "(*)" and
// records its roll commands "(g<n>)"; a decoy with any other product text
// never answers. A device can be unplugged (the station
// loses the port) and plugged in again (a unit comes back as after power-up:
// no measurement running). A unit or the generator can be silent (on the
// bus, but answering nothing, not even the handshake) until it is fixed.

#include "support/FakeSerialTree.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace testsupport {

class UnitEmulator {
public:
    enum class Model { Base, Zamo80, Zamo24 };

    struct Unit {
        Model model = Model::Base;
        int channels = 2;             // channels 0 .. channels - 1 are connected
        std::array<double, 16> acz{}; // ACZ reading per channel, ohms (150 when 0; -100 or less: open)
        // Channels whose ACZ reading runs over the top of the range (the high
        // flag set), as an electrode without contact reads: no reading.
        std::array<bool, 16> aczOverRange{};
        // ZAMO80 ACLG reading per channel, ohms (1 when 0), with the [ACLG]
        // gains the station starts with.
        std::array<double, 16> aclg{};
        // Channels whose final ACZ or ACLG replies carry a letter in one field.
        std::array<bool, 16> garbledAcz{};
        std::array<bool, 16> garbledAclg{};
        // Channels whose ACZ30 zero reply comes garbled, and channels that
        // send a garbled zero reply before the final reply of an ACZ.
        std::array<bool, 16> garbledZero{};
        std::array<bool, 16> garbledZeroInAcz{};
        // Channels that send their SDR final reply at the first poll,
        // garbled, before any interim reply.
        std::array<bool, 16> garbledSdrFirst{};
        // The "[F]" answer when it is not the map of the connected channels
        // (a map cut short, or with another character in it).
        QByteArray channelMap;
        int aczSeconds = 6;     // how long one ACZ (or ACZ30 zero) measurement takes
        int sdrSeconds = 10;    // how long one SDR measurement takes
        int findChannelsMs = 0; // how long the channel search takes
        bool lidClosed = true;  // ZAMO80 and ZAMO2-4
        bool silent = false;    // answers nothing, not even "[*]", until fixed
    };

    explicit UnitEmulator(FakeSerialTree& tree);
    ~UnitEmulator();
    UnitEmulator(const UnitEmulator&) = delete;
    UnitEmulator& operator=(const UnitEmulator&) = delete;

    // Each adds ttyUSB<number> to the tree; false when no pseudo-terminal
    // could be had.
    bool addUnit(int number, const Unit& unit);
    // A silent generator answers nothing, not even "(*)", until fixed.
    bool addSignalGenerator(int number, bool silent = false);
    bool addDecoy(int number, const QByteArray& product = "USB2.0-Serial");

    // The device goes away, from the device tree too: the station's port
    // fails at its next use, and the converter is no longer listed.
    void unplug(int number);
    // The device is back under its name, on a fresh pseudo-terminal.
    bool replug(int number);

    // A silent device answers nothing from now on (switched off behind its
    // converter); one that is fixed answers again, as after power-up.
    void setSilent(int number, bool silent);

    // Every complete frame the device received, in order.
    QStringList frames(int number) const;
    // The roll commands the signal generator received, as electrode indexes.
    QList<int> rolls() const;
    // Every byte the device received.
    QByteArray received(int number) const;

private:
    using Clock = std::chrono::steady_clock;
    enum class Kind { Unit, SignalGenerator, Decoy };
    struct Channel {
        bool measuring = false;
        bool charging = false; // an ACLG started, waiting for the trigger
        Clock::time_point ackUntil;
        Clock::time_point startedAt;
        Clock::time_point doneAt;
        QByteArray test;        // the command that started the measurement
        QByteArray beforeFinal; // sent at the first poll once done, before the final reply
        QByteArray finalReply;
        QByteArray lastReply;
    };
    struct Device {
        Kind kind = Kind::Decoy;
        Unit unit;
        int fd = -1;
        QByteArray input;
        QByteArray received;
        QStringList frames;
        QList<int> rolls;
        std::array<Channel, 16> channels;
        bool mapPending = false;
        Clock::time_point mapAt;
        bool silent = false;
    };

    bool add(int number, const QByteArray& product, Device device);
    void run();
    void serve(Device& d, Clock::time_point now);
    static void answerUnitFrame(Device& d, const QByteArray& frame, Clock::time_point now);
    static void answerChannelCommand(Device& d, int channel, const QByteArray& command, bool reply,
                                     Clock::time_point now);
    static void answerGeneratorFrame(Device& d, const QByteArray& frame);
    static QByteArray channelMap(const Device& d);
    static QByteArray aczReply(const Device& d, int channel);
    static QByteArray aclgReply(const Device& d, int channel);
    static QByteArray interimReply(const Channel& c, Clock::time_point now);
    static void startMeasuring(Channel& c, const QByteArray& test, Clock::time_point now, int seconds,
                               const QByteArray& finalReply, bool garble);
    static QByteArray garbled(QByteArray reply);
    static void send(Device& d, const QByteArray& bytes);
    static void reset(Device& d);

    FakeSerialTree& m_tree;
    mutable std::mutex m_mutex;
    std::map<int, Device> m_devices;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace testsupport
