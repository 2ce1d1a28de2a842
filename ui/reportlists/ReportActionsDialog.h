#pragma once
// "Set Automatic Report Actions": what the station does with a group's
// report when a run completes (export to PDF, Excel or tab-separated text
// into a folder, print the full or condensed report, show the report
// window). The choices are read from settings.ini [Reports] at each
// opening; Save writes all seven keys, in the window's order, in one
// replacement of the file and then updates the station's settings, and
// closes the window; Cancel closes it without writing.
//
// A value that is missing, not a whole number or not a check box state
// (0, 1 or 2, the greyed state) leaves its box as it starts (only "Display
// Report Window" checked) and the other keys are still read. Save refuses
// a checked PDF export without a folder with a warning, and a file that
// cannot be written with a message; the window then stays open and the
// settings in memory stay as they were.

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace config {
struct ReportSettings;
struct StationSettings;
} // namespace config

namespace ui {

class ReportActionsDialog : public QDialog {
    Q_OBJECT
public:
    // settings: the station's settings, whose settings file the window
    // reads and writes and whose [Reports] values Save updates.
    explicit ReportActionsDialog(config::StationSettings& settings, QWidget* parent = nullptr);

    void readReportActions();
    // False (after telling the operator) when the settings file cannot be written.
    bool writeReportActions();
    void save();
    void browse();

    QCheckBox* exportPdfBox() const { return m_exportPdfBox; }
    QCheckBox* exportExcelBox() const { return m_exportExcelBox; }
    QCheckBox* exportTabBox() const { return m_exportTabBox; }
    QLineEdit* folderEdit() const { return m_folderEdit; }
    QPushButton* browseButton() const { return m_browseButton; }
    QCheckBox* printBox() const { return m_printBox; }
    QCheckBox* printCondensedBox() const { return m_printCondensedBox; }
    QCheckBox* displayBox() const { return m_displayBox; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

private:
    // One key of [Reports] and the control that shows it: a check box and
    // the setting it stands for, or (box nullptr) the folder.
    struct BoxKey {
        QCheckBox* box;
        QString key;
        bool config::ReportSettings::*setting;
    };
    // The keys in the order they are read and written.
    QList<BoxKey> boxKeys() const;
    void buildControls();

    config::StationSettings& m_settings;
    QCheckBox* m_exportPdfBox = nullptr;
    QCheckBox* m_exportExcelBox = nullptr;
    QCheckBox* m_exportTabBox = nullptr;
    QLineEdit* m_folderEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QCheckBox* m_printBox = nullptr;
    QCheckBox* m_printCondensedBox = nullptr;
    QCheckBox* m_displayBox = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace ui
