#pragma once
// Replies of a calibration board on a channel address: stored values
// "(m…)" and switched sources and measurements "(g…)". They change no
// state; each raises its RXCalBoard… event.

#include <QtGlobal>

class ctlZAMOUsbComm;
class ReplyFieldReader;

namespace CalBoardReplies {

// Converter: 32768 counts full scale at 2.048 V.
double BaseVoltage(qint32 count);
// The voltage of a reply: base times the input's gain times the scale
// field (in ten-thousandths), evaluated in that order.
double ScaledVoltage(qint32 count, double inputGain, qint32 scale);

// Decodes the inner text "m…" or "g…" of a reply of channel 0..15.
void Decode(ctlZAMOUsbComm& comm, qint16 channel, ReplyFieldReader& fields);

} // namespace CalBoardReplies
