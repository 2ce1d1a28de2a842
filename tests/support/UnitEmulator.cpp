#include "support/UnitEmulator.h"

#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <utility>
#include <vector>

namespace testsupport {

namespace {

constexpr int kChannels = 16;
constexpr int kIdleSleepMs = 2;

// The fixed unit answers: diagnostics of a healthy unit in the base layout
// ("D": 10 Hz peak, temperature, supply, +5 V, -5 V, regulator, 200 V on,
// 200 V off, firmware) and the newer layout ("d": the same without the two
// 200 V flags, with the 30 kHz peak and the lid flag).
const QByteArray kBaseDiagnostics = "[D0100,0377,0372,0372,0195,1,1,1,01203]";
QByteArray newDiagnostics(bool lidClosed)
{
    return QByteArray("[d0100,0000,0372,0372,0195,0050,1,") + (lidClosed ? '0' : '1') + ",01203]";
}

QByteArray field(int value)
{
    return QByteArray::number(value).rightJustified(4, '0');
}

} // namespace

UnitEmulator::UnitEmulator(FakeSerialTree& tree) : m_tree(tree), m_thread([this] { run(); }) {}

UnitEmulator::~UnitEmulator()
{
    m_stop = true;
    m_thread.join();
}

bool UnitEmulator::add(int number, const QByteArray& product, Device device)
{
    std::lock_guard lock(m_mutex);
    device.fd = m_tree.addDevice(number, product);
    if (device.fd < 0)
        return false;
    m_devices[number] = std::move(device);
    return true;
}

bool UnitEmulator::addUnit(int number, const Unit& unit)
{
    Device d;
    d.kind = Kind::Unit;
    d.unit = unit;
    d.silent = unit.silent;
    return add(number, "FT232R USB UART", std::move(d));
}

bool UnitEmulator::addSignalGenerator(int number, bool silent)
{
    Device d;
    d.kind = Kind::SignalGenerator;
    d.silent = silent;
    return add(number, "FT232R USB UART-SG", std::move(d));
}

void UnitEmulator::setSilent(int number, bool silent)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(number);
    if (it != m_devices.end())
        it->second.silent = silent;
}

bool UnitEmulator::addDecoy(int number, const QByteArray& product)
{
    return add(number, product, Device{});
}

void UnitEmulator::reset(Device& d)
{
    d.input.clear();
    d.channels = {};
    d.mapPending = false;
}

void UnitEmulator::unplug(int number)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(number);
    if (it == m_devices.end())
        return;
    m_tree.unplug(number);
    it->second.fd = -1;
    reset(it->second);
}

bool UnitEmulator::replug(int number)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(number);
    if (it == m_devices.end())
        return false;
    reset(it->second);
    it->second.fd = m_tree.replug(number);
    return it->second.fd >= 0;
}

QStringList UnitEmulator::frames(int number) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(number);
    return it == m_devices.end() ? QStringList() : it->second.frames;
}

QByteArray UnitEmulator::received(int number) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(number);
    return it == m_devices.end() ? QByteArray() : it->second.received;
}

QList<int> UnitEmulator::rolls() const
{
    std::lock_guard lock(m_mutex);
    QList<int> all;
    for (const auto& [number, d] : m_devices)
        all += d.rolls;
    return all;
}

void UnitEmulator::run()
{
    // The station gives a unit 50 ms to answer "[*]" and the model queries;
    // on a loaded machine the emulator should not wait for a time slice.
    // Where the system allows it, the thread runs before ordinary ones.
    sched_param priority{};
    priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);

    while (!m_stop) {
        std::vector<pollfd> fds;
        {
            std::lock_guard lock(m_mutex);
            for (const auto& [number, d] : m_devices)
                if (d.fd >= 0)
                    fds.push_back({d.fd, POLLIN, 0});
        }
        // Wakes on the station's bytes, and often enough for timed answers.
        const int ready = fds.empty() ? -1 : ::poll(fds.data(), fds.size(), kIdleSleepMs);
        if (ready < 0)
            ::usleep(kIdleSleepMs * 1000);

        bool readSome = false;
        {
            std::lock_guard lock(m_mutex);
            const Clock::time_point now = Clock::now();
            for (auto& [number, d] : m_devices) {
                if (d.fd < 0)
                    continue;
                char buf[512];
                ssize_t n;
                while ((n = ::read(d.fd, buf, sizeof buf)) > 0) {
                    d.input.append(buf, n);
                    d.received.append(buf, n);
                    readSome = true;
                }
                serve(d, now);
            }
        }
        // A terminal that reports a hang-up wakes poll at once; never spin on it.
        if (ready > 0 && !readSome)
            ::usleep(kIdleSleepMs * 1000);
    }
}

void UnitEmulator::send(Device& d, const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (d.fd >= 0 && sent < bytes.size()) {
        const ssize_t n = ::write(d.fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
        if (n > 0)
            sent += n;
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            return;
    }
}

void UnitEmulator::serve(Device& d, Clock::time_point now)
{
    if (d.mapPending && now >= d.mapAt) {
        d.mapPending = false;
        send(d, channelMap(d));
    }
    if (d.kind == Kind::Decoy) {
        d.input.clear();
        return;
    }
    // A unit frames in square brackets (a channel command rides inside
    // one), the signal generator in round ones; the station sends no
    // terminator, so a frame ends at its closing bracket.
    const char open = d.kind == Kind::Unit ? '[' : '(';
    const char close = d.kind == Kind::Unit ? ']' : ')';
    for (;;) {
        const qsizetype start = d.input.indexOf(open);
        if (start < 0) {
            d.input.clear();
            return;
        }
        const qsizetype end = d.input.indexOf(close, start);
        if (end < 0) {
            d.input.remove(0, start);
            return;
        }
        const QByteArray frame = d.input.mid(start, end - start + 1);
        d.input.remove(0, end + 1);
        d.frames << QString::fromLatin1(frame);
        if (d.silent)
            continue;
        if (d.kind == Kind::Unit)
            answerUnitFrame(d, frame, now);
        else
            answerGeneratorFrame(d, frame);
    }
}

void UnitEmulator::answerUnitFrame(Device& d, const QByteArray& frame, Clock::time_point now)
{
    const QByteArray body = frame.mid(1, frame.size() - 2);
    const Model model = d.unit.model;
    const bool newModel = model != Model::Base;
    if (body == "*") {
        send(d, "[*]");
    } else if (body == "8") {
        if (model == Model::Zamo80)
            send(d, "[8]");
    } else if (body == "2") {
        if (model == Model::Zamo24)
            send(d, "[2]");
    } else if (body == "F") {
        if (d.unit.findChannelsMs <= 0) {
            send(d, channelMap(d));
        } else {
            d.mapPending = true;
            d.mapAt = now + std::chrono::milliseconds(d.unit.findChannelsMs);
        }
    } else if (body == "L") {
        if (newModel)
            send(d, d.unit.lidClosed ? "[L0]" : "[L1]");
    } else if (body == "T") {
        // The charge: the channels that took an ACLG start measure for a second.
        for (Channel& c : d.channels) {
            if (c.charging) {
                c.charging = false;
                c.doneAt = now + std::chrono::seconds(1);
            }
        }
    } else if (body == "D") {
        send(d, newModel ? newDiagnostics(d.unit.lidClosed) : kBaseDiagnostics);
    } else if (body == "d") {
        if (newModel)
            send(d, newDiagnostics(d.unit.lidClosed));
    } else if (body.startsWith('C') && body.size() > 3) {
        // "[C" + two-digit channel + channel command + "]".
        bool ok = false;
        const int channel = body.mid(1, 2).toInt(&ok);
        if (ok && channel >= 0 && channel < d.unit.channels)
            answerChannelCommand(d, channel, body.mid(3), true, now);
    } else if (body.startsWith('A') && body.size() == 1 + 5 + kChannels) {
        // "[A" + command padded with ")" to five characters + channel bits
        // + "]": the channels start at once and answer nothing.
        QByteArray command = body.mid(1, 5);
        while (command.endsWith("))"))
            command.chop(1);
        const QByteArray bits = body.mid(6, kChannels);
        for (int c = 0; c < kChannels && c < d.unit.channels; ++c)
            if (bits.at(c) == '1')
                answerChannelCommand(d, c, command, false, now);
    }
    // Everything else ("[21]", "[20]", "[3]", ...) is done without an answer.
}

void UnitEmulator::answerChannelCommand(Device& d, int channel, const QByteArray& command, bool reply,
                                        Clock::time_point now)
{
    Channel& c = d.channels[static_cast<size_t>(channel)];
    const auto answer = [&](const QByteArray& text) {
        if (reply)
            send(d, text);
    };
    if (command == "(?)") {
        if (!c.measuring) {
            answer("(*)");
        } else if (c.charging && now < c.ackUntil) {
            answer(d.unit.model == Model::Zamo24 ? "(Gt0)" : "(GT0)");
        } else if (c.charging || now < c.doneAt) {
            answer(interimReply(c, now));
        } else if (!c.beforeFinal.isEmpty()) {
            c.lastReply = std::exchange(c.beforeFinal, QByteArray());
            answer(c.lastReply);
        } else {
            c.measuring = false;
            c.lastReply = c.finalReply;
            answer(c.finalReply);
        }
    } else if (command == "(*)") {
        answer("(*)");
    } else if (command == "(L)") {
        answer(c.lastReply.isEmpty() ? QByteArray("(*)") : c.lastReply);
    } else if (command == "(X)") {
        c.measuring = false;
        c.charging = false;
    } else if (command == "(GA)") {
        startMeasuring(c, command, now, d.unit.aczSeconds, aczReply(d, channel),
                       d.unit.garbledAcz[static_cast<size_t>(channel)]);
        if (d.unit.garbledZeroInAcz[static_cast<size_t>(channel)])
            c.beforeFinal = garbled("(Gz0123)");
    } else if (command == "(Gz)" && d.unit.model != Model::Base) {
        startMeasuring(c, command, now, d.unit.aczSeconds, "(Gz0123)",
                       d.unit.garbledZero[static_cast<size_t>(channel)]);
    } else if (command == "(GS)" && d.unit.model == Model::Base) {
        // Zero, 50 mV reference, both supplies good, the initial reading and
        // three recovery readings, and the unit's seconds.
        const bool first = d.unit.garbledSdrFirst[static_cast<size_t>(channel)];
        startMeasuring(c, command, now, first ? 0 : d.unit.sdrSeconds,
                       "(GS2046,2536,0001,0001,2169,2143,2131,2122," + field(d.unit.sdrSeconds) + "*)", first);
    } else if ((command == "(GP1)" || command == "(GP2)") && d.unit.model == Model::Zamo80) {
        // Pace runs until the channel is cancelled.
        startMeasuring(c, command, now, 24 * 3600, QByteArray(), false);
    } else if (command == "(MP1)") {
        answer("(MP10010,0020,0900,0800)");
    } else if (command == "(GT)" && d.unit.model == Model::Zamo80) {
        // Acknowledged at the polls of the next second; measured once the
        // unit's charge is triggered.
        startMeasuring(c, command, now, 0, aclgReply(d, channel), d.unit.garbledAclg[static_cast<size_t>(channel)]);
        c.charging = true;
        c.ackUntil = now + std::chrono::seconds(1);
    } else if (command == "(MD1)") {
        answer("(MD12030,12,31)");
    } else if (command == "(MV1)") {
        answer("(MV100102)");
    } else if (command == "(MS1)") {
        answer("(MS1S" + QByteArray::number(channel).rightJustified(4, '0') + ")");
    }
}

void UnitEmulator::answerGeneratorFrame(Device& d, const QByteArray& frame)
{
    if (frame == "(*)") {
        send(d, "(*)");
    } else if (frame.startsWith("(g")) {
        bool ok = false;
        const int index = frame.mid(2, frame.size() - 3).toInt(&ok);
        if (ok)
            d.rolls << index;
    }
}

QByteArray UnitEmulator::channelMap(const Device& d)
{
    if (!d.unit.channelMap.isEmpty())
        return d.unit.channelMap;
    QByteArray map = "[F";
    for (int c = 0; c < kChannels; ++c)
        map += c < d.unit.channels ? '1' : '0';
    return map + "]";
}

// ACZ data: zero level 1000 and 1k reference 2000 give a gain of 1 ohm per
// count; the high flag only over the range; a healthy supply word.
QByteArray UnitEmulator::aczReply(const Device& d, int channel)
{
    const double ohms = d.unit.acz[static_cast<size_t>(channel)] != 0 ? d.unit.acz[static_cast<size_t>(channel)] : 150;
    const int high = d.unit.aczOverRange[static_cast<size_t>(channel)] ? 1 : 0;
    return "(GA" + field(1000) + "," + field(2000) + "," + field(high) + "," + field(1000 + int(std::lround(ohms)))
           + "," + field(3000) + "*)";
}

// ZAMO80 ACLG data: v50 3000 and the ve that gives the channel's reading
// through R = 50 GainVe ve / (v50 GainV50 - ve GainVe) Correct_Gain with
// the gains 401 and 2001 and the correction 0.92.
QByteArray UnitEmulator::aclgReply(const Device& d, int channel)
{
    const double given = d.unit.aclg[static_cast<size_t>(channel)];
    const double ohms = given != 0 ? given : 1;
    const int v50 = 3000;
    const double ratio = ohms * 2001 / (50 * 401 * 0.92 + ohms * 401);
    return "(GT" + field(v50) + "," + field(int(std::lround(v50 * ratio))) + "*)";
}

// A garbled reply has a letter in place of the second digit of its last
// field (of its only one, after "(G" and the reply's letter).
QByteArray UnitEmulator::garbled(QByteArray reply)
{
    const qsizetype comma = reply.lastIndexOf(',');
    reply[(comma >= 0 ? comma + 1 : 3) + 1] = 'x';
    return reply;
}

void UnitEmulator::startMeasuring(Channel& c, const QByteArray& test, Clock::time_point now, int seconds,
                                  const QByteArray& finalReply, bool garble)
{
    c = Channel{};
    c.measuring = true;
    c.test = test;
    c.startedAt = now;
    c.doneAt = now + std::chrono::seconds(seconds);
    c.finalReply = garble ? garbled(finalReply) : finalReply;
}

// What a channel answers a poll while it measures: SDR its interim reading
// with the unit's seconds, pace that it runs, any other test "(!)".
QByteArray UnitEmulator::interimReply(const Channel& c, Clock::time_point now)
{
    if (c.test == "(GS)") {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - c.startedAt).count();
        return "(GS2046,2536,0001,0002,2169,0000,0000,0000," + field(int(seconds)) + "!)";
    }
    if (c.test.startsWith("(GP"))
        return c.test.left(4) + "!)";
    return "(!)";
}

} // namespace testsupport
