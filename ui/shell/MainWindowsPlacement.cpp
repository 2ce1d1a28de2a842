#include "ui/shell/MainWindowsPlacement.h"

#include "ui/common/MdiPlacement.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/StatusWindow.h"
#include "ui/shell/TestWindowCommands.h"

namespace ui {

void showMainWindows(StationWindows& windows)
{
    MainFrame* frame = windows.frame();
    frame->show();
    const QSize area = frame->mdiAreaSize();

    BackgroundWindow* background = windows.background();
    background->show();
    const QRect bg = MdiChild::geometryTwips(background);
    MdiChild::moveTwips(background, frame->widthInTwips() - bg.width(), frame->heightInTwips() - bg.height());

    QWidget* mainForm = nullptr;
    if (TestWindowServices* form = windows.testWindow()) {
        mainForm = form->hostWidget();
        windows.addToFrame(mainForm);
        mainForm->show();
        MdiChild::moveTwips(mainForm, 0, 0);
        MdiChild::shrinkInto(mainForm, area);
    }

    StatusWindow* status = windows.statusWindow();
    status->show();
    QWidget* activeLot = windows.activeLotWindow();
    if (activeLot) {
        windows.addToFrame(activeLot);
        activeLot->show();
    }

    // The status window to the right of the main test window, the active-lot
    // window under it and as wide, the two together as high as the main test
    // window; neither reaches past the frame's area where it has room.
    if (mainForm) {
        const QRect main = MdiChild::geometryTwips(mainForm);
        const int activeLotHeight = activeLot ? MdiChild::geometryTwips(activeLot).height() : 0;
        const QRect st = MdiChild::geometryTwips(status);
        MdiChild::setGeometryTwips(status, main.width(), main.top(), st.width(), main.height() - activeLotHeight);
        MdiChild::shrinkInto(status, area);
        if (activeLot) {
            const QRect placed = MdiChild::geometryTwips(status);
            MdiChild::setGeometryTwips(activeLot, placed.left(), placed.top() + placed.height(), placed.width(),
                                       main.height() - placed.height());
            MdiChild::shrinkInto(activeLot, area);
        }
    }

    for (QWidget* w : {mainForm, static_cast<QWidget*>(status), activeLot, static_cast<QWidget*>(background)})
        if (w)
            MdiChild::outerWidget(w)->update();
    frame->refresh();
    if (mainForm)
        MdiChild::showAndRaise(mainForm);
}

} // namespace ui
