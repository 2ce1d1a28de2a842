#pragma once
// The unit link's status display: the lamp (green connected, red not), the
// status label, the red error label, the Connect toggle and, once the
// simulator is enabled, the "Sim" box with the simulated channel count.
// It only shows the link's display and hands the operator's input to the
// link; the link's failures reach it as its error text. The link must
// outlive it.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class ctlZAMOUsbComm;

class ctlZAMOUsbCommView : public QWidget {
    Q_OBJECT
public:
    explicit ctlZAMOUsbCommView(ctlZAMOUsbComm* comm, QWidget* parent = nullptr);

    QLabel* shpStatus() const { return m_shpStatus; }
    QLabel* lblStatus() const { return m_lblStatus; }
    QLabel* lblErrorMessage() const { return m_lblErrorMessage; }
    QCheckBox* chkConnect() const { return m_chkConnect; }
    QCheckBox* chkUseSim() const { return m_chkUseSim; }
    QLineEdit* txtSimChannels() const { return m_txtSimChannels; }

private:
    void Refresh();

    ctlZAMOUsbComm* m_comm;
    QLabel* m_shpStatus;
    QLabel* m_lblStatus;
    QLabel* m_lblErrorMessage;
    QCheckBox* m_chkConnect;
    QCheckBox* m_chkUseSim;
    QLineEdit* m_txtSimChannels;
};
