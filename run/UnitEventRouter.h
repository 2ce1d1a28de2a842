#pragma once
// The two unit link components of the test window (unit 1 and unit 2) and
// the wiring of their events: connection and traffic to the window
// (UnitLinkObserver); each reply, one typed value, is dispatched once:
// diagnostics and lid to UnitStateEvents, the channel map to the window,
// every other reply to the result handlers (which pass result replies
// through the sequencer's end-of-run gate).

#include "run/UnitStateEvents.h"
#include "unit/LinkedUnit.h"
#include "unit/UnitReadings.h"

#include <QObject>

#include <array>
#include <memory>

class QObject;
namespace unit {
class UnitLink;
}

namespace run {

class RunHost;
class RunSequencer;
class UnitLinkObserver;
class UnitResultHandler;

class TestWindowUnits : public QObject {
public:
    explicit TestWindowUnits(QObject* parent = nullptr);
    ~TestWindowUnits() override;

    // UnitLink(1), UnitLink(2).
    unit::UnitLink* link(int index) const;
    std::array<unit::Unit*, 2> units();

    // Connects every event of both links; the connections end with context
    // (the window), which must not outlive observer, sequencer and host.
    void wire(UnitLinkObserver& observer, RunSequencer& sequencer, RunHost& host, QObject* context);

    // Where one reply goes.
    static void dispatch(const unit::UnitReply& reply, UnitStateEvents& unitState, UnitLinkObserver& window,
                         UnitResultHandler& results);

private:
    std::array<unit::UnitLink*, 2> m_links{};
    std::array<std::unique_ptr<unit::LinkedUnit>, 2> m_units;
    std::unique_ptr<UnitStateEvents> m_unitState;
};

} // namespace run
