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

namespace ui {

StationWindows::StationWindows(config::StationSettings& settings, results::ResultsDatabase& database)
    : m_settings(settings), m_database(database)
{
}

StationWindows::~StationWindows()
{
    destroyAll();
}

MainFrame* StationWindows::frame()
{
    if (!m_frame) {
        m_frame = new MainFrame(m_settings, *this);
        // Its tick closes the shared database connection.
        m_database.setIdleClock(m_frame->dbConnTimeoutTimer);
        m_frame->load();
    }
    return m_frame;
}

MainFrame* StationWindows::existingFrame() const
{
    return m_frame;
}

void StationWindows::addToFrame(QWidget* form)
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

template <typename T>
T* StationWindows::childWindow(QPointer<T>& slot, const std::function<T*()>& make,
                               const std::function<void(T*)>& prepare)
{
    if (!slot) {
        slot = make();
        addToFrame(slot);
        if (prepare)
            prepare(slot);
        slot->load();
    }
    return slot;
}

StatusWindow* StationWindows::statusWindow()
{
    return childWindow<StatusWindow>(m_status, [this] { return new StatusWindow(m_settings, *this); });
}

BackgroundWindow* StationWindows::background()
{
    if (!m_background) {
        // The picture belongs to the frame's backdrop rather than being a
        // window among the others: it lies under every child window, takes
        // no activation and so never comes to the front.
        m_background = new BackgroundWindow(frame()->mdiArea()->viewport());
        m_background->lower();
        m_background->load();
    }
    return m_background;
}

HelpBox* StationWindows::helpBox()
{
    if (!m_help)
        m_help = new HelpBox(frame());
    return m_help;
}

AdvancedOptionsWindow* StationWindows::advancedOptions()
{
    return childWindow<AdvancedOptionsWindow>(
        m_options, [this] { return new AdvancedOptionsWindow(m_settings); },
        [](AdvancedOptionsWindow* options) { MdiChild::resizeTwips(options, 10500, 7500); });
}

void StationWindows::setMainFormFactory(std::function<TestWindowServices*()> factory)
{
    m_mainForm.setFactory(std::move(factory));
}

TestWindowServices* StationWindows::testWindow()
{
    return m_mainForm.get();
}

void StationWindows::setActiveLotWindowFactory(std::function<QWidget*()> factory)
{
    m_activeLot.setFactory(std::move(factory));
}

QWidget* StationWindows::activeLotWindow()
{
    return m_activeLot.get();
}

void StationWindows::setReportListFactory(std::function<QWidget*()> factory)
{
    m_reportList.setFactory(std::move(factory));
}

QWidget* StationWindows::reportListWindow()
{
    return m_reportList.get();
}

QWidget* StationWindows::existingReportListWindow() const
{
    return m_reportList.instance;
}

int StationWindows::mainFormWidthTwips()
{
    TestWindowServices* form = testWindow();
    return form && form->hostWidget() ? MdiChild::geometryTwips(form->hostWidget()).width() : 0;
}

QString StationWindows::commBuffer()
{
    TestWindowServices* form = testWindow();
    return form ? form->commBuffer() : QString();
}

void StationWindows::unloadApplication()
{
    // Not under the feet of a backup or a schema step: they stop at their
    // next turn, and the end follows.
    platform::ProgramEnd::endWhenFree([this] {
        if (TestWindowServices* form = testWindow())
            form->unloadApplication();
        else
            endApplication();
    });
}

void StationWindows::endApplication()
{
    m_database.closeDatabase();
    config::writeLog(QStringLiteral("Application Terminated"));
    platform::ProgramEnd::request(0);
    if (MainFrame* frame = existingFrame())
        frame->hide();
}

void StationWindows::destroyAll()
{
    delete m_help;
    delete m_frame; // its child windows with it
    m_mainForm = {};
    m_activeLot = {};
    m_reportList = {};
    m_openers = {};
}

} // namespace ui
