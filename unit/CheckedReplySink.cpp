#include "unit/CheckedReplySink.h"

#include "unit/ReplyFields.h"

namespace unit {

CheckedReplySink::CheckedReplySink(UnitReplySink& receiver, const ReplyFieldReader& fields, const QString& frame)
    : m_receiver(receiver), m_fields(fields), m_frame(frame)
{
}

void CheckedReplySink::bufferSeen(const QString& text)
{
    m_receiver.bufferSeen(text);
}

void CheckedReplySink::frameSeen(qint16 channel, const QString& frame)
{
    m_receiver.frameSeen(channel, frame);
}

void CheckedReplySink::malformed(const QString& message)
{
    m_receiver.malformed(message);
}

void CheckedReplySink::logMalformed(const QString& why)
{
    if (m_logged)
        return;
    m_logged = true;
    malformed(QStringLiteral("Malformed reply %1: %2").arg(m_frame, why));
}

void CheckedReplySink::finish()
{
    if (m_fields.firstBadField() > 0)
        logMalformed(QStringLiteral("the field at %1 is not a number").arg(m_fields.firstBadField()));
}

void CheckedReplySink::reply(qint16 channel, ReplyValue value)
{
    if (m_fields.firstBadField() == 0) {
        m_receiver.reply(channel, std::move(value));
        return;
    }
    finish();
    if (std::holds_alternative<Acz30Zero>(value))
        m_receiver.reply(channel, std::move(value));
    else if (const auto bad = unreadable(value))
        m_receiver.reply(channel, *bad);
}

std::optional<UnreadableReading> CheckedReplySink::unreadable(const ReplyValue& value)
{
    using K = ReadingKind;
    return std::visit(Overloaded{
                          [](const AczReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Acz, r.completed, r.zamo80Family};
                          },
                          [](const Acz30Reading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Acz30, r.completed, true};
                          },
                          [](const AclgReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Aclg, r.completed, true};
                          },
                          [](const Zamo24AclgReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Zamo24Aclg, r.completed, true};
                          },
                          [](const DefibRecoveryReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::DefibRecovery, r.completed, true};
                          },
                          [](const NoiseReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Noise, r.completed, r.zamo80Family};
                          },
                          [](const DcoReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Dco, r.completed, r.zamo80Family};
                          },
                          [](const BiasReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Bias, r.completed, false};
                          },
                          [](const SdrReading& r) -> std::optional<UnreadableReading> {
                              return UnreadableReading{K::Sdr, r.completed, false};
                          },
                          [](const auto&) -> std::optional<UnreadableReading> { return std::nullopt; },
                      },
                      value);
}

} // namespace unit
