#pragma once
// The test window's electrode panel: one box per electrode (A1..P1 for
// unit 1, A2..P2 for unit 2), the mark that the selection differs from the
// saved default, Check All / Uncheck All / Reset / Save as Defaults, and
// "Mask Unavailable Electrodes". It shows and stores the default selection
// ([Electrodes] Default) and never starts anything; a failed settings write
// leaves the selection shown as it is.

#include "config/StationPaths.h"
#include "testlists/ElectrodeSelection.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
namespace unit {
class Unit;
}
namespace run {
class UnitModeSource;
}
namespace testlists {
class StationTestLists;
}

namespace ui {

class ElectrodePanel : public QGroupBox {
    Q_OBJECT
public:
    // The units tell which channels exist; the mode source how many boxes
    // Check All ticks; the paths where settings.ini is; testLists hold the
    // default selection. All outlive the panel.
    ElectrodePanel(const std::array<unit::Unit*, 2>& units, const run::UnitModeSource& mode,
                   const config::StationPaths& paths, testlists::StationTestLists& testLists,
                   QWidget* parent = nullptr);

    // Ticks the boxes of the default selection; a hidden box is never ticked,
    // so that "Save as Defaults" stores what the operator sees.
    void applyDefaultSelection();
    // Greys out the boxes of channels that no connected unit has, while the
    // mask is on; every box is enabled when it is off.
    void updateAvailability();
    // The unit-2 boxes follow the unit models. Beside a ZAMO80 or ZAMO2-4
    // they are cleared and hidden and the boxes shown are stored as the
    // default selection (as "Save as Defaults" does); shown again after
    // that, they are ticked and stored the same way. Whether the stored
    // selection lost unit 2's electrodes to such a model is kept in
    // settings.ini ([Electrodes] Unit2HiddenByModel, written only once a
    // model has hidden them), so that this holds across a restart as well.
    // Boxes that were never hidden are shown with the saved default as it is,
    // as is a selection the operator saved with the unit-2 boxes in sight.
    void hideUnit2();
    void showUnit2();
    // "Save as Defaults" is locked while a run is active.
    void setSaveAllowed(bool allowed);
    // The boxes' states and names, as the electrode selection reads them.
    testlists::ElectrodeCheckBoxes boxStates() const;

    const std::array<QCheckBox*, 32>& electrodeBoxes() const { return m_boxes; }
    QLabel* unit2Label() const { return m_unit2Label; }
    QFrame* unsavedMark() const { return m_unsavedMark; }
    QPushButton* checkAllButton() const { return m_checkAllButton; }
    QPushButton* uncheckAllButton() const { return m_uncheckAllButton; }
    QPushButton* resetButton() const { return m_resetButton; }
    QPushButton* saveAsDefaultsButton() const { return m_saveAsDefaultsButton; }
    QCheckBox* maskUnavailableBox() const { return m_maskUnavailableBox; }

signals:
    // The default selection was saved (the test list shows it).
    void selectionSaved();

public slots:
    void checkAll();
    void uncheckAll();
    void resetToDefaults();
    void saveAsDefaults();
    void markUnsaved();
    void markSaved();

private:
    void setUnit2Shown(bool shown);

    std::array<unit::Unit*, 2> m_units;
    const run::UnitModeSource& m_mode;
    const config::StationPaths& m_paths;
    testlists::StationTestLists& m_testLists;
    std::array<QCheckBox*, 32> m_boxes{};
    QLabel* m_unit2Label = nullptr;
    QFrame* m_unsavedMark = nullptr;
    QPushButton* m_checkAllButton = nullptr;
    QPushButton* m_uncheckAllButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QPushButton* m_saveAsDefaultsButton = nullptr;
    QCheckBox* m_maskUnavailableBox = nullptr;
    bool m_unit2Hidden = false; // the unit-2 boxes are hidden by a ZAMO80 or ZAMO2-4
    // The saved default selection is the one stored with the unit-2 boxes
    // hidden by a model (as settings.ini says).
    bool m_savedWithUnit2Hidden = false;
};

} // namespace ui
