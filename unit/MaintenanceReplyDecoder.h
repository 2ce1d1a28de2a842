#pragma once
// The channel maintenance replies "(M…)": counters, calibration date,
// firmware version, serial number, calibration references, pace pulse
// settings and the DCO reference voltage. A reply whose fields do not all
// convert makes no sink call (the ZAMO2-4 pace settings read a bad field as 0).

#include "unit/UnitReadings.h"

#include <QtGlobal>

namespace unit {

class ReplyFieldReader;
class UnitReplySink;
struct ReplyContext;

namespace MaintenanceReplyDecoder {

// ZAMO2-4 pace settings from the six fields of a "p" reply: on-times in units
// of 50 µs, off-times in ms, voltages in hundredths of a volt.
Zamo24PaceSettings zamo24PaceSettings(qint16 on1, qint16 on2, qint16 off1, qint16 off2, qint16 v1, qint16 v2);

// Decodes the inner text "M…" of a reply of channel 0..15.
void decode(const ReplyContext& context, qint16 channel, ReplyFieldReader& fields, UnitReplySink& sink);

} // namespace MaintenanceReplyDecoder

} // namespace unit
