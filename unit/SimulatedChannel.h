#pragma once
// One channel of the simulated unit: answers channel commands with the
// replies of a real channel, given the running test and the seconds that
// have passed since the test's clock start. A command it does not know
// leaves its last answer in Data unchanged; it never fails.

#include <QString>

namespace unit {

class SimulatedChannel {
public:
    // Resets the channel; a negative channel keeps the channel number.
    void init(qint16 channel, bool zamo80, bool zamo24);
    // Answers one channel command ("(?)", "(GA)", "(L)", ...) at the
    // simulator's clock clock (seconds); the answer is left in data.
    void rxCommand(const QString& cmd, qint32 clock);

    QString data() const { return m_data; }
    bool testActive() const { return m_testActive; }
    qint16 channel() const { return m_channel; }

private:
    void startTest(const QString& name);
    void endBiasTest();
    void resend();
    // The poll reply, or "" when the running test has nothing to tell yet.
    QString testReply();
    QString pollReply();
    // The third resend's reply of the running test; false when it has none.
    bool alternateReply(QString* reply);
    QString biasTime() const;
    QString elapsedText() const;
    bool onChannel0() const { return m_channel == 0; }

    QString m_testName;
    QString m_lastReply;
    QString m_data;
    bool m_testActive = false;
    qint32 m_elapsed = 0;
    qint32 m_startClock = 0;
    qint16 m_resendCount = 0;
    qint16 m_channel = 0;
    bool m_zamo80 = false;
    bool m_zamo24 = false;
};

} // namespace unit
