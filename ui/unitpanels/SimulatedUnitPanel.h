#pragma once
// The simulated unit's panel: its caption, the channel count, the Init
// button and one lamp per channel (grey idle, green for a channel that
// exists). It only shows the simulated unit's display and hands the
// operator's input to it, which judges the channel count. The unit must
// outlive the panel.

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
namespace unit {
class SimulatedUnit;
}

namespace ui {

class SimulatedUnitPanel : public QWidget {
    Q_OBJECT
public:
    explicit SimulatedUnitPanel(unit::SimulatedUnit* unit, QWidget* parent = nullptr);

    QLineEdit* channelsEdit() const { return m_channelsEdit; }
    QPushButton* initButton() const { return m_initButton; }
    QLabel* activeLamp(int index) const { return m_lamps.at(static_cast<size_t>(index)); }

private:
    void refresh();

    unit::SimulatedUnit* m_unit;
    QLineEdit* m_channelsEdit;
    QPushButton* m_initButton;
    std::array<QLabel*, 16> m_lamps{};
};

} // namespace ui
