#pragma once
// "WARNING": the reminder, after a stopped ZAMO80 or ZAMO2-4 run, that the
// defibrillator supply may still be charged. Modeless; "OK" closes it (and
// deletes it). It cannot fail.

#include <QWidget>

namespace ui {

class DischargeWarningWindow : public QWidget {
    Q_OBJECT
public:
    explicit DischargeWarningWindow(QWidget* parent = nullptr);
};

} // namespace ui
