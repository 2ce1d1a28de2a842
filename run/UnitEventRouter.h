#pragma once
// The two unit link components of the test window (unit 1 and unit 2) and
// the wiring of their events: connection and traffic to the window
// (UnitLinkObserver), diagnostics and lid to UnitStateEvents, result replies
// through the sequencer's end-of-run gate to the result handlers.

#include "run/UnitStateEvents.h"
#include "unit/UsbCommUnitLink.h"

#include <QObject>

#include <array>
#include <memory>

class QObject;
class RunHost;
class RunSequencer;
class UnitLinkObserver;
class ctlZAMOUsbComm;

class MainFormUnitLinks : public QObject {
public:
    explicit MainFormUnitLinks(QObject* parent = nullptr);
    ~MainFormUnitLinks() override;

    // ctlZAMOUsbComm(1), ctlZAMOUsbComm(2).
    ctlZAMOUsbComm* Link(int vIndex) const;
    std::array<UnitLink*, 2> Units();

    // Connects every event of both links; the connections end with context
    // (the window), which must not outlive observer, sequencer and host.
    void Wire(UnitLinkObserver& observer, RunSequencer& sequencer, RunHost& host, QObject* context);

private:
    std::array<ctlZAMOUsbComm*, 2> m_links{};
    std::array<std::unique_ptr<UsbCommUnitLink>, 2> m_units;
    std::unique_ptr<UnitStateEvents> m_unitState;
};
