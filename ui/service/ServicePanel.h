#pragma once
// "System Calibration": the station's calibration and service panel, shown
// modally from the hidden "System Calibration" item of the main frame. From
// it a technician sends single commands to one channel (0..15) of unit 1,
// sends a raw frame, inhibits the automatic polling and runs burn-in lists
// (repetitions of DCO, ACZ, SDR x4, ACZ on every connected channel of unit
// 1). While it is open the station is in calibration mode (run::ServiceMode)
// and the channel's replies to its read commands fill its boxes.
//
// Every command button does nothing, without a message, while unit 1 is not
// connected. A box that must hold a 16-bit whole number and does not is
// told to the technician and nothing is sent. Closing asks "Are you sure
// you want to leave the Calibration Form?", except during a burn-in, which
// goes on; either way the closed panel leaves calibration mode and the
// polling inhibit off.
//
// Members are implemented in:
//   ServicePanel.cpp          controls, load, closing, read-back
//   ServicePanelCommands.cpp  the command buttons, raw send, burn-in

#include "run/CalibrationReadBack.h"
#include "run/ServiceMode.h"

#include <QDialog>

#include <map>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace unit {
class UnitLink;
}

namespace run {
class RunSequencer;
}

namespace ui {

class StationWindows;
class TestWindowServices;

class ServicePanel : public QDialog {
    Q_OBJECT
public:
    // window, sequencer and the unit link of unit 1 outlive the panel.
    ServicePanel(TestWindowServices& window, run::RunSequencer& sequencer, unit::UnitLink& unit1,
                 QWidget* parent = nullptr);
    ~ServicePanel() override;

    const run::ServiceMode& serviceMode() const { return m_mode; }

    // The close request ("Exit", the close box, Esc).
    void reject() override;

private:
    // ---- controls and load (ServicePanel.cpp) ----
    void buildControls();
    QPushButton* addButton(const char* name, const QString& caption, void (ServicePanel::*command)());
    QLineEdit* addBox(const char* name, const QString& text);
    void load();
    void showForCommandLine();
    void showForUnitMode();
    void clampChannel();
    void clampRepetitions();
    void showReadBack(const run::BoxTexts& texts);
    void connectReadBacks();

    // ---- commands (ServicePanelCommands.cpp) ----
    // The channel of the box, or nothing when unit 1 is not connected.
    std::optional<qint16> channel() const;
    // The box as a 16-bit whole number; told to the technician when it is not.
    std::optional<qint16> number(const QLineEdit* box, const QString& label);
    void zeroCounter();
    void readCounter();
    void setCalibrationDate();
    void getCalibrationDate();
    void getFirmwareVersion();
    void setSerialNumber();
    void getSerialNumber();
    void setCalibrationReference();
    void getCalibrationReference();
    void setDcoReference();
    void getDcoReference();
    void requestCommand();
    void runAcz();
    void runAcz30Zero();
    void runAcz30();
    void runAclg();
    void runDefibRecovery();
    void runFilterZero();
    void runSpecialCalibration1();
    void runSpecialCalibration2();
    void runDco();
    void runDcoZeroCorrection();
    void runBias();
    void stopBias();
    void runSdr();
    void cancelChannel();
    void cancelChannelAndSupply();
    void setPacePulse();
    void getPacePulse();
    void setZamo24PacePulse();
    void runPace1();
    void runPace2();
    void switchLed();
    void readDiagnostics();
    void defibCharge();
    void triggerCharge();
    void sendRaw();
    void startBurnIn();
    void cancelBurnIn();

    TestWindowServices& m_window;
    unit::UnitLink& m_unit;
    run::ServiceMode m_mode;

    QGroupBox* m_serviceFrame = nullptr;
    QLineEdit* m_channelEdit = nullptr;
    QLineEdit* m_yearEdit = nullptr;
    QLineEdit* m_monthEdit = nullptr;
    QLineEdit* m_dayEdit = nullptr;
    QLineEdit* m_serialEdit = nullptr;
    QLineEdit* m_referenceAczEdit = nullptr;
    QLineEdit* m_reference100uVEdit = nullptr;
    QLineEdit* m_reference50mVEdit = nullptr;
    QLineEdit* m_referenceAcz30Edit = nullptr;
    QLineEdit* m_dcoReferenceEdit = nullptr;
    QLineEdit* m_pace1OnEdit = nullptr;
    QLineEdit* m_pace2OnEdit = nullptr;
    QLineEdit* m_pace1OffEdit = nullptr;
    QLineEdit* m_pace2OffEdit = nullptr;
    QLineEdit* m_zamo24Pace1OnEdit = nullptr;
    QLineEdit* m_zamo24Pace2OnEdit = nullptr;
    QLineEdit* m_zamo24Pace1OffEdit = nullptr;
    QLineEdit* m_zamo24Pace2OffEdit = nullptr;
    QLineEdit* m_zamo24Pace1VoltsEdit = nullptr;
    QLineEdit* m_zamo24Pace2VoltsEdit = nullptr;
    QLineEdit* m_burnInRepsEdit = nullptr;
    QLabel* m_burnInRepsLabel = nullptr;
    QLineEdit* m_rawFrameEdit = nullptr;
    QRadioButton* m_ledOnOption = nullptr;
    QRadioButton* m_ledOffOption = nullptr;
    QRadioButton* m_energy100JOption = nullptr;
    QRadioButton* m_energy360JOption = nullptr;
    QCheckBox* m_inhibitPollingBox = nullptr;
    // The buttons by object name.
    std::map<QString, QPushButton*> m_buttons;
    std::map<run::CalibrationBox, QLineEdit*> m_readBackBoxes;
};

// Builds the panel for the main test window and its unit 1 and shows it
// modally over the main frame of the station's windows.
void showServicePanel(StationWindows& windows, TestWindowServices& window, run::RunSequencer& sequencer,
                      unit::UnitLink& unit1);

} // namespace ui
