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

namespace {

constexpr int MinWidth = 7000;
constexpr int MinHeight = 2000;
constexpr int MinFontSize = 8;
constexpr int MaxFontSize = 18;

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                   Twips::toPixels(height));
}

int twipsOf(int pixels) { return Twips::fromPixels(pixels); }

// Widens a check box placed by its design size to the size its caption
// needs in the running font, so that the caption is never cut off.
void fitCaption(QWidget* box)
{
    const QSize need = box->sizeHint();
    box->resize(std::max(box->width(), need.width()), std::max(box->height(), need.height()));
}

} // namespace

StatusWindowForm::StatusWindowForm(config::StationSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("StatusWindowForm"));
    setWindowTitle(QStringLiteral("Status"));

    txtComm = new QTextEdit(this);
    txtComm->setObjectName(QStringLiteral("txtComm"));
    txtComm->setAccessibleName(QStringLiteral("Communication log"));
    txtComm->setReadOnly(true);
    txtComm->setAcceptRichText(false);
    txtComm->setLineWrapMode(QTextEdit::NoWrap);
    placeTwips(txtComm, 0, 0, 6855, 4155);

    chkDiagnosticLog = new QPushButton(QStringLiteral("Diagnostic Log"), this);
    chkDiagnosticLog->setObjectName(QStringLiteral("chkDiagnosticLog"));
    chkDiagnosticLog->setCheckable(true);
    placeTwips(chkDiagnosticLog, 120, 4260, 1455, 375);

    cmdSave = new QPushButton(QStringLiteral("Save to File..."), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    placeTwips(cmdSave, 1680, 4260, 1275, 375);

    FontSizeSlider = new QSlider(Qt::Horizontal, this);
    FontSizeSlider->setObjectName(QStringLiteral("FontSizeSlider"));
    FontSizeSlider->setAccessibleName(QStringLiteral("Font Size"));
    FontSizeSlider->setRange(MinFontSize, MaxFontSize);
    placeTwips(FontSizeSlider, 3960, 4260, 1575, 195);

    FontSizeLabel = new QLabel(QStringLiteral("Font Size"), this);
    FontSizeLabel->setObjectName(QStringLiteral("FontSizeLabel"));
    FontSizeLabel->setAlignment(Qt::AlignCenter);
    placeTwips(FontSizeLabel, 4020, 4500, 1455, 255);

    cmdPause = new QPushButton(QStringLiteral("Pause"), this);
    cmdPause->setObjectName(QStringLiteral("cmdPause"));
    placeTwips(cmdPause, 5640, 4260, 1215, 375);

    calTabCommFrame = new QFrame(this);
    calTabCommFrame->setObjectName(QStringLiteral("calTabCommFrame"));
    placeTwips(calTabCommFrame, 0, 3660, 3135, 435);
    chkShowVerbose = new QCheckBox(QStringLiteral("Show Verbose"), calTabCommFrame);
    chkShowVerbose->setObjectName(QStringLiteral("chkShowVerbose"));
    chkShowVerbose->setGeometry(Twips::toPixels(60), Twips::toPixels(120), Twips::toPixels(1455), Twips::toPixels(255));
    chkShowBuffer = new QCheckBox(QStringLiteral("Show RX Buffer"), calTabCommFrame);
    chkShowBuffer->setObjectName(QStringLiteral("chkShowBuffer"));
    chkShowBuffer->setGeometry(Twips::toPixels(1560), Twips::toPixels(120), Twips::toPixels(1560), Twips::toPixels(255));
    fitCaption(chkShowVerbose);
    chkShowBuffer->move(std::max(chkShowBuffer->x(), chkShowVerbose->geometry().right() + 4), chkShowBuffer->y());
    fitCaption(chkShowBuffer);
    calTabCommFrame->resize(std::max(calTabCommFrame->width(), chkShowBuffer->geometry().right() + 4),
                            std::max(calTabCommFrame->height(), chkShowBuffer->geometry().bottom() + 1));

    connect(chkDiagnosticLog, &QPushButton::toggled, this, &StatusWindowForm::OnDiagnosticLogToggled);
    connect(cmdPause, &QPushButton::clicked, this, &StatusWindowForm::OnPauseClicked);
    connect(FontSizeSlider, &QSlider::valueChanged, this, &StatusWindowForm::OnFontSizeChanged);
    connect(cmdSave, &QPushButton::clicked, this, &StatusWindowForm::OnSaveClicked);
    connect(chkShowVerbose, &QCheckBox::clicked, this,
            [this] { m_settings.switches.showVerbose = chkShowVerbose->isChecked(); });
    connect(chkShowBuffer, &QCheckBox::clicked, this,
            [this] { m_settings.switches.showRxBuffer = chkShowBuffer->isChecked(); });
}

StatusWindowForm::~StatusWindowForm()
{
    m_settings.switches.statusWindowOpen = false;
    modMain::SetStatusWindowEcho({});
}

void StatusWindowForm::Load()
{
    if (CommandLine::Contains(QStringLiteral("/rida")) || CommandLine::Contains(QStringLiteral("/vadov"))) {
        calTabCommFrame->setVisible(true);
        chkShowVerbose->setChecked(m_settings.switches.showVerbose);
        chkShowBuffer->setChecked(m_settings.switches.showRxBuffer);
    } else {
        calTabCommFrame->setVisible(false);
    }

    {
        const QSignalBlocker block(chkDiagnosticLog);
        chkDiagnosticLog->setChecked(m_settings.switches.diagnosticLog);
    }
    cmdSave->setVisible(m_settings.switches.diagnosticLog);
    cmdPause->setEnabled(!m_settings.switches.diagnosticLog);
    cmdPause->setText(m_settings.switches.commPaused ? QStringLiteral("Resume") : QStringLiteral("Pause"));

    modMain::DisableCloseMenu(this);
    MdiChild::Outer(this)->setMinimumSize(Twips::toPixels(MinWidth), Twips::toPixels(MinHeight));
    MdiChild::SetGeometryTwips(this, StationWindows::MainFormWidthTwips(), 0, 7000, 5100);
    ApplyResizeRules();

    SetShownText(CutBack(StationWindows::CommBuffer()));
    LoadFontSize();

    modMain::SetStatusWindowEcho([this](const QString& line) { AddText(line); }, &m_settings.switches);
    m_settings.switches.statusWindowOpen = true;
}

void StatusWindowForm::LoadFontSize()
{
    const QString read =
        modINIReadWrite::INIRead(QStringLiteral("Font"), QStringLiteral("Size"), m_settings.paths.settingsFile);
    const auto size = platform::Convert::toDouble(read);
    int value = MinFontSize;
    if (size && *size == std::trunc(*size) && *size >= MinFontSize && *size <= MaxFontSize)
        value = static_cast<int>(*size);
    else
        SaveFontSize(MinFontSize);

    const QSignalBlocker block(FontSizeSlider);
    FontSizeSlider->setValue(value);
    QFont font = txtComm->font();
    font.setPointSize(value);
    txtComm->setFont(font);
}

void StatusWindowForm::AddText(const QString& vMsg)
{
    if (vMsg == m_lastMessage)
        return;
    m_lastMessage = vMsg;
    m_text += vMsg + QStringLiteral("\r\n");
    if (m_text.size() > MaxTextLength) {
        SetShownText(CutBack(m_text));
        return;
    }
    QTextCursor cursor(txtComm->document());
    cursor.movePosition(QTextCursor::End);
    QString shown = vMsg;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    cursor.insertText(shown + QLatin1Char('\n'));
    MoveCaretToEnd();
}

void StatusWindowForm::TrimCommText()
{
    if (m_text.size() > MaxTextLength)
        SetShownText(CutBack(m_text));
}

QString StatusWindowForm::CutBack(const QString& text)
{
    if (text.size() > MaxTextLength)
        return text.mid(KeepFromCharacter - 1);
    return text;
}

void StatusWindowForm::SetShownText(const QString& text)
{
    m_text = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtComm->setPlainText(shown);
    MoveCaretToEnd();
}

void StatusWindowForm::MoveCaretToEnd()
{
    QTextCursor cursor = txtComm->textCursor();
    cursor.movePosition(QTextCursor::End);
    txtComm->setTextCursor(cursor);
    txtComm->ensureCursorVisible();
}

void StatusWindowForm::SaveFontSize(qint16 size)
{
    modINIReadWrite::INIWrite(QStringLiteral("Font"), QStringLiteral("Size"), QString::number(size),
                              m_settings.paths.settingsFile);
}

void StatusWindowForm::OnDiagnosticLogToggled(bool pressed)
{
    cmdSave->setVisible(pressed);
    m_settings.switches.diagnosticLog = pressed;
    if (pressed) {
        m_settings.switches.commPaused = false;
        cmdPause->setText(QStringLiteral("Pause"));
    }
    cmdPause->setEnabled(!pressed);
}

void StatusWindowForm::OnPauseClicked()
{
    m_settings.switches.commPaused = !m_settings.switches.commPaused;
    cmdPause->setText(m_settings.switches.commPaused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
}

void StatusWindowForm::OnFontSizeChanged(int value)
{
    QFont font = txtComm->font();
    font.setPointSize(value);
    txtComm->setFont(font);
    MoveCaretToEnd();
    SaveFontSize(static_cast<qint16>(value));
}

void StatusWindowForm::OnSaveClicked()
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
    modMain::WriteLog("Unable to save the status text to " + path + ": " + error);
    platform::Prompts::instance().message("Unable to save the status text to " + path + ": " + error + ".",
                                          QStringLiteral("KIVO_ZAMO"), platform::MsgButtons::Ok,
                                          platform::MsgIcon::Warning);
}

void StatusWindowForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ApplyResizeRules();
}

void StatusWindowForm::ApplyResizeRules()
{
    // The rules count in the window's outer size, title bar included.
    // In service mode the strip of service switches sits between the text
    // and the buttons, so that it covers no line of the text.
    const QWidget* outer = MdiChild::Outer(this);
    const int width = twipsOf(outer->width());
    const int height = twipsOf(outer->height());
    const int strip = calTabCommFrame->isHidden() ? 0 : twipsOf(calTabCommFrame->height());
    // Where the title bar takes more than the rule allows for, the text gives
    // way so that the row of buttons (the slider with its label the highest)
    // stays whole inside the window.
    const int row = twipsOf(qMax(cmdPause->height(), FontSizeSlider->height() + FontSizeLabel->height()));
    const int textHeight = qMin(height - 850, twipsOf(this->height()) - 50 - row) - strip;
    txtComm->resize(Twips::toPixels(width - 50), Twips::toPixels(qMax(textHeight, 0)));
    calTabCommFrame->move(0, txtComm->height());
    const int pauseTop = twipsOf(txtComm->height()) + strip + 50;
    cmdPause->move(Twips::toPixels(width - twipsOf(cmdPause->width()) - 200), Twips::toPixels(pauseTop));
    FontSizeSlider->move(cmdPause->x() - FontSizeSlider->width() - Twips::toPixels(50), cmdPause->y());
    FontSizeLabel->move(FontSizeSlider->x(), FontSizeSlider->y() + FontSizeSlider->height());
    chkDiagnosticLog->move(chkDiagnosticLog->x(), cmdPause->y());
    cmdSave->move(cmdSave->x(), cmdPause->y());
}

void StatusWindowForm::closeEvent(QCloseEvent* event)
{
    // No close command: the window stays until the program ends.
    if (ProgramEnd::Requested())
        event->accept();
    else
        event->ignore();
}
