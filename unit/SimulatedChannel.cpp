#include "unit/SimulatedChannel.h"

namespace {

QString Digits4(qint32 value)
{
    return QString::number(value).rightJustified(4, '0');
}

const QString AczFinalBase = QStringLiteral("(GA2130,3593,0000,2175,1470*)");
const QString AczFinalZamo80 = QStringLiteral("(GA2130,3593,0000,2175,0000*)");
const QString AczFinalZamo80Channel0 = QStringLiteral("(GA2130,3593,9999,2175,0000*)");
const QString Acz30FinalZamo80 = QStringLiteral("(Ga2130,3593,0000,2175,0000*)");

} // namespace

void clsSimChannel::Init(qint16 vChannelID, bool vZamo80, bool vZamo24)
{
    m_TestName.clear();
    m_LastReply.clear();
    m_Data.clear();
    m_TestActive = false;
    m_Elapsed = 0;
    m_StartClock = 0;
    m_ResendCount = 0;
    if (vChannelID >= 0)
        m_ChannelID = vChannelID;
    m_Zamo80 = vZamo80;
    m_Zamo24 = vZamo24;
}

void clsSimChannel::RXCommand(const QString& vCmd, qint32 vClock)
{
    if (m_StartClock == 0)
        m_StartClock = vClock;
    m_Elapsed = vClock - m_StartClock;

    const QString kind = vCmd.mid(1, 1);
    const QString sub = vCmd.mid(2, 2);
    if (kind == "*") {
        m_Data = "(*)";
    } else if (kind == "M") {
        if (sub == "D1")
            m_Data = "(MD12010,01,02)";
        else if (sub == "V1")
            m_Data = "(MV100101)";
        else if (sub == "S1")
            m_Data = "(MS1999" + QString::number(m_ChannelID).rightJustified(2, '0') + ")";
        else if (sub == "p1")
            m_Data = "(Mp11234,5678,1234,5678,1000,0700)";
    } else if (kind == "?") {
        m_Data = PollReply();
    } else if (kind == "G") {
        if (sub == "A)")
            StartTest("ACZ");
        else if (sub == "a)")
            StartTest("ACZ30");
        else if (sub == "T)" || sub == "t)")
            StartTest("ACLG");
        else if (sub == "R)")
            StartTest("DEFR");
        else if (sub == "P1" || sub == "p1")
            StartTest("PACE1");
        else if (sub == "P2" || sub == "p2")
            StartTest("PACE2");
        else if (sub == "N1")
            StartTest("NOISE");
        else if (sub == "D1" || sub == "d1")
            StartTest("DCO");
        else if (sub == "B1")
            StartTest("BIAS");
        else if (sub == "B0")
            EndBiasTest();
        else if (sub == "S)")
            StartTest("SDR");
    } else if (kind == "X") {
        Init(-1, m_Zamo80, m_Zamo24);
    } else if (kind == "L") {
        Resend();
    }
}

void clsSimChannel::StartTest(const QString& name)
{
    Init(-1, m_Zamo80, m_Zamo24);
    m_TestName = name;
    m_TestActive = true;
    m_Data = PollReply();
}

void clsSimChannel::EndBiasTest()
{
    m_Data = "(GB02022,2513,2046,2054," + BiasTime() + "*)";
    m_TestActive = false;
}

QString clsSimChannel::PollReply()
{
    if (!m_TestActive)
        return "(*)";
    const QString reply = TestReply();
    if (reply.isEmpty())
        return "(!)";
    m_LastReply = reply;
    return reply;
}

QString clsSimChannel::TestReply()
{
    const qint32 e = m_Elapsed;
    const QString& t = m_TestName;
    if (t == "ACZ") {
        if (e < 15)
            return {};
        m_TestActive = false;
        if (!m_Zamo80)
            return AczFinalBase;
        return OnChannel0() ? AczFinalZamo80Channel0 : AczFinalZamo80;
    }
    if (t == "ACZ30") {
        if (e < 15)
            return {};
        m_TestActive = false;
        return m_Zamo80 ? Acz30FinalZamo80 : QString();
    }
    if (t == "ACLG") {
        const QString ack = m_Zamo24 ? "(Gt0)" : "(GT0)";
        if (e <= 3)
            return ack;
        if (e < 20)
            return {};
        m_TestActive = false;
        return m_Zamo24 ? "(Gt0064,0076,3034,2749,1310,1205*)" : "(GT2130,3593*)";
    }
    if (t == "DEFR") {
        if (e <= 3)
            return "(GR0)";
        if (e == 4)
            return "(GR2022,2513,7492,0008,0000,0000," + ElapsedText() + "!)";
        if (e < 60)
            return "(GR2022,2513,7492,0008,2031,0000," + ElapsedText() + "!)";
        m_TestActive = false;
        return "(GR2022,2513,7492,0008,2031,1222,0060*)";
    }
    if (t == "NOISE") {
        const QString body = "(GN12182,3386,0212,2208,2881," + ElapsedText();
        if (e < 360)
            return body + "!)";
        m_TestActive = false;
        return body + "*)";
    }
    if (t == "DCO") {
        QString prefix;
        if (m_Zamo80)
            prefix = "(Gd12022,2513,7492,0008,2031,";
        else
            prefix = OnChannel0() ? "(GD12022,2513,2031," : "(GD12022,0000,2031,";
        if (e < 60)
            return prefix + ElapsedText() + "!)";
        m_TestActive = false;
        return prefix + ElapsedText() + "*)";
    }
    if (t == "BIAS") {
        const QString prefix = OnChannel0() ? "(GB12022,0000,2046,2054,2054," : "(GB12022,1212,2046,2054,2054,";
        return prefix + BiasTime() + "!)";
    }
    if (t == "SDR") {
        if (e >= 35) {
            m_TestActive = false;
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
        return m_Zamo24 ? "(Gp1!)" : "(GP1!)";
    if (t == "PACE2")
        return m_Zamo24 ? "(Gp2!)" : "(GP2!)";
    return {};
}

void clsSimChannel::Resend()
{
    m_Data = m_LastReply;
    ++m_ResendCount;
    if (m_ResendCount != 3)
        return;
    QString alternate;
    if (!AlternateReply(&alternate))
        return;
    m_Data = alternate;
    m_LastReply = alternate;
}

bool clsSimChannel::AlternateReply(QString* reply)
{
    const qint32 e = m_Elapsed;
    const QString& t = m_TestName;
    if (t == "ACZ") {
        *reply = m_Zamo80 ? AczFinalZamo80 : AczFinalBase;
    } else if (t == "ACZ30") {
        *reply = m_Zamo80 ? Acz30FinalZamo80 : QString();
    } else if (t == "BIAS") {
        *reply = "(GB12022,2525,2046,2054,2054," + BiasTime() + "!)";
    } else if (t == "DCO") {
        const QString prefix = m_Zamo80 ? "(GD12022,2513,7492,0008,2031," : "(GD12022,2513,2031,";
        *reply = prefix + ElapsedText() + (e < 60 ? "!)" : "*)");
        m_ResendCount = 0;
    } else if (t == "NOISE") {
        *reply = "(GN12182,3386,0212,3208,2881," + ElapsedText() + (e < 360 ? "!)" : "*)");
    } else {
        return false;
    }
    return true;
}

QString clsSimChannel::BiasTime() const
{
    return Digits4(m_Elapsed / 60) + "," + Digits4(m_Elapsed % 60);
}

QString clsSimChannel::ElapsedText() const
{
    return Digits4(m_Elapsed);
}
