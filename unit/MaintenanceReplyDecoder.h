#pragma once
// The channel maintenance replies "(M…)": counters, calibration date,
// firmware version, serial number, calibration references, pace pulse
// settings and the DCO reference voltage.

#include <QtGlobal>

class ctlZAMOUsbComm;
class ReplyFieldReader;

namespace MaintenanceReplies {

// ZAMO2-4 pace settings from the six fields of a "p" reply.
struct Zamo24Pace {
    double pace1Volts = 0, pace2Volts = 0;
    double pace1Hz = 0, pace2Hz = 0;
    double pace1BPM = 0, pace2BPM = 0;
    double pace1PulseWidthMs = 0, pace2PulseWidthMs = 0;
};
// on-times in units of 50 µs, off-times in ms, voltages in hundredths of a volt.
Zamo24Pace ConvertZamo24Pace(qint16 on1, qint16 on2, qint16 off1, qint16 off2, qint16 v1, qint16 v2);

// Decodes the inner text "M…" of a reply of channel 0..15: writes the
// channel record where the reply says so and raises the reply's event.
void Decode(ctlZAMOUsbComm& comm, qint16 channel, ReplyFieldReader& fields);

} // namespace MaintenanceReplies
