#pragma once
// What the unit link needs of its simulated unit: it takes every frame the
// link would write to the port, and answers either at once (immediate) or
// through DataReady, raised before RXData returns, so that the reply takes
// the same receive path as a real unit's bytes.

#include <QObject>
#include <QString>

class SimUnitPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SimUnitPort() override = default;

    // Answers one frame; with pImmediate the reply is the result and
    // DataReady is not raised, otherwise the result is "".
    virtual QString RXData(const QString& pData, bool pImmediate = false) = 0;
    virtual void SetNumOfChannels(qint16 vNumOfChannels) = 0;
    virtual void SetZamo80(bool vZamo80) = 0;
    virtual void SetZamo24(bool vZamo24) = 0;
    // Builds the simulated channels afresh and starts the seconds clock.
    virtual void Init() = 0;

    // The simulated unit of a link (ctlSimUnit); defined with it.
    static SimUnitPort* Create(QObject* parent);

signals:
    // A reply and the channel that gave it, -1 for a unit frame's reply.
    void DataReady(const QString& pData, qint16 pChannelID);
};
