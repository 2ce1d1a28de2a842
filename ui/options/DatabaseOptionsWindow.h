#pragma once
// The "Database Options" window: where the station keeps its results, a
// database file in a folder of the operator's choice or a database on a
// server with its login.
//
// "Save" tries the new settings before it keeps them: it closes the shared
// connection and opens it with them. Only settings that open are written to
// settings.ini [Database] (the seven keys UseLocalDatabase, SQLServerHost,
// SQLServerInstance, SQLServerDatabaseName, SQLUsername, SQLPassword,
// LocalDatabaseFolder, in this order, all or none); then the database check
// of the chosen kind runs again and the window closes. Settings that do not
// open are put back as they were, the status line says so and the window
// stays. When the folder has changed, the operator may have the current
// database file copied there (a copy that fails puts the previous file's
// path back, so the test opens the previous database); a folder without a
// database file gets a new, empty one before the test, as the prompt
// promises. A text that settings.ini would not give back as typed (blanks
// at its start or end, more than 255 characters, a line break) is refused
// before anything is tried: the operator is told which box and why, and
// nothing changes, so that what is saved is always what was tested. "Cancel"
// closes the window and keeps nothing.

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace config {
struct StationSettings;
}
namespace results {
class ResultsDatabase;
}

namespace ui {

class DatabaseOptionsWindow : public QDialog {
    Q_OBJECT
public:
    // settings: the station's settings, changed in place when new ones pass
    // their test; database: the station's connection on them (both kept by
    // reference). recheck: runs the database check of the kind the settings
    // name, after new settings were saved.
    DatabaseOptionsWindow(config::StationSettings& settings, results::ResultsDatabase& database,
                          std::function<void()> recheck, QWidget* parent = nullptr);

    // Fills the controls from the settings in force.
    void load();
    // The folder dialog; a folder other than the one shown counts as a change.
    void chooseFolder();
    // True when the new settings passed their test and were saved.
    bool save();

    QRadioButton* localDatabaseButton = nullptr;
    QRadioButton* serverDatabaseButton = nullptr;
    QLineEdit* folderEdit = nullptr;
    QPushButton* selectFolderButton = nullptr;
    QLineEdit* serverHostEdit = nullptr;
    QLineEdit* serverInstanceEdit = nullptr;
    QLineEdit* databaseNameEdit = nullptr;
    QLineEdit* usernameEdit = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QLabel* testStatusLabel = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void buildControls();
    // True when settings.ini keeps every box's text as typed; otherwise
    // tells the operator of the first that it would not.
    bool textsKeptAsTyped();
    // Enables the boxes of the server or the folder button.
    void enableFieldsFor(bool local);
    // The copy prompt, and the copy; on a failed copy the previous file's
    // folder is in force again.
    void offerCopy();
    // A folder without a database file gets the empty database.
    void makeMissingDatabase();
    bool writeSettings();

    config::StationSettings& m_settings;
    results::ResultsDatabase& m_database;
    std::function<void()> m_recheck;
    bool m_folderChanged = false;
    QString m_previousDatabasePath;
};

} // namespace ui
