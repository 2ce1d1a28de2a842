#pragma once
// Reaches the unit link's private transmit path and status update from tests.

#include "unit/UnitLink.h"

struct UnitLinkTestAccess {
    static void Wait(UnitLink& c, int ms, bool suspendPolling) { c.m_port.waitMilliseconds(ms, suspendPolling); }
    // A tick of the delay timer, as a stale timer message would deliver it.
    static void delayTick(UnitLink& c) { c.m_port.onDelayTimer(); }
    static bool pollingEnabled(const UnitLink& c) { return c.m_port.pollingEnabled(); }
    static bool delayTimerOn(const UnitLink& c) { return c.m_port.m_delayTimer.isEnabled(); }
    static int waitDepth(const UnitLink& c) { return c.m_port.m_waitDepth; }
    static int pollInterval(const UnitLink& c) { return c.m_port.pollInterval(); }
    static void refreshStatus(UnitLink& c) { c.refreshStatus(); }
    static qint16 lastChannel(const UnitLink& c) { return c.m_protocol.attributedChannel(); }
    static void setConnectedFlag(UnitLink& c, bool v) { c.m_port.setOpen(v); }
    static void setModel(UnitLink& c, UnitModel model) { c.m_state.setModel(model); }
};
