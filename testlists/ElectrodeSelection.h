#pragma once
// The flags of an electrode selection and the selection string of the test
// window's 32 electrode check boxes.
//
// A selection string names electrodes A1..P1 (unit 1) and A2..P2 (unit 2):
// single names and runs ("C1-E1", runs may pass from P1 to A2) joined by ".",
// in index order; "A1-P2" selects all 32 and "None" nothing.

#include <QList>
#include <QString>
#include <Qt>

#include <array>
#include <functional>

// 32 flags by unit (1..2) and channel (0..15), all clear at first. A unit,
// channel or index outside the range throws std::out_of_range.
namespace testlists {

class ElectrodeFlags {
public:
    bool at(int unit, int channel) const { return m_flags.at(index(unit, channel)); }
    void set(int unit, int channel, bool value) { m_flags.at(index(unit, channel)) = value; }
    bool atIndex(int electrodeIndex) const { return m_flags.at(electrodeIndex); }
    void clear() { m_flags.fill(false); }

private:
    static std::size_t index(int unit, int channel) { return std::size_t((unit - 1) * 16 + channel); }
    std::array<bool, 32> m_flags{};
};

// One electrode check box of the test window: its state and its tooltip,
// which holds the electrode's name.
struct ElectrodeCheckBox {
    Qt::CheckState state = Qt::Unchecked;
    QString toolTip;
};
// The 32 boxes, index 0..31 (A1..P1, A2..P2).
using ElectrodeCheckBoxes = QList<ElectrodeCheckBox>;
using ElectrodeCheckBoxSource = std::function<ElectrodeCheckBoxes()>;

// The selection string of the boxes, where any state but unchecked counts
// as selected.
QString buildElectrodeString(const ElectrodeCheckBoxes& boxes);

} // namespace testlists
