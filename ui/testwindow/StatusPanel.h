#pragma once
// The test window's status panel: a lamp and a status text for each unit,
// the database and the signal generator, the two unit links' own displays,
// and the simulator choices that only /vadov shows (model, channel count,
// the elapsed-seconds override). It only shows what it is told and reads
// back the operator's choices; nothing in it can fail.

#include "ui/common/ElidedLabel.h"

#include <QGroupBox>
#include <QString>

#include <array>

class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

class StatusLamp;

class StatusPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    // The display of unit link n (1 or 2) below the statuses.
    void placeUnitLinkView(int unit, QWidget* view);

    // Unit n (1 or 2): green and "Connecting..." once connected; red when
    // gone; its status text from the unit, red with the error noted after a
    // "*" when the unit reports one.
    void showUnitConnecting(int unit);
    void showUnitLost(int unit);
    void showHardwareStatus(int unit, const QString& status, bool error);
    void showDatabaseStatus(const QString& text, bool connected);
    void showSignalGeneratorConnected(bool connected);
    // The signal generator's row is shown only where one is enabled.
    void setSignalGeneratorShown(bool shown);
    void setSimulatorShown(bool shown);
    void showAdvanceClock();

    bool zamo80Selected() const;
    bool zamo24Selected() const;
    QString simulatorChannelsText() const;
    QString advanceClockText() const;

    // [1], [2]. The status texts keep their place however long they get:
    // a long one is cut where it is painted and whole in its tooltip.
    const std::array<StatusLamp*, 3>& unitLamps() const { return m_unitLamps; }
    const std::array<ElidedLabel*, 3>& unitLabels() const { return m_unitLabels; }
    StatusLamp* databaseLamp() const { return m_databaseLamp; }
    ElidedLabel* databaseLabel() const { return m_databaseLabel; }
    QLabel* signalGeneratorCaption() const { return m_signalGeneratorCaption; }
    StatusLamp* signalGeneratorLamp() const { return m_signalGeneratorLamp; }
    ElidedLabel* signalGeneratorLabel() const { return m_signalGeneratorLabel; }
    QFrame* simulatorFrame() const { return m_simulatorFrame; }
    QRadioButton* zamo80Button() const { return m_zamo80Button; }
    QRadioButton* zamo24Button() const { return m_zamo24Button; }
    QLineEdit* simulatorChannelsEdit() const { return m_simulatorChannelsEdit; }
    QPushButton* advanceClockButton() const { return m_advanceClockButton; }
    QLineEdit* advanceClockEdit() const { return m_advanceClockEdit; }

private:
    QGridLayout* m_grid = nullptr;
    std::array<StatusLamp*, 3> m_unitLamps{};
    std::array<ElidedLabel*, 3> m_unitLabels{};
    StatusLamp* m_databaseLamp = nullptr;
    ElidedLabel* m_databaseLabel = nullptr;
    QLabel* m_signalGeneratorCaption = nullptr;
    StatusLamp* m_signalGeneratorLamp = nullptr;
    ElidedLabel* m_signalGeneratorLabel = nullptr;
    QFrame* m_simulatorFrame = nullptr;
    QRadioButton* m_zamo80Button = nullptr;
    QRadioButton* m_zamo24Button = nullptr;
    QLineEdit* m_simulatorChannelsEdit = nullptr;
    QPushButton* m_advanceClockButton = nullptr;
    QLineEdit* m_advanceClockEdit = nullptr;
};

} // namespace ui
