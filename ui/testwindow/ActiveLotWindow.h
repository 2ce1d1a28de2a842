#pragma once
// "Test Lot Numbers": the small tool window under the status window that
// shows the lot number, or the per-electrode lots, of the current run. It
// lives for the whole program and has no close item; the pre-test details
// window fills it when a run starts.

#include <QWidget>

class QPlainTextEdit;

namespace ui {

class ActiveLotWindow : public QWidget {
    Q_OBJECT
public:
    explicit ActiveLotWindow(QWidget* parent = nullptr);

    void load();

    QPlainTextEdit* lotNumbersEdit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_loaded = false;
};

} // namespace ui
