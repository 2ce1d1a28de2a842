#pragma once
// The "Advanced Options" editor of settings.ini: one page per section, every
// key the station tunes at start as a text box or a check box. "Save" writes
// the keys back, "Close" leaves without writing, "Refresh" reads the file
// again. The running station keeps its values until the next start.
//
// Save writes every key as the window holds it: a text box's text as typed,
// a check box's state as "0", "1" or "2" (greyed). A check box shows only
// 0, 1 and 2 from the file; any other value of its key (a word, "-1")
// leaves the box as it was, so that Save then writes the box's state
// ("0" in a window just opened). A whole-number box that does not hold a
// number is logged and not saved; a key that cannot be written is logged
// by the INI layer, and the other keys are saved all the same.

#include "ui/options/AdvancedOptionsFields.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace config {
struct StationSettings;
}

namespace ui {

class AdvancedOptionsWindow : public QWidget {
    Q_OBJECT
public:
    // settings: the station's settings, whose settings file the window edits
    // (kept by reference; the values read at start-up stay as they are).
    explicit AdvancedOptionsWindow(const config::StationSettings& settings, QWidget* parent = nullptr);

    // Selects the first page and reads all fields.
    void load();
    void readAllFields();
    void saveAllFields();

    QTabWidget* settingsTabs = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* refreshButton = nullptr;

private:
    // One field with its control.
    struct Bound {
        AdvancedOptionsFields::Field field;
        QLineEdit* text = nullptr;
        QCheckBox* box = nullptr;
    };

    void buildPages();
    void readField(const Bound& bound);
    void saveField(const Bound& bound);
    QString settingsFile() const;

    const config::StationSettings& m_settings;
    QList<Bound> m_fields;
};

} // namespace ui
