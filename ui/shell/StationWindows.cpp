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
#include "ui/shell/TestWindowCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace ui {

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
    QPointer<MainFrame> frame;
    QPointer<StatusWindow> status;
    QPointer<BackgroundWindow> background;
    QPointer<HelpBox> help;
    QPointer<AdvancedOptionsWindow> options;
    Built<TestWindowServices, TestWindowServices*> mainForm;
    Built<QWidget, QPointer<QWidget>> activeLot;
    Openers openers;
    // The station's settings that the windows are built with; until the
    // start-up hands them in, the windows get a set of defaults of their own.
    config::StationSettings* settings = nullptr;
    config::StationSettings defaults;
    results::ResultsDatabase* database = nullptr;

    config::StationSettings& windowSettings() { return settings ? *settings : defaults; }
};

Held& held()
{
    static Held h;
    return h;
}

} // namespace

void useSettings(config::StationSettings* settings)
{
    held().settings = settings;
}

MainFrame* frame()
{
    Held& h = held();
    if (!h.frame) {
        h.frame = new MainFrame(h.windowSettings());
        // Its tick closes the shared database connection.
        if (h.database)
            h.database->setIdleClock(h.frame->dbConnTimeoutTimer);
        h.frame->load();
    }
    return h.frame;
}

void useDatabase(results::ResultsDatabase* database)
{
    held().database = database;
}

MainFrame* existingFrame()
{
    return held().frame;
}

void addToFrame(QWidget* form)
{
    if (qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        return;
    // A window sized before it joins the frame keeps that outer size.
    const bool sized = form->testAttribute(Qt::WA_Resized);
    const QSize size = form->size();
    QMdiSubWindow* sub = frame()->mdiArea()->addSubWindow(form);
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
        addToFrame(slot);
        if (prepare)
            prepare(slot);
        slot->load();
    }
    return slot;
}

} // namespace

StatusWindow* statusWindow()
{
    return childWindow(held().status);
}

BackgroundWindow* background()
{
    Held& h = held();
    if (!h.background) {
        // The picture belongs to the frame's backdrop rather than being a
        // window among the others: it lies under every child window, takes
        // no activation and so never comes to the front.
        h.background = new BackgroundWindow(frame()->mdiArea()->viewport());
        h.background->lower();
        h.background->load();
    }
    return h.background;
}

HelpBox* helpBox()
{
    Held& h = held();
    if (!h.help)
        h.help = new HelpBox(frame());
    return h.help;
}

AdvancedOptionsWindow* advancedOptions()
{
    return childWindow<AdvancedOptionsWindow>(
        held().options, [](AdvancedOptionsWindow* options) { MdiChild::resizeTwips(options, 10500, 7500); });
}

void setMainFormFactory(std::function<TestWindowServices*()> factory)
{
    held().mainForm.setFactory(std::move(factory));
}

TestWindowServices* testWindow()
{
    return held().mainForm.get();
}

void setActiveLotWindowFactory(std::function<QWidget*()> factory)
{
    held().activeLot.setFactory(std::move(factory));
}

QWidget* activeLotWindow()
{
    return held().activeLot.get();
}

Openers& windowOpeners()
{
    return held().openers;
}

int mainFormWidthTwips()
{
    TestWindowServices* form = testWindow();
    return form && form->hostWidget() ? MdiChild::geometryTwips(form->hostWidget()).width() : 0;
}

QString commBuffer()
{
    TestWindowServices* form = testWindow();
    return form ? form->commBuffer() : QString();
}

void unloadApplication()
{
    if (TestWindowServices* form = testWindow())
        form->unloadApplication();
    else
        endApplication();
}

void endApplication()
{
    if (results::ResultsDatabase* database = held().database)
        database->closeDatabase();
    config::writeLog(QStringLiteral("Application Terminated"));
    platform::ProgramEnd::request(0);
    if (MainFrame* frame = existingFrame())
        frame->hide();
}

void destroyAll()
{
    Held& h = held();
    delete h.help;
    delete h.frame; // its child windows with it
    config::StationSettings* settings = h.settings;
    results::ResultsDatabase* database = h.database;
    h = Held();
    h.settings = settings;
    h.database = database;
}

} // namespace StationWindows

} // namespace ui
