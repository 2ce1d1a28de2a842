#pragma once
// Reaches the unit link's private transmit path and status update from tests.

#include "unit/UnitLink.h"

struct UnitLinkTestAccess {
    static void Wait(unit::UnitLink& c, int ms, bool suspendPolling) { c.m_port.waitMilliseconds(ms, suspendPolling); }
    // A tick of the delay timer, as a stale timer message would deliver it.
    static void delayTick(unit::UnitLink& c) { c.m_port.onDelayTimer(); }
    static bool pollingEnabled(const unit::UnitLink& c) { return c.m_port.pollingEnabled(); }
    static bool delayTimerOn(const unit::UnitLink& c) { return c.m_port.m_delayTimer.isEnabled(); }
    static int waitDepth(const unit::UnitLink& c) { return c.m_port.m_waitDepth; }
    static int pollInterval(const unit::UnitLink& c) { return c.m_port.pollInterval(); }
    static void refreshStatus(unit::UnitLink& c) { c.refreshStatus(); }
    static qint16 lastChannel(const unit::UnitLink& c) { return c.m_protocol.attributedChannel(); }
    static void setConnectedFlag(unit::UnitLink& c, bool v) { c.m_port.setOpen(v); }
    static void setModel(unit::UnitLink& c, unit::UnitModel model) { c.m_state.setModel(model); }
};
