#pragma once
// The link's reply path without its port, for the benchmarks.

#include "unit/UnitLink.h"

#include <QByteArray>

struct UnitLinkTestAccess {
    static void receive(unit::UnitLink& c, const QByteArray& read) { c.m_protocol.parseRead(read, c.m_replies); }
    static void attributeTo(unit::UnitLink& c, qint16 channel) { c.m_protocol.attributeTo(channel); }
};
