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

class AdvancedOptionsForm;
class BackgroundForm;
class HelpInfoForm;
class MainFormServices;
class ParentMDIForm;
class QWidget;
class StatusWindowForm;

namespace config {
struct StationSettings;
}

namespace StationWindows {

// The station's settings that the frame, the status window and the options
// editor are built with (kept until replaced; the caller keeps them alive);
// nullptr, and before any are handed in: defaults of the windows' own.
void UseSettings(config::StationSettings* settings);

ParentMDIForm* Frame();
ParentMDIForm* ExistingFrame();   // nullptr before the frame is created
StatusWindowForm* StatusWindow();
BackgroundForm* Background();
HelpInfoForm* HelpBox();
AdvancedOptionsForm* AdvancedOptions();

// The main test window: a factory that builds it on first use.
void SetMainFormFactory(std::function<MainFormServices*()> factory);
MainFormServices* MainForm();   // nullptr when no main test window is built in
void SetActiveLotWindowFactory(std::function<QWidget*()> factory);
QWidget* ActiveLotWindow();     // nullptr when none is built in

// Windows of other subsystems that the frame's menus open.
struct Openers {
    std::function<void()> DatabaseOptions;        // modal
    std::function<void()> ReportViewer;           // restores the report list window
    std::function<void()> ReportActions;          // modal
    std::function<void()> TestSequenceEditor;     // modal
    std::function<void()> LimitsEditor;           // modal
    std::function<void()> SystemCalibration;      // modal
};
Openers& WindowOpeners();

// Width of the main test window in twips, 0 when there is none.
int MainFormWidthTwips();
// The main test window's communication buffer, "" when there is none.
QString CommBuffer();

// Adds a window to the main frame as a child (once).
void AddToFrame(QWidget* form);

// Ends the station: through the main test window's UnloadApplication when
// there is one, otherwise by closing the database and the windows, logging
// "Application Terminated" and ending the program.
void UnloadApplication();
void EndApplication();

// Deletes every window held here and forgets the factories (tests); the
// settings stay.
void DestroyAll();

} // namespace StationWindows
