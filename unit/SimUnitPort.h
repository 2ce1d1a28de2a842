#pragma once
// What the unit link needs of its simulated unit: it takes every frame the
// link would write to the port, and answers either at once (immediate) or
// through dataReady, raised before rxData returns, so that the reply takes
// the same receive path as a real unit's bytes.

#include <QObject>
#include <QString>

namespace unit {

class SimUnitPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SimUnitPort() override = default;

    // Answers one frame; with immediate the reply is the result and
    // dataReady is not raised, otherwise the result is "".
    virtual QString rxData(const QString& data, bool immediate = false) = 0;
    virtual void setNumOfChannels(qint16 numOfChannels) = 0;
    virtual void setZamo80(bool zamo80) = 0;
    virtual void setZamo24(bool zamo24) = 0;
    // Builds the simulated channels afresh and starts the seconds clock.
    virtual void init() = 0;

    // The simulated unit of a link (SimulatedUnit); defined with it.
    static SimUnitPort* create(QObject* parent);

signals:
    // A reply and the channel that gave it, -1 for a unit frame's reply.
    void dataReady(const QString& data, qint16 channel);
};

} // namespace unit
