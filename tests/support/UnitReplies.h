#pragma once
// Connects a test to one kind of a unit link's replies: f(unit, channel,
// reply) runs for each reply of type T, with context as the receiver.

#include "unit/UnitLink.h"

#include <QObject>

#include <variant>

namespace testsupport {

template <typename T, typename F>
QMetaObject::Connection onReply(unit::UnitLink* link, const QObject* context, F f)
{
    return QObject::connect(link, &unit::UnitLink::replyReceived, context, [f](const unit::UnitReply& reply) {
        if (const T* value = std::get_if<T>(&reply.value))
            f(reply.unit, reply.channel, *value);
    });
}

template <typename T, typename F>
QMetaObject::Connection onReply(unit::UnitLink* link, F f)
{
    return onReply<T>(link, link, std::move(f));
}

} // namespace testsupport
