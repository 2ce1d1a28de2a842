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
class ctlSimUnit;

class ctlSimUnitView : public QWidget {
    Q_OBJECT
public:
    explicit ctlSimUnitView(ctlSimUnit* unit, QWidget* parent = nullptr);

    QLineEdit* txtChannels() const { return m_txtChannels; }
    QPushButton* cmdInit() const { return m_cmdInit; }
    QLabel* shpActive(int index) const { return m_lamps.at(static_cast<size_t>(index)); }

private:
    void Refresh();

    ctlSimUnit* m_unit;
    QLineEdit* m_txtChannels;
    QPushButton* m_cmdInit;
    std::array<QLabel*, 16> m_lamps{};
};
