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
class TestDetailsForm;

class LotByElectrodeForm : public QDialog {
    Q_OBJECT
public:
    explicit LotByElectrodeForm(TestDetailsForm& details, QWidget* parent = nullptr);

    // Loads the window and shows it modally.
    void Show();

    void Form_Load();
    void MaskUnavailableElectrodes();
    void ClearAllAssignments();
    void ResetLotGrid();
    void LoadExistingAssignments();
    // The ticked boxes as an electrode list ("A1-C1.E1"), "" when none is ticked.
    QString BuildCheckedElectrodeList() const;
    void ApplyLotToElectrodeList(const QString& list, const QString& lot);

    void cmdAdd_Click();
    void CheckAllButton_Click();
    void UncheckAllButton_Click();
    void cmdClear_Click();
    void OKButton_Click();
    void CancelButton_Click();

    const std::array<QString, 32>& Lots() const { return m_lots; }

    std::array<QCheckBox*, 32> ElectrodesCheckBox{};
    QGroupBox* ElectrodesFrame = nullptr;
    QLineEdit* txtLotNumber = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* CheckAllButton = nullptr;
    QPushButton* UncheckAllButton = nullptr;
    QCheckBox* chkMaskUnavailableElectrodes = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QTableWidget* LotListFlexGrid = nullptr;

private:
    void BuildControls();
    QGroupBox* BuildElectrodesFrame();
    void AddGridRow(const QString& list, const QString& lot);
    bool ChannelAvailable(int index) const;

    TestDetailsForm& m_details;
    std::array<QString, 32> m_lots;
};
