#pragma once
// The channel test-data replies "(G…)": which reply serves which unit model
// (a table), where its fields and its final/interim marker stand and what is
// computed from them. A decoded reply changes no state; its only effect is
// one call of the sink, or none (a model that does not send the reply, an
// unknown letter, a sub-reply whose fields do not convert).

#include <QtGlobal>

namespace unit {

class ReplyFieldReader;
class UnitReplySink;
struct ReplyContext;

namespace TestReadingDecoder {

// Decodes the inner text "G…" of a reply of channel 0..15.
void decode(const ReplyContext& context, qint16 channel, ReplyFieldReader& fields, UnitReplySink& sink);

} // namespace TestReadingDecoder

} // namespace unit
