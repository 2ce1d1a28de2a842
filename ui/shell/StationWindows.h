#pragma once
// The station's main windows, created on first use and kept until the
// object goes (or destroyAll): the main frame, the status window and the
// background window; the help box and the options editor, created again
// after the operator closed them. The main test window, the active-lot
// window and the report list window belong to other subsystems, which hand
// in here the factories that build them; the windows of other subsystems
// that the frame's menus open are handed in as openers.
//
// One instance belongs to the station (app::Station) and is handed by
// reference to the windows that reach the others; a test builds its own.

#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace config {
struct StationSettings;
}
namespace results {
class ResultsDatabase;
}

namespace ui {

class AdvancedOptionsWindow;
class BackgroundWindow;
class HelpBox;
class TestWindowServices;
class MainFrame;
class StatusWindow;

class StationWindows {
public:
    // settings: the station's settings that the frame, the status window and
    // the options editor are built with; database: the connection whose idle
    // clock is the frame's dbConnTimeoutTimer, and that endApplication
    // closes. Both kept by reference.
    StationWindows(config::StationSettings& settings, results::ResultsDatabase& database);
    // Deletes the windows held here, as destroyAll does.
    ~StationWindows();
    StationWindows(const StationWindows&) = delete;
    StationWindows& operator=(const StationWindows&) = delete;

    MainFrame* frame();
    MainFrame* existingFrame() const; // nullptr before the frame is created
    StatusWindow* statusWindow();
    BackgroundWindow* background();
    HelpBox* helpBox();
    AdvancedOptionsWindow* advancedOptions();

    // The main test window: a factory that builds it on first use.
    void setMainFormFactory(std::function<TestWindowServices*()> factory);
    TestWindowServices* testWindow(); // nullptr when no main test window is built in
    void setActiveLotWindowFactory(std::function<QWidget*()> factory);
    QWidget* activeLotWindow(); // nullptr when none is built in
    // The report list window: built on first use by its factory, which
    // keeps what the window needs for as long as it is kept here.
    void setReportListFactory(std::function<QWidget*()> factory);
    QWidget* reportListWindow();               // nullptr when none is built in
    QWidget* existingReportListWindow() const; // nullptr before it is built

    // Windows of other subsystems that the frame's menus open.
    struct Openers {
        std::function<void()> DatabaseOptions;    // modal
        std::function<void()> ReportViewer;       // restores the report list window
        std::function<void()> ReportActions;      // modal
        std::function<void()> testSequenceEditor; // modal
        std::function<void()> limitsEditor;       // modal
        std::function<void()> SystemCalibration;  // modal
    };
    Openers& windowOpeners() { return m_openers; }

    // Width of the main test window in twips, 0 when there is none.
    int mainFormWidthTwips();
    // The main test window's communication buffer, "" when there is none.
    QString commBuffer();

    // Adds a window to the main frame as a child (once).
    void addToFrame(QWidget* form);

    // Ends the station: through the main test window's unloadApplication when
    // there is one, otherwise by closing the database and the windows, logging
    // "Application Terminated" and ending the program. While a database
    // upkeep job runs, the end waits for it (platform::ProgramEnd::Hold).
    void unloadApplication();
    void endApplication();

    // Deletes every window held here and forgets the factories and the
    // openers (tests).
    void destroyAll();

private:
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

    // A child window of the frame, made on first use: added to the frame,
    // prepared, then loaded.
    template <typename T>
    T* childWindow(QPointer<T>& slot, const std::function<T*()>& make, const std::function<void(T*)>& prepare = {});

    config::StationSettings& m_settings;
    results::ResultsDatabase& m_database;
    QPointer<MainFrame> m_frame;
    QPointer<StatusWindow> m_status;
    QPointer<BackgroundWindow> m_background;
    QPointer<HelpBox> m_help;
    QPointer<AdvancedOptionsWindow> m_options;
    Built<TestWindowServices, TestWindowServices*> m_mainForm;
    Built<QWidget, QPointer<QWidget>> m_activeLot;
    Built<QWidget, QPointer<QWidget>> m_reportList;
    Openers m_openers;
};

} // namespace ui
