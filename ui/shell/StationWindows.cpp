#include "ui/shell/StationWindows.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/ProgramEnd.h"
#include "platform/Timer.h"
#include "results/ResultsDatabase.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/options/AdvancedOptionsWindow.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/HelpBox.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StatusWindow.h"
#include "ui/testwindow/TestWindowCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace StationWindows {

namespace {

// A window that another subsystem builds, on first use, with its factory.
template <typename T, typename Pointer>
struct Built {
    std::function<T*()> factory;
    Pointer instance{};

    void setFactory(std::function<T*()> f)
    {
        factory = std::move(f);
        instance = nullptr;
    }
    T* get()
    {
        if (!instance && factory)
            instance = factory();
        return instance;
    }
};

struct Held {
    QPointer<ParentMDIForm> frame;
    QPointer<StatusWindowForm> status;
    QPointer<BackgroundForm> background;
    QPointer<HelpInfoForm> help;
    QPointer<AdvancedOptionsForm> options;
    Built<MainFormServices, MainFormServices*> mainForm;
    Built<QWidget, QPointer<QWidget>> activeLot;
    Openers openers;
    // The station's settings that the windows are built with; until the
    // start-up hands them in, the windows get a set of defaults of their own.
    config::StationSettings* settings = nullptr;
    config::StationSettings defaults;

    config::StationSettings& windowSettings() { return settings ? *settings : defaults; }
};

Held& held()
{
    static Held h;
    return h;
}

} // namespace

void UseSettings(config::StationSettings* settings)
{
    held().settings = settings;
}

ParentMDIForm* Frame()
{
    Held& h = held();
    if (!h.frame) {
        h.frame = new ParentMDIForm(h.windowSettings());
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
    // A window sized before it joins the frame keeps that outer size.
    const bool sized = form->testAttribute(Qt::WA_Resized);
    const QSize size = form->size();
    QMdiSubWindow* sub = Frame()->mdiArea()->addSubWindow(form);
    if (sized)
        sub->resize(size);
    sub->setAttribute(Qt::WA_DeleteOnClose, form->testAttribute(Qt::WA_DeleteOnClose));
    sub->setWindowTitle(form->windowTitle());
}

namespace {

// A child window of the frame, made on first use: added to the frame,
// prepared, then loaded.
template <typename T>
T* childWindow(QPointer<T>& slot, const std::function<void(T*)>& prepare = {})
{
    if (!slot) {
        slot = new T(held().windowSettings());
        AddToFrame(slot);
        if (prepare)
            prepare(slot);
        slot->Load();
    }
    return slot;
}

} // namespace

StatusWindowForm* StatusWindow()
{
    return childWindow(held().status);
}

BackgroundForm* Background()
{
    Held& h = held();
    if (!h.background) {
        // The picture belongs to the frame's backdrop rather than being a
        // window among the others: it lies under every child window, takes
        // no activation and so never comes to the front.
        h.background = new BackgroundForm(Frame()->mdiArea()->viewport());
        h.background->lower();
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
    return childWindow<AdvancedOptionsForm>(held().options, [](AdvancedOptionsForm* options) {
        MdiChild::ResizeTwips(options, 10500, 7500);
    });
}

void SetMainFormFactory(std::function<MainFormServices*()> factory)
{
    held().mainForm.setFactory(std::move(factory));
}

MainFormServices* MainForm()
{
    return held().mainForm.get();
}

void SetActiveLotWindowFactory(std::function<QWidget*()> factory)
{
    held().activeLot.setFactory(std::move(factory));
}

QWidget* ActiveLotWindow()
{
    return held().activeLot.get();
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
    config::StationSettings* settings = h.settings;
    h = Held();
    h.settings = settings;
}

} // namespace StationWindows
