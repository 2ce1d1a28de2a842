#pragma once
// The station's main window "KIVO_ZAMO": the frame that holds every other
// window as a child, the main menu, and the status strip with the version,
// the expected completion time and the run progress bar. It owns the
// database idle timer and decides demo mode from the command line. A
// simulator channel count that is not a whole number from 0 to 16 is logged
// and refused with a message; a close asks the main test window first
// (queryExit), whose refusal keeps the frame open.

#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QProgressBar;
namespace platform {
class Timer;
}

namespace config {
struct StationSettings;
}

namespace ui {

class StationWindows;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 15300;
    static constexpr int HeightTwips = 11000;
    static constexpr int MinWidthTwips = 10000;
    static constexpr int MinHeightTwips = 7000;

    // settings: the station's settings (the signal generator's items, the
    // demonstration mode it sets); windows: the station's windows, whose
    // main test window the menus command and whose others they open. Both
    // kept by reference.
    MainFrame(config::StationSettings& settings, StationWindows& windows, QWidget* parent = nullptr);

    // Hides the service items, decides demo mode from the command line,
    // shows the version, takes the screen's working area (maximized) and
    // places the background window (which it creates). Runs once, when the
    // frame is first created.
    void load();
    // The frame's place on a screen whose working area is given: the whole
    // area, and at least the frame's minimum size.
    static QRect startGeometry(const QRect& available);

    // Enforces the minimum size, places the status strip's controls and the
    // background window.
    void refresh();
    // Places the background window at the bottom right of the frame.
    void placeBackground();

    QMdiArea* mdiArea() const { return m_mdiArea; }
    // Size in pixels of the area that holds the child windows, without
    // scroll bars; laid out once the frame is shown.
    QSize mdiAreaSize() const;

    // Frame size in twips (the outer size the operator sees).
    int widthInTwips() const;
    int heightInTwips() const;

    // Menus and items, named as the station names them.
    QMenu* fileMenu = nullptr;
    QAction* databaseOptionsAction = nullptr;
    QAction* loadTestSequenceAction = nullptr;
    QAction* saveTestSequenceAction = nullptr;
    QAction* fileSeparator = nullptr;
    QAction* exitAction = nullptr;
    QMenu* unitsMenu = nullptr;
    QAction* connectUnitActions[3] = {};      // [1], [2]
    QAction* connectSimulatorActions[3] = {}; // [1], [2]
    QAction* connectSignalGeneratorAction = nullptr;
    QAction* unitsSeparator = nullptr;
    QAction* disconnectUnitActions[3] = {}; // [1], [2]
    QAction* disconnectSignalGeneratorAction = nullptr;
    QMenu* testsMenu = nullptr;
    QAction* configureTestSequenceAction = nullptr;
    QAction* setLimitsAction = nullptr;
    QAction* limitsSeparator = nullptr;
    QAction* executeTestSequenceAction = nullptr;
    QAction* executeSeparator = nullptr;
    QAction* runBiasTestAction = nullptr;
    QAction* runNoiseTestAction = nullptr;
    QAction* runAcz30ZeroAction = nullptr;
    QAction* windowsSeparator = nullptr;
    QAction* showStatusWindowAction = nullptr;
    QAction* showActiveLotNumbersAction = nullptr;
    QMenu* reportsMenu = nullptr;
    QAction* reportViewerAction = nullptr;
    QAction* configureReportActionsAction = nullptr;
    QMenu* calibrationMenu = nullptr;
    QAction* systemCalibrationAction = nullptr;
    QMenu* advancedMenu = nullptr;
    QAction* advancedOptionsAction = nullptr;
    QAction* helpAction = nullptr;

    // Status strip.
    QWidget* statusStrip = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* completionTimeLabel = nullptr;
    QProgressBar* progressBar = nullptr;

    // Closes the database connection 60 s after its last use; the database
    // layer restarts it each time it opens or reuses the connection.
    platform::Timer* dbConnTimeoutTimer = nullptr;

    // The simulator connect item of unit n (1 or 2).
    void connectSimulator(int unit);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildStatusStrip();
    void showStatusWindow();
    void showAdvancedOptions();
    void showHelp();

    config::StationSettings& m_settings;
    StationWindows& m_windows;
    QMdiArea* m_mdiArea = nullptr;
    bool m_unloading = false;
};

} // namespace ui
