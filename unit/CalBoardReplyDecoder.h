#pragma once
// Replies of a calibration board on a channel address: stored values
// "(m…)" and switched sources and measurements "(g…)". They change no
// state; each makes one sink call, an unknown reply none.

#include <QtGlobal>

namespace unit {

class ReplyFieldReader;
class UnitReplySink;

namespace CalBoardReplyDecoder {

// Converter: 32768 counts full scale at 2.048 V.
double baseVoltage(qint32 count);
// The voltage of a reply: base times the input's gain times the scale
// field (in ten-thousandths), evaluated in that order.
double scaledVoltage(qint32 count, double inputGain, qint32 scale);

// Decodes the inner text "m…" or "g…" of a reply of channel 0..15.
void decode(qint16 channel, ReplyFieldReader& fields, UnitReplySink& sink);

} // namespace CalBoardReplyDecoder

} // namespace unit
