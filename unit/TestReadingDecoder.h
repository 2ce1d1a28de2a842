#pragma once
// The channel test-data replies "(G…)": which reply serves which unit model,
// where its fields and its final/interim marker stand, what is computed
// from them, and which event of the component is raised. A decoded reply
// changes no state; its only effect is one event, or none.

#include <QtGlobal>

class ctlZAMOUsbComm;
class ReplyFieldReader;

namespace TestDataDecoders {

// Decodes the inner text "G…" of a reply of channel 0..15.
void Decode(ctlZAMOUsbComm& comm, qint16 channel, ReplyFieldReader& fields);

} // namespace TestDataDecoders
