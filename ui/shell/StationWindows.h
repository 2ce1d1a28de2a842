#pragma once
// The station's main windows, created on first use and kept until the
// program ends: the main frame, the status window and the background
// window; the help box and the options editor, created again after the
// operator closed them. The main test window and the active-lot window
// belong to the test execution subsystem, which hands them in here; the
// windows of other subsystems that the frame's menus open are handed in as
// openers.

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

namespace StationWindows {

// The station's settings that the frame, the status window and the options
// editor are built with (kept until replaced; the caller keeps them alive);
// nullptr, and before any are handed in: defaults of the windows' own.
void useSettings(config::StationSettings* settings);
// The connection whose idle clock is the frame's dbConnTimeoutTimer, and
// that endApplication closes; nullptr for none.
void useDatabase(results::ResultsDatabase* database);

MainFrame* frame();
MainFrame* existingFrame(); // nullptr before the frame is created
StatusWindow* statusWindow();
BackgroundWindow* background();
HelpBox* helpBox();
AdvancedOptionsWindow* advancedOptions();

// The main test window: a factory that builds it on first use.
void setMainFormFactory(std::function<TestWindowServices*()> factory);
TestWindowServices* testWindow(); // nullptr when no main test window is built in
void setActiveLotWindowFactory(std::function<QWidget*()> factory);
QWidget* activeLotWindow(); // nullptr when none is built in

// Windows of other subsystems that the frame's menus open.
struct Openers {
    std::function<void()> DatabaseOptions;    // modal
    std::function<void()> ReportViewer;       // restores the report list window
    std::function<void()> ReportActions;      // modal
    std::function<void()> testSequenceEditor; // modal
    std::function<void()> limitsEditor;       // modal
    std::function<void()> SystemCalibration;  // modal
};
Openers& windowOpeners();

// Width of the main test window in twips, 0 when there is none.
int mainFormWidthTwips();
// The main test window's communication buffer, "" when there is none.
QString commBuffer();

// Adds a window to the main frame as a child (once).
void addToFrame(QWidget* form);

// Ends the station: through the main test window's unloadApplication when
// there is one, otherwise by closing the database and the windows, logging
// "Application Terminated" and ending the program.
void unloadApplication();
void endApplication();

// Deletes every window held here and forgets the factories (tests); the
// settings stay.
void destroyAll();

} // namespace StationWindows

} // namespace ui
