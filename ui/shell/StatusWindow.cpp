#include "ui/shell/StatusWindow.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/CommandLine.h"
#include "platform/Convert.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "platform/WholeFile.h"
#include "ui/common/CloseGuard.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/shell/StationWindows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int MinWidth = 7000;
constexpr int MinHeight = 2000;
constexpr int MinFontSize = 8;
constexpr int MaxFontSize = 18;

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

int twipsOf(int pixels)
{
    return Twips::fromPixels(pixels);
}

// Widens a check box placed by its design size to the size its caption
// needs in the running font, so that the caption is never cut off.
void fitCaption(QWidget* box)
{
    const QSize need = box->sizeHint();
    box->resize(std::max(box->width(), need.width()), std::max(box->height(), need.height()));
}

} // namespace

StatusWindow::StatusWindow(config::StationSettings& settings, StationWindows& windows, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_windows(windows)
{
    setObjectName(QStringLiteral("StatusWindowForm"));
    setWindowTitle(QStringLiteral("Status"));

    commEdit = new QTextEdit(this);
    commEdit->setObjectName(QStringLiteral("txtComm"));
    commEdit->setAccessibleName(QStringLiteral("Communication log"));
    commEdit->setReadOnly(true);
    // A read-only log keeps no undo history: it would hold a copy of every
    // line shown since the text was last cut back.
    commEdit->setUndoRedoEnabled(false);
    commEdit->setAcceptRichText(false);
    commEdit->setLineWrapMode(QTextEdit::NoWrap);
    placeTwips(commEdit, 0, 0, 6855, 4155);

    diagnosticLogButton = new QPushButton(QStringLiteral("Diagnostic Log"), this);
    diagnosticLogButton->setObjectName(QStringLiteral("chkDiagnosticLog"));
    diagnosticLogButton->setCheckable(true);
    placeTwips(diagnosticLogButton, 120, 4260, 1455, 375);

    saveButton = new QPushButton(QStringLiteral("Save to File..."), this);
    saveButton->setObjectName(QStringLiteral("cmdSave"));
    placeTwips(saveButton, 1680, 4260, 1275, 375);

    fontSizeSlider = new QSlider(Qt::Horizontal, this);
    fontSizeSlider->setObjectName(QStringLiteral("FontSizeSlider"));
    fontSizeSlider->setAccessibleName(QStringLiteral("Font Size"));
    fontSizeSlider->setRange(MinFontSize, MaxFontSize);
    placeTwips(fontSizeSlider, 3960, 4260, 1575, 195);

    fontSizeLabel = new QLabel(QStringLiteral("Font Size"), this);
    fontSizeLabel->setObjectName(QStringLiteral("FontSizeLabel"));
    fontSizeLabel->setAlignment(Qt::AlignCenter);
    placeTwips(fontSizeLabel, 4020, 4500, 1455, 255);

    pauseButton = new QPushButton(QStringLiteral("Pause"), this);
    pauseButton->setObjectName(QStringLiteral("cmdPause"));
    placeTwips(pauseButton, 5640, 4260, 1215, 375);

    trafficChecksFrame = new QFrame(this);
    trafficChecksFrame->setObjectName(QStringLiteral("calTabCommFrame"));
    placeTwips(trafficChecksFrame, 0, 3660, 3135, 435);
    showVerboseCheck = new QCheckBox(QStringLiteral("Show Verbose"), trafficChecksFrame);
    showVerboseCheck->setObjectName(QStringLiteral("chkShowVerbose"));
    showVerboseCheck->setGeometry(Twips::toPixels(60), Twips::toPixels(120), Twips::toPixels(1455),
                                  Twips::toPixels(255));
    showBufferCheck = new QCheckBox(QStringLiteral("Show RX Buffer"), trafficChecksFrame);
    showBufferCheck->setObjectName(QStringLiteral("chkShowBuffer"));
    showBufferCheck->setGeometry(Twips::toPixels(1560), Twips::toPixels(120), Twips::toPixels(1560),
                                 Twips::toPixels(255));
    fitCaption(showVerboseCheck);
    showBufferCheck->move(std::max(showBufferCheck->x(), showVerboseCheck->geometry().right() + 4),
                          showBufferCheck->y());
    fitCaption(showBufferCheck);
    trafficChecksFrame->resize(std::max(trafficChecksFrame->width(), showBufferCheck->geometry().right() + 4),
                               std::max(trafficChecksFrame->height(), showBufferCheck->geometry().bottom() + 1));

    connect(diagnosticLogButton, &QPushButton::toggled, this, &StatusWindow::onDiagnosticLogToggled);
    connect(pauseButton, &QPushButton::clicked, this, &StatusWindow::onPauseClicked);
    connect(fontSizeSlider, &QSlider::valueChanged, this, &StatusWindow::onFontSizeChanged);
    connect(saveButton, &QPushButton::clicked, this, &StatusWindow::onSaveClicked);
    connect(showVerboseCheck, &QCheckBox::clicked, this,
            [this] { m_settings.switches.showVerbose = showVerboseCheck->isChecked(); });
    connect(showBufferCheck, &QCheckBox::clicked, this,
            [this] { m_settings.switches.showRxBuffer = showBufferCheck->isChecked(); });
}

StatusWindow::~StatusWindow()
{
    m_settings.switches.statusWindowOpen = false;
    config::setStatusWindowEcho({});
}

void StatusWindow::load()
{
    if (platform::CommandLine::contains(QStringLiteral("/rida"))
        || platform::CommandLine::contains(QStringLiteral("/vadov"))) {
        trafficChecksFrame->setVisible(true);
        showVerboseCheck->setChecked(m_settings.switches.showVerbose);
        showBufferCheck->setChecked(m_settings.switches.showRxBuffer);
    } else {
        trafficChecksFrame->setVisible(false);
    }

    {
        const QSignalBlocker block(diagnosticLogButton);
        diagnosticLogButton->setChecked(m_settings.switches.diagnosticLog);
    }
    saveButton->setVisible(m_settings.switches.diagnosticLog);
    pauseButton->setEnabled(!m_settings.switches.diagnosticLog);
    pauseButton->setText(m_settings.switches.commPaused ? QStringLiteral("Resume") : QStringLiteral("Pause"));

    ui::disableCloseMenu(this);
    MdiChild::outerWidget(this)->setMinimumSize(Twips::toPixels(MinWidth), Twips::toPixels(MinHeight));
    MdiChild::setGeometryTwips(this, m_windows.mainFormWidthTwips(), 0, 7000, 5100);
    applyResizeRules();

    setShownText(cutBack(m_windows.commBuffer()));
    loadFontSize();

    config::setStatusWindowEcho([this](const QString& line) { addText(line); }, &m_settings.switches);
    m_settings.switches.statusWindowOpen = true;
}

void StatusWindow::loadFontSize()
{
    const QString read = config::iniRead(QStringLiteral("Font"), QStringLiteral("Size"), m_settings.paths.settingsFile);
    const auto size = platform::Convert::toDouble(read);
    int value = MinFontSize;
    if (size && *size == std::trunc(*size) && *size >= MinFontSize && *size <= MaxFontSize)
        value = static_cast<int>(*size);
    else
        saveFontSize(MinFontSize);

    const QSignalBlocker block(fontSizeSlider);
    fontSizeSlider->setValue(value);
    QFont font = commEdit->font();
    font.setPointSize(value);
    commEdit->setFont(font);
}

void StatusWindow::addText(const QString& msg)
{
    if (msg == m_lastMessage)
        return;
    m_lastMessage = msg;
    m_text += msg + QStringLiteral("\r\n");
    if (m_text.size() > MaxTextLength) {
        setShownText(cutBack(m_text));
        return;
    }
    QTextCursor cursor(commEdit->document());
    cursor.movePosition(QTextCursor::End);
    QString shown = msg;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    cursor.insertText(shown + QLatin1Char('\n'));
    moveCaretToEnd();
}

void StatusWindow::trimCommText()
{
    if (m_text.size() > MaxTextLength)
        setShownText(cutBack(m_text));
}

QString StatusWindow::cutBack(const QString& text)
{
    if (text.size() > MaxTextLength)
        return text.mid(KeepFromCharacter - 1);
    return text;
}

void StatusWindow::setShownText(const QString& text)
{
    m_text = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    commEdit->setPlainText(shown);
    moveCaretToEnd();
}

void StatusWindow::moveCaretToEnd()
{
    QTextCursor cursor = commEdit->textCursor();
    cursor.movePosition(QTextCursor::End);
    commEdit->setTextCursor(cursor);
    commEdit->ensureCursorVisible();
}

void StatusWindow::saveFontSize(qint16 size)
{
    config::iniWrite(QStringLiteral("Font"), QStringLiteral("Size"), QString::number(size),
                     m_settings.paths.settingsFile);
}

void StatusWindow::onDiagnosticLogToggled(bool pressed)
{
    saveButton->setVisible(pressed);
    m_settings.switches.diagnosticLog = pressed;
    if (pressed) {
        m_settings.switches.commPaused = false;
        pauseButton->setText(QStringLiteral("Pause"));
    }
    pauseButton->setEnabled(!pressed);
}

void StatusWindow::onPauseClicked()
{
    m_settings.switches.commPaused = !m_settings.switches.commPaused;
    pauseButton->setText(m_settings.switches.commPaused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
}

void StatusWindow::onFontSizeChanged(int value)
{
    QFont font = commEdit->font();
    font.setPointSize(value);
    commEdit->setFont(font);
    moveCaretToEnd();
    saveFontSize(static_cast<qint16>(value));
}

void StatusWindow::onSaveClicked()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Save File");
    request.filter = QStringLiteral("Log Files (*.log);;All Files (*.*)");
    const QString path = platform::Prompts::instance().saveFile(request);
    if (path.isEmpty())
        return;
    QString error;
    if (platform::WholeFile::save(path, m_text.toLatin1(), &error))
        return;
    config::writeLog("Unable to save the status text to " + path + ": " + error);
    platform::Prompts::instance().message("Unable to save the status text to " + path + ": " + error + ".",
                                          QStringLiteral("KIVO_ZAMO"), platform::MsgButtons::Ok,
                                          platform::MsgIcon::Warning);
}

void StatusWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyResizeRules();
}

void StatusWindow::applyResizeRules()
{
    // The rules count in the window's outer size, title bar included.
    // In service mode the strip of service switches sits between the text
    // and the buttons, so that it covers no line of the text.
    const QWidget* outer = MdiChild::outerWidget(this);
    const int width = twipsOf(outer->width());
    const int height = twipsOf(outer->height());
    const int strip = trafficChecksFrame->isHidden() ? 0 : twipsOf(trafficChecksFrame->height());
    // Where the title bar takes more than the rule allows for, the text gives
    // way so that the row of buttons (the slider with its label the highest)
    // stays whole inside the window.
    const int row = twipsOf(qMax(pauseButton->height(), fontSizeSlider->height() + fontSizeLabel->height()));
    const int textHeight = qMin(height - 850, twipsOf(this->height()) - 50 - row) - strip;
    commEdit->resize(Twips::toPixels(width - 50), Twips::toPixels(qMax(textHeight, 0)));
    trafficChecksFrame->move(0, commEdit->height());
    const int pauseTop = twipsOf(commEdit->height()) + strip + 50;
    pauseButton->move(Twips::toPixels(width - twipsOf(pauseButton->width()) - 200), Twips::toPixels(pauseTop));
    fontSizeSlider->move(pauseButton->x() - fontSizeSlider->width() - Twips::toPixels(50), pauseButton->y());
    fontSizeLabel->move(fontSizeSlider->x(), fontSizeSlider->y() + fontSizeSlider->height());
    diagnosticLogButton->move(diagnosticLogButton->x(), pauseButton->y());
    saveButton->move(saveButton->x(), pauseButton->y());
}

void StatusWindow::closeEvent(QCloseEvent* event)
{
    // No close command: the window stays until the program ends.
    if (platform::ProgramEnd::requested())
        event->accept();
    else
        event->ignore();
}

} // namespace ui
