#pragma once
// What the rest of the station reads and keeps of a unit's channel state:
// the diagnostics as whole numbers, the 16 channel records (last readings,
// pace settings, serial number, calibration expiry, presence) and the
// texts the results and the status take from them. A channel outside
// 0..15 is logged with the unit's number and ignored (getters give 0 or
// ""); records and diagnostics texts are given only while the unit is
// connected.

#include "unit/ChannelRecord.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

namespace unit {

class UnitChannelState;

class UnitChannels {
public:
    // unitNumber: the unit's number for the log, kept by reference; connected: whether the unit is connected.
    UnitChannels(UnitChannelState& state, const qint16& unitNumber, std::function<bool()> connected);

    // Diagnostics values rounded to whole numbers, halves to the even neighbour.
    qint32 tenHzPeak() const;
    qint32 thirtyKPeak() const;
    qint32 temperature() const;
    qint32 vcc() const;
    qint32 pos5V() const;
    qint32 neg5V() const;
    bool reg5VWorking() const;
    bool working200VOn() const;
    bool working200VOff() const;
    // The unit's own firmware, from its diagnostics.
    QString unitFirmwareVersion() const;

    // The record of a channel, nullptr outside 0..15.
    ChannelRecord* electrode(int channel);
    void clearElectrodeLastMeasurements();
    void setElectrodeLastMeasurement(qint16 channel, double value, double value2 = 0);
    double getElectrodeLastMeasurement(qint16 channel);
    double getElectrodeLastMeasurement2(qint16 channel);
    // paceType 1 or 2; any other type gives 0.
    double getPaceAmplitude(qint16 channel, qint16 paceType);
    double getPacePulseWidth(qint16 channel, qint16 paceType);
    double getPaceBPM(qint16 channel, qint16 paceType);
    QString electrodeChannelSerialNumber(qint16 channel);
    bool electrodeChannelCalibrationExpired(qint16 channel);
    bool electrodeChannelExists(qint16 channel);
    // The 16 records (the same objects the state keeps) when connected, else empty.
    QVector<std::shared_ptr<ChannelRecord>> getElectrodeArray();
    // Index 0 is unused: one "" at index 1 when closed, else texts at 1..9.
    QStringList getDiagnosticArray();
    // The present channels as the status shows them ("A1-D1.F1" for unit 1).
    QString channelList();

private:
    UnitChannelState& m_state;
    const qint16& m_unitNumber;
    std::function<bool()> m_connected;
};

} // namespace unit
