#pragma once
// The "Status" window: the station's communication log. It shows the lines
// the main test window writes (unit traffic, connection and run messages) or,
// with "Diagnostic Log" pressed, every time-stamped log line. It owns the
// program switches diagnosticLog, commPaused, showVerbose and showRxBuffer
// (and statusWindowOpen) of the settings it is built with,
// saves what it shows to a file and keeps its font size in [Font] Size.
// It has no close command: it stays until the program ends. A font size in
// settings.ini that is not a whole number in the slider's range is replaced
// by the smallest size (written back); a save that fails is logged and told
// to the operator, and leaves any file already there as it was.

#include <QString>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QSlider;
class QTextEdit;

namespace config {
struct StationSettings;
}

namespace ui {

class StationWindows;

class StatusWindow : public QWidget {
    Q_OBJECT
public:
    // The text is cut back to its part from the 50,000th character on once
    // it grows past this many characters (as the communication buffer is).
    static constexpr int MaxTextLength = 99999;
    static constexpr int KeepFromCharacter = 50000; // 1-based

    // settings: the station's settings (its switches, the settings file);
    // windows: the station's windows, whose main test window it sits beside
    // and whose buffer it shows. Both kept by reference.
    StatusWindow(config::StationSettings& settings, StationWindows& windows, QWidget* parent = nullptr);
    ~StatusWindow() override;

    // Reads the switches, the communication buffer and [Font] Size, takes
    // its place to the right of the main test window and starts receiving
    // the log echo. Called once the window sits in the main frame.
    void load();

    // Appends one message as a line, unless it equals the last one added.
    void addText(const QString& msg);
    // Writes [Font] Size.
    void saveFontSize(qint16 size);
    // Cuts the shown text back when it is longer than MaxTextLength.
    void trimCommText();

    // The shown text, lines ended by CR LF, exactly as "Save to File..." writes it.
    QString text() const { return m_text; }
    // Applies the text-size and place rules after the window's size changed.
    void applyResizeRules();

    // Cuts a text the way the communication buffer and the window are cut.
    static QString cutBack(const QString& text);

    QTextEdit* commEdit = nullptr;
    QPushButton* diagnosticLogButton = nullptr;
    QPushButton* saveButton = nullptr;
    QSlider* fontSizeSlider = nullptr;
    QLabel* fontSizeLabel = nullptr;
    QPushButton* pauseButton = nullptr;
    QFrame* trafficChecksFrame = nullptr;
    QCheckBox* showVerboseCheck = nullptr;
    QCheckBox* showBufferCheck = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void loadFontSize();
    void setShownText(const QString& text);
    void moveCaretToEnd();
    void onDiagnosticLogToggled(bool pressed);
    void onPauseClicked();
    void onFontSizeChanged(int value);
    void onSaveClicked();

    config::StationSettings& m_settings;
    StationWindows& m_windows;
    QString m_text;
    QString m_lastMessage;
};

} // namespace ui
