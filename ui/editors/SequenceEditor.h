#pragma once
// "Test Sequence Editor": the modal window in which the operator builds and
// changes the test list. It works on a working list, copies of the steps of
// ActiveTestList; "OK" hands the working list over, "Cancel" drops it.
// Saving a .tsq file, "Save Standard Sequence" and "Apply" of the defib
// charge time take effect at once, whatever the window's outcome.
//
// Every step takes the default electrode selection at every refresh of the
// grid. Grid row n (1-based, the header is row 0) shows step n.
//
// A .tsq file that cannot be read or is not for the connected units, or one
// that cannot be written, is told to the operator in a warning, and the
// working list stays as it was. An insert while no default electrodes are
// selected, and a defib charge time that is not a whole number up to 600,
// are refused with a message.

#include "testlists/TestStep.h"

#include <QDialog>

class MainFormServices;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

class TestSequenceEditorForm : public QDialog {
    Q_OBJECT

public:
    explicit TestSequenceEditorForm(MainFormServices& mainForm, QWidget* parent = nullptr);

    // Refreshes the grid from the working list and gives every step the
    // default selection.
    void UpdateTestSequenceList();

private:
    void InsertButton_Click();
    void SaveEditButton_Click();
    void CancelEditButton_Click();
    void TestSequenceFlexGrid_DblClick();
    void MoveUpImageButton_Click();
    void MoveDownImageButton_Click();
    void DeleteRowImageButton_Click();
    void ClearAllButton_Click();
    void LoadButton_Click();
    void SaveCommand_Click();
    void LoadStandardSequenceButton_Click();
    void SaveStandardSequenceButton_Click();
    void cmdApplyDefibChargeTime_Click();
    void cmdResetDefibChargeTime_Click();
    void TestTypeComboBox_Click();
    void OKButton_Click();
    void CancelButton_Click();

    void InitializeEditor();
    void ResetGrid();
    void SizeGridColumns();
    void LoadRowIntoEditor(const clsTestSequence& step);
    void EnableBiasControls(bool enabled);
    void ClearSequenceList();
    void OpenSequenceFile();
    void SaveSequenceFile();

    // Initialises the step as the parameter controls describe it, on the
    // selection.
    void ApplyControlsTo(clsTestSequence& step, const QString& selection) const;
    void SetEditing(int position);
    // The grid's current row: 0 (the header) when no step row is current.
    int CurrentRow() const;
    void MakeRowCurrent(int row);
    // Moves the step of grid row from to row to and makes that row current.
    void MoveStep(int from, int to);
    // Replaces the working list; an open edit ends, as its position may now
    // name another step or none.
    void ReplaceWorkingList(const TestList& steps);
    static void ShowWarning(const QString& text, const QString& title);

    void BuildControls();
    QWidget* BuildParameterControls();
    QWidget* BuildSequenceControls();

    MainFormServices& m_mainForm;
    TestList m_workingList;
    qint16 m_editPosition = -1;

    QComboBox* TestTypeComboBox = nullptr;
    QLabel* lblCount = nullptr;
    QComboBox* CountComboBox = nullptr;
    QLabel* lblPaceDuration = nullptr;
    QComboBox* PaceDurationComboBox = nullptr;
    QGroupBox* BiasFrame = nullptr;
    QLabel* TTLabel = nullptr;
    QComboBox* TestTimeComboBox = nullptr;
    QLabel* SILabel = nullptr;
    QComboBox* SampleIntervalComboBox = nullptr;
    QGroupBox* PaceRollFrame = nullptr;
    QCheckBox* PaceRollPromptCheckBox = nullptr;
    QCheckBox* ConcurrentRollCheckBox = nullptr;
    QGroupBox* DefibChargeFrame = nullptr;
    QLineEdit* txtDefibChargeTime = nullptr;
    QTableWidget* TestSequenceFlexGrid = nullptr;
    QPushButton* InsertButton = nullptr;
    QPushButton* SaveEditButton = nullptr;
    QPushButton* CancelEditButton = nullptr;
};
