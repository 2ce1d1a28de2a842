#pragma once
// Reaches the unit link's private transmit path and status update from tests.

#include "unit/UnitLink.h"

struct UsbCommTestAccess {
    static void Wait(ctlZAMOUsbComm& c, int ms, bool suspendPolling) { c.m_port.waitMilliseconds(ms, suspendPolling); }
    // A tick of the delay timer, as a stale timer message would deliver it.
    static void DelayTick(ctlZAMOUsbComm& c) { c.m_port.onDelayTimer(); }
    static bool PollingEnabled(const ctlZAMOUsbComm& c) { return c.m_port.pollingEnabled(); }
    static bool DelayTimerOn(const ctlZAMOUsbComm& c) { return c.m_port.m_delayTimer.isEnabled(); }
    static int WaitDepth(const ctlZAMOUsbComm& c) { return c.m_port.m_waitDepth; }
    static int PollInterval(const ctlZAMOUsbComm& c) { return c.m_port.pollInterval(); }
    static void RefreshStatus(ctlZAMOUsbComm& c) { c.RefreshStatus(); }
    static qint16 LastChannel(const ctlZAMOUsbComm& c) { return c.m_protocol.attributedChannel(); }
    static void SetConnectedFlag(ctlZAMOUsbComm& c, bool v) { c.m_port.setOpen(v); }
    static void SetModel(ctlZAMOUsbComm& c, UnitModel model) { c.m_state.setModel(model); }
};
