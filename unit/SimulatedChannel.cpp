#include "unit/SimulatedChannel.h"

namespace unit {

namespace {

QString digits4(qint32 value)
{
    return QString::number(value).rightJustified(4, '0');
}

const QString AczFinalBase = QStringLiteral("(GA2130,3593,0000,2175,1470*)");
const QString AczFinalZamo80 = QStringLiteral("(GA2130,3593,0000,2175,0000*)");
const QString AczFinalZamo80Channel0 = QStringLiteral("(GA2130,3593,9999,2175,0000*)");
const QString Acz30FinalZamo80 = QStringLiteral("(Ga2130,3593,0000,2175,0000*)");

} // namespace

void SimulatedChannel::init(qint16 channel, bool zamo80, bool zamo24)
{
    m_testName.clear();
    m_lastReply.clear();
    m_data.clear();
    m_testActive = false;
    m_elapsed = 0;
    m_startClock = 0;
    m_resendCount = 0;
    if (channel >= 0)
        m_channel = channel;
    m_zamo80 = zamo80;
    m_zamo24 = zamo24;
}

void SimulatedChannel::rxCommand(const QString& cmd, qint32 clock)
{
    if (m_startClock == 0)
        m_startClock = clock;
    m_elapsed = clock - m_startClock;

    const QString kind = cmd.mid(1, 1);
    const QString sub = cmd.mid(2, 2);
    if (kind == "*") {
        m_data = "(*)";
    } else if (kind == "M") {
        if (sub == "D1")
            m_data = "(MD12010,01,02)";
        else if (sub == "V1")
            m_data = "(MV100101)";
        else if (sub == "S1")
            m_data = "(MS1999" + QString::number(m_channel).rightJustified(2, '0') + ")";
        else if (sub == "p1")
            m_data = "(Mp11234,5678,1234,5678,1000,0700)";
    } else if (kind == "?") {
        m_data = pollReply();
    } else if (kind == "G") {
        if (sub == "A)")
            startTest("ACZ");
        else if (sub == "a)")
            startTest("ACZ30");
        else if (sub == "T)" || sub == "t)")
            startTest("ACLG");
        else if (sub == "R)")
            startTest("DEFR");
        else if (sub == "P1" || sub == "p1")
            startTest("PACE1");
        else if (sub == "P2" || sub == "p2")
            startTest("PACE2");
        else if (sub == "N1")
            startTest("NOISE");
        else if (sub == "D1" || sub == "d1")
            startTest("DCO");
        else if (sub == "B1")
            startTest("BIAS");
        else if (sub == "B0")
            endBiasTest();
        else if (sub == "S)")
            startTest("SDR");
    } else if (kind == "X") {
        init(-1, m_zamo80, m_zamo24);
    } else if (kind == "L") {
        resend();
    }
}

void SimulatedChannel::startTest(const QString& name)
{
    init(-1, m_zamo80, m_zamo24);
    m_testName = name;
    m_testActive = true;
    m_data = pollReply();
}

void SimulatedChannel::endBiasTest()
{
    m_data = "(GB02022,2513,2046,2054," + biasTime() + "*)";
    m_testActive = false;
}

QString SimulatedChannel::pollReply()
{
    if (!m_testActive)
        return "(*)";
    const QString reply = testReply();
    if (reply.isEmpty())
        return "(!)";
    m_lastReply = reply;
    return reply;
}

QString SimulatedChannel::testReply()
{
    const qint32 e = m_elapsed;
    const QString& t = m_testName;
    if (t == "ACZ") {
        if (e < 15)
            return {};
        m_testActive = false;
        if (!m_zamo80)
            return AczFinalBase;
        return onChannel0() ? AczFinalZamo80Channel0 : AczFinalZamo80;
    }
    if (t == "ACZ30") {
        if (e < 15)
            return {};
        m_testActive = false;
        return m_zamo80 ? Acz30FinalZamo80 : QString();
    }
    if (t == "ACLG") {
        const QString ack = m_zamo24 ? "(Gt0)" : "(GT0)";
        if (e <= 3)
            return ack;
        if (e < 20)
            return {};
        m_testActive = false;
        return m_zamo24 ? "(Gt0064,0076,3034,2749,1310,1205*)" : "(GT2130,3593*)";
    }
    if (t == "DEFR") {
        if (e <= 3)
            return "(GR0)";
        if (e == 4)
            return "(GR2022,2513,7492,0008,0000,0000," + elapsedText() + "!)";
        if (e < 60)
            return "(GR2022,2513,7492,0008,2031,0000," + elapsedText() + "!)";
        m_testActive = false;
        return "(GR2022,2513,7492,0008,2031,1222,0060*)";
    }
    if (t == "NOISE") {
        const QString body = "(GN12182,3386,0212,2208,2881," + elapsedText();
        if (e < 360)
            return body + "!)";
        m_testActive = false;
        return body + "*)";
    }
    if (t == "DCO") {
        QString prefix;
        if (m_zamo80)
            prefix = "(Gd12022,2513,7492,0008,2031,";
        else
            prefix = onChannel0() ? "(GD12022,2513,2031," : "(GD12022,0000,2031,";
        if (e < 60)
            return prefix + elapsedText() + "!)";
        m_testActive = false;
        return prefix + elapsedText() + "*)";
    }
    if (t == "BIAS") {
        const QString prefix = onChannel0() ? "(GB12022,0000,2046,2054,2054," : "(GB12022,1212,2046,2054,2054,";
        return prefix + biasTime() + "!)";
    }
    if (t == "SDR") {
        if (e >= 35) {
            m_testActive = false;
            return "(GS2046,2536,0001,0001,2169,2143,2131,2122,0035*)";
        }
        if (e == 5)
            return "(GS2046,2536,0001,0002,2169,0000,0000,0000,0005!)";
        if (e == 15)
            return "(GS2046,2536,0001,0002,2169,2143,0000,0000,0015!)";
        if (e == 25)
            return "(GS2046,2536,0001,0002,2169,2143,2131,0000,0025!)";
        return {};
    }
    if (t == "PACE1")
        return m_zamo24 ? "(Gp1!)" : "(GP1!)";
    if (t == "PACE2")
        return m_zamo24 ? "(Gp2!)" : "(GP2!)";
    return {};
}

void SimulatedChannel::resend()
{
    m_data = m_lastReply;
    ++m_resendCount;
    if (m_resendCount != 3)
        return;
    QString alternate;
    if (!alternateReply(&alternate))
        return;
    m_data = alternate;
    m_lastReply = alternate;
}

bool SimulatedChannel::alternateReply(QString* reply)
{
    const qint32 e = m_elapsed;
    const QString& t = m_testName;
    if (t == "ACZ") {
        *reply = m_zamo80 ? AczFinalZamo80 : AczFinalBase;
    } else if (t == "ACZ30") {
        *reply = m_zamo80 ? Acz30FinalZamo80 : QString();
    } else if (t == "BIAS") {
        *reply = "(GB12022,2525,2046,2054,2054," + biasTime() + "!)";
    } else if (t == "DCO") {
        const QString prefix = m_zamo80 ? "(GD12022,2513,7492,0008,2031," : "(GD12022,2513,2031,";
        *reply = prefix + elapsedText() + (e < 60 ? "!)" : "*)");
        m_resendCount = 0;
    } else if (t == "NOISE") {
        *reply = "(GN12182,3386,0212,3208,2881," + elapsedText() + (e < 360 ? "!)" : "*)");
    } else {
        return false;
    }
    return true;
}

QString SimulatedChannel::biasTime() const
{
    return digits4(m_elapsed / 60) + "," + digits4(m_elapsed % 60);
}

QString SimulatedChannel::elapsedText() const
{
    return digits4(m_elapsed);
}

} // namespace unit
