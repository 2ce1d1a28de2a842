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
    QPointer<QAction> ZamoUnitsConnect[3];          // [1], [2]
    QPointer<QAction> ZamoUnitsConnectSimulator[3]; // [1], [2]
    QPointer<QAction> ZamoUnitsDisconnect[3];       // [1], [2]
    QPointer<QAction> ZamoUnitsConnectZamoSG;
    QPointer<QAction> ZamoUnitsDisconnectZamoSG;
    QPointer<QAction> TestsRunBiasTest;
    QPointer<QAction> TestsRunACZ30Zero;
    QPointer<QAction> TestsConfigureTestSequence;
    QPointer<QAction> MainTests; // the Tests menu's own action
    QPointer<QProgressBar> MainProgressBar;
    QPointer<QLabel> ExpectedCompletionTimeLabel;
};

} // namespace ui
