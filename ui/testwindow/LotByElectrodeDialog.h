#pragma once
// "Lot Numbers by Electrode": gives groups of electrodes their own lot
// numbers before a run. Opened modally from the pre-test details window,
// built anew at each opening from that window's list of assignments, and
// written back to it by "OK" only.

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ui {

class TestDetailsDialog;

class LotByElectrodeDialog : public QDialog {
    Q_OBJECT
public:
    explicit LotByElectrodeDialog(TestDetailsDialog& details, QWidget* parent = nullptr);

    // Loads the window and shows it modally.
    void showDialog();

    void load();
    void maskUnavailableElectrodes();
    void clearAllAssignments();
    void resetLotGrid();
    void loadExistingAssignments();
    // The ticked boxes as an electrode list ("A1-C1.E1"), "" when none is ticked.
    QString buildCheckedElectrodeList() const;
    void applyLotToElectrodeList(const QString& list, const QString& lot);

    void addLot();
    void checkAll();
    void uncheckAll();
    void clear();
    void acceptEntries();
    void cancel();

    const std::array<QString, 32>& lots() const { return m_lots; }

    std::array<QCheckBox*, 32> electrodeChecks{};
    QGroupBox* electrodesGroup = nullptr;
    QLineEdit* lotNumberEdit = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* checkAllButton = nullptr;
    QPushButton* uncheckAllButton = nullptr;
    QCheckBox* maskUnavailableElectrodesCheck = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QTableWidget* lotGrid = nullptr;

private:
    void buildControls();
    QGroupBox* buildElectrodesFrame();
    void addGridRow(const QString& list, const QString& lot);
    bool channelAvailable(int index) const;

    TestDetailsDialog& m_details;
    std::array<QString, 32> m_lots;
};

} // namespace ui
