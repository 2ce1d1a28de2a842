#pragma once
// "BIAS Test Parameters": the modal dialog of a one-test BIAS run. The
// operator picks the test time and the sampling interval; "OK" replaces the
// active test list with one BIAS step on all electrodes and starts the run.
// The lists offer only valid choices, so nothing here fails; "Cancel"
// leaves the active list as it was.

#include <QDialog>

class MainFormServices;
class QComboBox;

class BiasTestParametersForm : public QDialog {
    Q_OBJECT

public:
    explicit BiasTestParametersForm(MainFormServices& mainForm, QWidget* parent = nullptr);

private:
    void Form_Load();
    void cmdOk_Click();
    void cmdCancel_Click();

    MainFormServices& m_mainForm;
    QComboBox* TestTimeComboBox = nullptr;
    QComboBox* SamplingIntervalComboBox = nullptr;
};
