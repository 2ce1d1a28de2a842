#include "core/ShowMainWindows.h"

#include "core/BackgroundForm.h"
#include "core/MainFormServices.h"
#include "core/MdiChild.h"
#include "core/ParentMDIForm.h"
#include "core/StationWindows.h"
#include "core/StatusWindowForm.h"

namespace modMain {

void ShowMainWindows()
{
    ParentMDIForm* frame = StationWindows::Frame();
    frame->show();

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
    }

    StatusWindowForm* status = StationWindows::StatusWindow();
    status->show();
    QWidget* activeLot = StationWindows::ActiveLotWindow();
    if (activeLot) {
        StationWindows::AddToFrame(activeLot);
        activeLot->show();
    }

    if (mainForm) {
        const QRect main = MdiChild::GeometryTwips(mainForm);
        const int activeLotHeight = activeLot ? MdiChild::GeometryTwips(activeLot).height() : 0;
        const QRect st = MdiChild::GeometryTwips(status);
        MdiChild::SetGeometryTwips(status, main.width(), main.top(), st.width(), main.height() - activeLotHeight);
        if (activeLot) {
            const QRect placed = MdiChild::GeometryTwips(status);
            const QRect lot = MdiChild::GeometryTwips(activeLot);
            MdiChild::SetGeometryTwips(activeLot, placed.left(), placed.top() + placed.height(), lot.width(),
                                       main.height() - placed.height());
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
