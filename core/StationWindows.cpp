#include "core/StationWindows.h"

#include "core/AdvancedOptionsForm.h"
#include "core/BackgroundForm.h"
#include "core/HelpInfoForm.h"
#include "core/MainFormServices.h"
#include "core/MdiChild.h"
#include "core/ParentMDIForm.h"
#include "core/ProgramEnd.h"
#include "core/StatusWindowForm.h"
#include "core/Twips.h"
#include "core/modMain.h"
#include "platform/Timer.h"
#include "results/modDatabase.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace StationWindows {

namespace {

struct Held {
    QPointer<ParentMDIForm> frame;
    QPointer<StatusWindowForm> status;
    QPointer<BackgroundForm> background;
    QPointer<HelpInfoForm> help;
    QPointer<AdvancedOptionsForm> options;
    std::function<MainFormServices*()> mainFormFactory;
    MainFormServices* mainForm = nullptr;
    std::function<QWidget*()> activeLotFactory;
    QPointer<QWidget> activeLot;
    Openers openers;
};

Held& held()
{
    static Held h;
    return h;
}

} // namespace

ParentMDIForm* Frame()
{
    Held& h = held();
    if (!h.frame) {
        h.frame = new ParentMDIForm();
        h.frame->Load();
    }
    return h.frame;
}

ParentMDIForm* ExistingFrame()
{
    return held().frame;
}

void AddToFrame(QWidget* form)
{
    if (qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        return;
    QMdiSubWindow* sub = Frame()->mdiArea()->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose, form->testAttribute(Qt::WA_DeleteOnClose));
    sub->setWindowTitle(form->windowTitle());
}

StatusWindowForm* StatusWindow()
{
    Held& h = held();
    if (!h.status) {
        h.status = new StatusWindowForm();
        AddToFrame(h.status);
        h.status->Load();
    }
    return h.status;
}

BackgroundForm* Background()
{
    Held& h = held();
    if (!h.background) {
        h.background = new BackgroundForm();
        AddToFrame(h.background);
        QWidget* outer = MdiChild::Outer(h.background);
        outer->setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
        h.background->Load();
    }
    return h.background;
}

HelpInfoForm* HelpBox()
{
    Held& h = held();
    if (!h.help)
        h.help = new HelpInfoForm(Frame());
    return h.help;
}

AdvancedOptionsForm* AdvancedOptions()
{
    Held& h = held();
    if (!h.options) {
        h.options = new AdvancedOptionsForm();
        AddToFrame(h.options);
        MdiChild::ResizeTwips(h.options, 9000, 7500);
        h.options->Load();
    }
    return h.options;
}

void SetMainFormFactory(std::function<MainFormServices*()> factory)
{
    held().mainFormFactory = std::move(factory);
    held().mainForm = nullptr;
}

MainFormServices* MainForm()
{
    Held& h = held();
    if (!h.mainForm && h.mainFormFactory)
        h.mainForm = h.mainFormFactory();
    return h.mainForm;
}

void SetActiveLotWindowFactory(std::function<QWidget*()> factory)
{
    held().activeLotFactory = std::move(factory);
    held().activeLot = nullptr;
}

QWidget* ActiveLotWindow()
{
    Held& h = held();
    if (!h.activeLot && h.activeLotFactory)
        h.activeLot = h.activeLotFactory();
    return h.activeLot;
}

Openers& WindowOpeners()
{
    return held().openers;
}

int MainFormWidthTwips()
{
    MainFormServices* form = MainForm();
    return form && form->Window() ? MdiChild::GeometryTwips(form->Window()).width() : 0;
}

QString CommBuffer()
{
    MainFormServices* form = MainForm();
    return form ? form->CommBuffer() : QString();
}

void UnloadApplication()
{
    if (MainFormServices* form = MainForm())
        form->UnloadApplication();
    else
        EndApplication();
}

void EndApplication()
{
    modDatabase::CloseDatabase();
    modMain::WriteLog(QStringLiteral("Application Terminated"));
    ProgramEnd::Request(0);
    if (ParentMDIForm* frame = ExistingFrame())
        frame->hide();
}

void DestroyAll()
{
    Held& h = held();
    delete h.help;
    delete h.frame;   // its child windows with it
    h = Held();
}

} // namespace StationWindows
