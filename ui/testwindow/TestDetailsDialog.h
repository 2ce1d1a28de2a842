#pragma once
// "Test Details": the modal window shown before a run opens its test group.
// The operator enters one lot number for all electrodes or one per
// electrode (through the lot-by-electrode window), notes, the ACLG power
// source energy when a single ZAMO2-4 unit is connected, and two report
// options in ZAMO80 mode. "Start Test" hands these to the run as the
// answer of ask(); any other way of closing the window cancels the run
// (no answer).

#include "run/PreTestDetails.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <optional>

class ActiveLotNumbersForm;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class UnitLink;

namespace config {
struct StationSettings;
}

class TestDetailsForm : public QDialog, public PreTestDetailsPrompt {
    Q_OBJECT
public:
    // The units give the unit mode; the active-lot window (may be null)
    // shows the lots of the run that starts; settings (kept by reference)
    // give the ZAMO2-4 X energy and the settings file.
    TestDetailsForm(const config::StationSettings& settings, const std::array<UnitLink*, 2>& units,
                    ActiveLotNumbersForm* activeLotWindow, QWidget* parent = nullptr);

    // Shows the window modally; what the operator entered when the run
    // starts, std::nullopt when it is cancelled.
    std::optional<PreTestDetails> ask() override;
    // What "Start Test" took last; empty from each showing until then.
    const std::optional<PreTestDetails>& entered() const { return m_entered; }

    void Form_Load();
    // Ends the showing: a window closed without "Start Test" cancels the run.
    void Form_Unload();
    void InitVars();
    void SetElectrodeLotNumber(int vIndex, const QString& vValue);

    void cmdStartTest_Click();
    void cmdCancel_Click();
    void cmdClear_Click();
    void cmdLotByElectrode_Click();

    // One item per lot-by-electrode row: TAB + electrode list + TAB + lot.
    QStringList ElectrodeLotList;
    const std::array<QString, 32>& ElectrodeLots() const { return m_electrodeLots; }
    const std::array<UnitLink*, 2>& Units() const { return m_units; }

    QLineEdit* LotNumberTextBox = nullptr;
    QPlainTextEdit* NotesTextBox = nullptr;
    QPushButton* cmdStartTest = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdLotByElectrode = nullptr;
    QGroupBox* framePowerSource = nullptr;
    QRadioButton* opt100J = nullptr;
    QRadioButton* opt360J = nullptr;
    QRadioButton* optXJ = nullptr;
    QGroupBox* frameReportOptions = nullptr;
    QCheckBox* chkShowOnReport = nullptr;
    QCheckBox* chkAvgACLG = nullptr;

private:
    void BuildControls();
    bool Zamo80Mode() const;
    bool Zamo24() const;
    void ReadReportOption(const QString& key, QCheckBox* box);
    void WriteReportOption(const QString& key, bool value);
    QString PerElectrodeLotText() const;

    const config::StationSettings& m_settings;
    std::array<UnitLink*, 2> m_units;
    ActiveLotNumbersForm* m_activeLotWindow;
    std::array<QString, 32> m_electrodeLots;
    std::optional<PreTestDetails> m_entered;
};
