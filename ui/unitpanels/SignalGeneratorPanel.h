#pragma once
// The signal-generator link's panel: caption "ZAMO-SG", the Connect toggle
// (green when connected, red when not), the status and the error label.
// It only shows the link's display and hands the toggle to the link; the
// link's failures reach it as its error text. The link must outlive it.

#include <QWidget>

class QCheckBox;
class QLabel;
class ctlZAMORoller;

class ctlZAMORollerView : public QWidget {
    Q_OBJECT
public:
    explicit ctlZAMORollerView(ctlZAMORoller* roller, QWidget* parent = nullptr);

    QCheckBox* chkConnect() const { return m_chkConnect; }
    QLabel* lblStatus() const { return m_lblStatus; }
    QLabel* lblErrorMessage() const { return m_lblErrorMessage; }

private:
    void Refresh();

    ctlZAMORoller* m_roller;
    QCheckBox* m_chkConnect;
    QLabel* m_lblStatus;
    QLabel* m_lblErrorMessage;
};
