#pragma once
// The items of the main frame that the test window enables and disables,
// and the frame's progress bar and completion label. The window makes
// stand-ins of its own until the frame hands over its own (attachFrame).

#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;

namespace ui {

struct FrameItems {
    QPointer<QAction> connectUnitActions[3];      // [1], [2]
    QPointer<QAction> connectSimulatorActions[3]; // [1], [2]
    QPointer<QAction> disconnectUnitActions[3];   // [1], [2]
    QPointer<QAction> connectSignalGeneratorAction;
    QPointer<QAction> disconnectSignalGeneratorAction;
    QPointer<QAction> runBiasTestAction;
    QPointer<QAction> runAcz30ZeroAction;
    QPointer<QAction> configureTestSequenceAction;
    QPointer<QAction> testsMenu; // the Tests menu's own action
    QPointer<QProgressBar> progressBar;
    QPointer<QLabel> completionTimeLabel;
};

} // namespace ui
