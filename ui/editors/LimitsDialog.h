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

class MainFormServices;
class QLineEdit;
class QPushButton;
class QTabWidget;

class SetLimitsForm : public QDialog {
    Q_OBJECT

public:
    explicit SetLimitsForm(MainFormServices& mainForm, QWidget* parent = nullptr);

private:
    void Form_Load();
    void LoadButton_Click();
    void SaveAsButton_Click();
    void SaveButton_Click();
    void CancelButton_Click();
    void RestoreDefaultsButton_Click();

    void ShowLimits(bool restoreDefaults);
    void ReadLimitsFile(const QString& path);
    bool SaveLimitsAs(const QString& path);
    // Takes the boxes into the settings' limits and writes settings.ini;
    // false (told to the operator) when settings.ini cannot be written.
    bool ApplyLimits();
    // Writes the settings' limits into the file; false (told to the
    // operator) when the file cannot be written.
    bool WriteLimits(const QString& path);

    void BuildControls();
    QWidget* BuildPage(int page);

    MainFormServices& m_mainForm;
    QTabWidget* LimitsTab = nullptr;
    // In the order of config::limitKeys().
    std::array<QLineEdit*, 26> m_boxes{};
};
