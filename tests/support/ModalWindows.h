#pragma once
// Tests that drive a modal window: the window's own event loop runs while the
// test waits, so the test acts on it from a timer.

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// Runs action on the next modal window that opens, from a timer of its own
// while the window's event loop runs (modal windows wait in real time).
inline void whenModal(std::function<void(QWidget*)> action)
{
    auto* poll = new QTimer();
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start();
}

} // namespace testsupport
