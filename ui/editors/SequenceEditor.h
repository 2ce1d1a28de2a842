#pragma once
// "Test Sequence Editor": the modal window in which the operator builds and
// changes the test list. It works on a working list, copies of the steps of
// the main window's active test list; "OK" hands the working list over,
// "Cancel" drops it.
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

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace ui {

class TestWindowServices;

class SequenceEditor : public QDialog {
    Q_OBJECT

public:
    explicit SequenceEditor(TestWindowServices& mainForm, QWidget* parent = nullptr);

    // Refreshes the grid from the working list and gives every step the
    // default selection.
    void updateTestSequenceList();

private:
    void insertRow();
    void saveEdit();
    void cancelEdit();
    void editRow();
    void moveRowUp();
    void moveRowDown();
    void deleteRow();
    void clearAll();
    void loadFile();
    void saveCommand();
    void loadStandardSequence();
    void saveStandardSequence();
    void applyDefibChargeTime();
    void resetDefibChargeTime();
    void testTypeChosen();
    void acceptEntries();
    void cancel();

    void initializeEditor();
    void resetGrid();
    void sizeGridColumns();
    void loadRowIntoEditor(const testlists::TestStep& step);
    void enableBiasControls(bool enabled);
    void clearSequenceList();
    void openSequenceFile();
    void saveSequenceFile();

    // Initialises the step as the parameter controls describe it, on the
    // selection.
    void applyControlsTo(testlists::TestStep& step, const QString& selection) const;
    void setEditing(int position);
    // The grid's current row: 0 (the header) when no step row is current.
    int currentRow() const;
    void makeRowCurrent(int row);
    // Moves the step of grid row from to row to and makes that row current.
    void moveStep(int from, int to);
    // Replaces the working list; an open edit ends, as its position may now
    // name another step or none.
    void replaceWorkingList(const testlists::TestList& steps);
    static void showWarning(const QString& text, const QString& title);

    void buildControls();
    QWidget* buildParameterControls();
    QWidget* buildSequenceControls();

    TestWindowServices& m_mainForm;
    testlists::TestList m_workingList;
    qint16 m_editPosition = -1;

    QComboBox* testTypeComboBox = nullptr;
    QLabel* countLabel = nullptr;
    QComboBox* countComboBox = nullptr;
    QLabel* paceDurationLabel = nullptr;
    QComboBox* paceDurationComboBox = nullptr;
    QGroupBox* biasGroup = nullptr;
    QLabel* testTimeLabel = nullptr;
    QComboBox* testTimeComboBox = nullptr;
    QLabel* sampleIntervalLabel = nullptr;
    QComboBox* sampleIntervalComboBox = nullptr;
    QGroupBox* paceRollGroup = nullptr;
    QCheckBox* paceRollPromptCheckBox = nullptr;
    QCheckBox* concurrentRollCheckBox = nullptr;
    QGroupBox* defibChargeGroup = nullptr;
    QLineEdit* defibChargeTimeEdit = nullptr;
    QTableWidget* testSequenceGrid = nullptr;
    QPushButton* insertButton = nullptr;
    QPushButton* saveEditButton = nullptr;
    QPushButton* cancelEditButton = nullptr;
};

} // namespace ui
