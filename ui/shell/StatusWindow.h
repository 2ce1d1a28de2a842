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

class StatusWindowForm : public QWidget {
    Q_OBJECT
public:
    // The text is cut back to its part from the 50,000th character on once
    // it grows past this many characters (as the communication buffer is).
    static constexpr int MaxTextLength = 99999;
    static constexpr int KeepFromCharacter = 50000; // 1-based

    // settings: the station's settings (its switches, the settings file),
    // kept by reference.
    explicit StatusWindowForm(config::StationSettings& settings, QWidget* parent = nullptr);
    ~StatusWindowForm() override;

    // Reads the switches, the communication buffer and [Font] Size, takes
    // its place to the right of the main test window and starts receiving
    // the log echo. Called once the window sits in the main frame.
    void Load();

    // Appends one message as a line, unless it equals the last one added.
    void AddText(const QString& vMsg);
    // Writes [Font] Size.
    void SaveFontSize(qint16 size);
    // Cuts the shown text back when it is longer than MaxTextLength.
    void TrimCommText();

    // The shown text, lines ended by CR LF, exactly as "Save to File..." writes it.
    QString Text() const { return m_text; }
    // Applies the text-size and place rules after the window's size changed.
    void ApplyResizeRules();

    // Cuts a text the way the communication buffer and the window are cut.
    static QString CutBack(const QString& text);

    QTextEdit* txtComm = nullptr;
    QPushButton* chkDiagnosticLog = nullptr;
    QPushButton* cmdSave = nullptr;
    QSlider* FontSizeSlider = nullptr;
    QLabel* FontSizeLabel = nullptr;
    QPushButton* cmdPause = nullptr;
    QFrame* calTabCommFrame = nullptr;
    QCheckBox* chkShowVerbose = nullptr;
    QCheckBox* chkShowBuffer = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadFontSize();
    void SetShownText(const QString& text);
    void MoveCaretToEnd();
    void OnDiagnosticLogToggled(bool pressed);
    void OnPauseClicked();
    void OnFontSizeChanged(int value);
    void OnSaveClicked();

    config::StationSettings& m_settings;
    QString m_text;
    QString m_lastMessage;
};
