#pragma once
// The signal-generator link's panel: caption "ZAMO-SG", the Connect toggle
// (green when connected, red when not), the status and the error label.
// It shows the link's display; the operator's click on the toggle connects
// or disconnects the link. The link's failures reach it as its error text.
// The link must outlive it.

#include <QWidget>

class QCheckBox;
class QLabel;
namespace unit {
class SignalGeneratorLink;
}

namespace ui {

class SignalGeneratorPanel : public QWidget {
    Q_OBJECT
public:
    explicit SignalGeneratorPanel(unit::SignalGeneratorLink* roller, QWidget* parent = nullptr);

    QCheckBox* connectCheck() const { return m_connectCheck; }
    QLabel* statusLabel() const { return m_statusLabel; }
    QLabel* errorMessageLabel() const { return m_errorMessageLabel; }

private:
    void refresh();
    void connectClicked(bool checked);

    unit::SignalGeneratorLink* m_roller;
    QCheckBox* m_connectCheck;
    QLabel* m_statusLabel;
    QLabel* m_errorMessageLabel;
};

} // namespace ui
