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

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
namespace unit {
class Unit;
}

namespace config {
struct StationSettings;
}

namespace ui {

class ActiveLotWindow;

class TestDetailsDialog : public QDialog, public run::PreTestDetailsPrompt {
    Q_OBJECT
public:
    // The units give the unit mode; the active-lot window (may be null)
    // shows the lots of the run that starts; settings (kept by reference)
    // give the ZAMO2-4 X energy and the settings file.
    TestDetailsDialog(const config::StationSettings& settings, const std::array<unit::Unit*, 2>& units,
                      ActiveLotWindow* activeLotWindow, QWidget* parent = nullptr);

    // Shows the window modally; what the operator entered when the run
    // starts, std::nullopt when it is cancelled.
    std::optional<run::PreTestDetails> ask() override;
    // What "Start Test" took last; empty from each showing until then.
    const std::optional<run::PreTestDetails>& entered() const { return m_entered; }

    void load();
    // Ends the showing: a window closed without "Start Test" cancels the run.
    void unload();
    void initVars();
    void setElectrodeLotNumber(int index, const QString& value);

    void startTest();
    void cancel();
    void clear();
    void editLotsByElectrode();

    // One item per lot-by-electrode row: TAB + electrode list + TAB + lot.
    QStringList electrodeLotList;
    const std::array<QString, 32>& electrodeLots() const { return m_electrodeLots; }
    const std::array<unit::Unit*, 2>& units() const { return m_units; }

    QLineEdit* lotNumberEdit = nullptr;
    QPlainTextEdit* notesEdit = nullptr;
    QPushButton* startTestButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* lotByElectrodeButton = nullptr;
    QGroupBox* powerSourceGroup = nullptr;
    QRadioButton* energy100JButton = nullptr;
    QRadioButton* energy360JButton = nullptr;
    QRadioButton* energyXButton = nullptr;
    QGroupBox* reportOptionsGroup = nullptr;
    QCheckBox* showShortCircuitCheck = nullptr;
    QCheckBox* averageAclgCheck = nullptr;

private:
    void buildControls();
    bool zamo80Mode() const;
    bool isZamo24() const;
    void readReportOption(const QString& key, QCheckBox* box);
    void writeReportOption(const QString& key, bool value);
    QString perElectrodeLotText() const;

    const config::StationSettings& m_settings;
    std::array<unit::Unit*, 2> m_units;
    ActiveLotWindow* m_activeLotWindow;
    std::array<QString, 32> m_electrodeLots;
    std::optional<run::PreTestDetails> m_entered;
};

} // namespace ui
