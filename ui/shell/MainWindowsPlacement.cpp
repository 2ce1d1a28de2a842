#include "ui/shell/MainWindowsPlacement.h"

#include "ui/common/MdiPlacement.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/StatusWindow.h"
#include "ui/testwindow/TestWindowCommands.h"

namespace modMain {

void ShowMainWindows()
{
    ParentMDIForm* frame = StationWindows::Frame();
    frame->show();
    const QSize area = frame->MdiAreaSize();

    BackgroundForm* background = StationWindows::Background();
    background->show();
    const QRect bg = MdiChild::GeometryTwips(background);
    MdiChild::MoveTwips(background, frame->WidthInTwips() - bg.width(), frame->HeightInTwips() - bg.height());

    QWidget* mainForm = nullptr;
    if (MainFormServices* form = StationWindows::MainForm()) {
        mainForm = form->Window();
        StationWindows::AddToFrame(mainForm);
        mainForm->show();
        MdiChild::MoveTwips(mainForm, 0, 0);
        MdiChild::ShrinkInto(mainForm, area);
    }

    StatusWindowForm* status = StationWindows::StatusWindow();
    status->show();
    QWidget* activeLot = StationWindows::ActiveLotWindow();
    if (activeLot) {
        StationWindows::AddToFrame(activeLot);
        activeLot->show();
    }

    // The status window to the right of the main test window, the active-lot
    // window under it and as wide, the two together as high as the main test
    // window; neither reaches past the frame's area where it has room.
    if (mainForm) {
        const QRect main = MdiChild::GeometryTwips(mainForm);
        const int activeLotHeight = activeLot ? MdiChild::GeometryTwips(activeLot).height() : 0;
        const QRect st = MdiChild::GeometryTwips(status);
        MdiChild::SetGeometryTwips(status, main.width(), main.top(), st.width(), main.height() - activeLotHeight);
        MdiChild::ShrinkInto(status, area);
        if (activeLot) {
            const QRect placed = MdiChild::GeometryTwips(status);
            MdiChild::SetGeometryTwips(activeLot, placed.left(), placed.top() + placed.height(), placed.width(),
                                       main.height() - placed.height());
            MdiChild::ShrinkInto(activeLot, area);
        }
    }

    for (QWidget* w : {mainForm, static_cast<QWidget*>(status), activeLot, static_cast<QWidget*>(background)})
        if (w)
            MdiChild::Outer(w)->update();
    frame->Refresh();
    if (mainForm)
        MdiChild::ShowAndRaise(mainForm);
}

} // namespace modMain
