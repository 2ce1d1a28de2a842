#pragma once
// "Set Limits": the modal window in which the operator views and changes the
// 26 limits and warnings of the main window's settings, loads a set from a
// .lim file and saves the set to settings.ini ("Save") or to settings.ini and
// a .lim file ("Save As").
// The boxes are only text until "Save" or "Save As"; a box that does not
// hold a number leaves its value as it was. A .lim file that is missing or
// cannot be read loads as empty boxes; a file that cannot be written is
// told to the operator and keeps the window open.

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ui {

class TestWindowServices;

class LimitsDialog : public QDialog {
    Q_OBJECT

public:
    explicit LimitsDialog(TestWindowServices& mainForm, QWidget* parent = nullptr);

private:
    void load();
    void loadFile();
    void saveAs();
    void save();
    void cancel();
    void restoreDefaults();

    void showLimits(bool restoreDefaults);
    void readLimitsFile(const QString& path);
    bool saveLimitsAs(const QString& path);
    // Takes the boxes into the settings' limits and writes settings.ini;
    // false (told to the operator) when settings.ini cannot be written.
    bool applyLimits();
    // Writes the settings' limits into the file; false (told to the
    // operator) when the file cannot be written.
    bool writeLimits(const QString& path);

    void buildControls();
    QWidget* buildPage(int page);

    TestWindowServices& m_mainForm;
    QTabWidget* limitsTabs = nullptr;
    // In the order of config::limitKeys().
    std::array<QLineEdit*, 26> m_boxes{};
};

} // namespace ui
