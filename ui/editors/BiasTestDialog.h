#pragma once
// "BIAS Test Parameters": the modal dialog of a one-test BIAS run. The
// operator picks the test time and the sampling interval; "OK" replaces the
// active test list with one BIAS step on all electrodes and starts the run.
// The lists offer only valid choices, so nothing here fails; "Cancel"
// leaves the active list as it was.

#include <QDialog>

class QComboBox;

namespace ui {

class TestWindowServices;

class BiasTestDialog : public QDialog {
    Q_OBJECT

public:
    explicit BiasTestDialog(TestWindowServices& mainForm, QWidget* parent = nullptr);

private:
    void load();
    void acceptEntries();
    void cancel();

    TestWindowServices& m_mainForm;
    QComboBox* testTimeComboBox = nullptr;
    QComboBox* samplingIntervalComboBox = nullptr;
};

} // namespace ui
