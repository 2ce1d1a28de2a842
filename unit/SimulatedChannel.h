#pragma once
// One channel of the simulated unit: answers channel commands with the
// replies of a real channel, given the running test and the seconds that
// have passed since the test's clock start. A command it does not know
// leaves its last answer in Data unchanged; it never fails.

#include <QString>

class clsSimChannel {
public:
    // Resets the channel; a negative vChannelID keeps the channel number.
    void Init(qint16 vChannelID, bool vZamo80, bool vZamo24);
    // Answers one channel command ("(?)", "(GA)", "(L)", ...) at the
    // simulator's clock vClock (seconds); the answer is left in Data.
    void RXCommand(const QString& vCmd, qint32 vClock);

    QString Data() const { return m_Data; }
    bool TestActive() const { return m_TestActive; }
    qint16 ChannelID() const { return m_ChannelID; }

private:
    void StartTest(const QString& name);
    void EndBiasTest();
    void Resend();
    // The poll reply, or "" when the running test has nothing to tell yet.
    QString TestReply();
    QString PollReply();
    // The third resend's reply of the running test; false when it has none.
    bool AlternateReply(QString* reply);
    QString BiasTime() const;
    QString ElapsedText() const;
    bool OnChannel0() const { return m_ChannelID == 0; }

    QString m_TestName;
    QString m_LastReply;
    QString m_Data;
    bool m_TestActive = false;
    qint32 m_Elapsed = 0;
    qint32 m_StartClock = 0;
    qint16 m_ResendCount = 0;
    qint16 m_ChannelID = 0;
    bool m_Zamo80 = false;
    bool m_Zamo24 = false;
};
