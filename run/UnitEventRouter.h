#pragma once
// The two unit link components of the test window (unit 1 and unit 2) and
// the wiring of their events to the window's handlers; result replies pass
// the window's end-of-run gate on their way to the result handlers.

#include "run/UnitStateEvents.h"
#include "unit/UsbCommUnitLink.h"

#include <QObject>

#include <array>
#include <memory>

class MainForm;
class ctlZAMOUsbComm;

class MainFormUnitLinks : public QObject {
public:
    explicit MainFormUnitLinks(QObject* parent = nullptr);
    ~MainFormUnitLinks() override;

    // ctlZAMOUsbComm(1), ctlZAMOUsbComm(2).
    ctlZAMOUsbComm* Link(int vIndex) const;
    std::array<UnitLink*, 2> Units();

    // Connects every event of both links to the window.
    void Wire(MainForm& form);

private:
    std::array<ctlZAMOUsbComm*, 2> m_links{};
    std::array<std::unique_ptr<UsbCommUnitLink>, 2> m_units;
    std::unique_ptr<UnitStateEvents> m_unitState;
};
