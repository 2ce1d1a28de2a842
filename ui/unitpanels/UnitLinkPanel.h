#pragma once
// The unit link's status display: the lamp (green connected, red not), the
// status label, the red error label, the Connect toggle and, once the
// simulator is enabled, the "Sim" box with the simulated channel count.
// It shows the link's display and keeps the operator's input (the "Sim"
// box, the channel count), which it hands to the link when the toggle is
// clicked; a channel count that is no number is logged and opens nothing.
// The link's failures reach it as its error text. The link must outlive it.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
namespace unit {
class UnitLink;
}

namespace ui {

class UnitLinkPanel : public QWidget {
    Q_OBJECT
public:
    explicit UnitLinkPanel(unit::UnitLink* comm, QWidget* parent = nullptr);

    QLabel* statusLamp() const { return m_statusLamp; }
    QLabel* statusLabel() const { return m_statusLabel; }
    QLabel* errorMessageLabel() const { return m_errorMessageLabel; }
    QCheckBox* connectCheck() const { return m_connectCheck; }
    QCheckBox* useSimCheck() const { return m_useSimCheck; }
    QLineEdit* simChannelsEdit() const { return m_simChannelsEdit; }

private:
    void refresh();
    void connectClicked(bool checked);

    unit::UnitLink* m_comm;
    QLabel* m_statusLamp;
    QLabel* m_statusLabel;
    QLabel* m_errorMessageLabel;
    QCheckBox* m_connectCheck;
    QCheckBox* m_useSimCheck;
    QLineEdit* m_simChannelsEdit;
};

} // namespace ui
