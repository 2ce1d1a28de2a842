#pragma once
// The "Help" box: the program's version and the support contacts. A click on
// a contact puts its text on the clipboard and shows "Copied to Clipboard"
// for 3 s after the last click. Nothing here fails: a desktop without a
// clipboard simply keeps nothing.

#include <QWidget>

class QLabel;
namespace platform {
class Timer;
}

namespace ui {

class HelpBox : public QWidget {
    Q_OBJECT
public:
    explicit HelpBox(QWidget* parent = nullptr);

    QLabel* headerLabel = nullptr;
    QLabel* supportLabel = nullptr;
    QLabel* emailLabel = nullptr;
    QLabel* orLabel = nullptr;
    QLabel* phoneLabel = nullptr;
    QLabel* copiedLabel = nullptr;
    QLabel* companyLabel = nullptr;
    platform::Timer* clipboardTimer = nullptr;

    // What a click on emailLabel or phoneLabel does.
    void copyLabel(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ui
