#include "ui/shell/HelpBox.h"

#include "config/AppVersion.h"
#include "platform/Timer.h"
#include "ui/common/Twips.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>

namespace ui {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

HelpBox::HelpBox(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpInfoForm"));
    setWindowTitle(QStringLiteral("Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(4800), Twips::toPixels(3600));

    headerLabel = makeLabel(this, "lblHeader", QString(), 60, 120, 4575, 555);
    QFont header = headerLabel->font();
    header.setPointSize(14);
    header.setBold(true);
    headerLabel->setFont(header);
    supportLabel = makeLabel(this, "Label1", QStringLiteral("For application support, please contact us at: "), 60, 840,
                             4575, 375);
    emailLabel = makeLabel(this, "Label2", QStringLiteral("zamo.support@kivo-electrodes.example"), 60, 1380, 4575, 255);
    orLabel = makeLabel(this, "Label3", QStringLiteral("or"), 60, 1740, 4575, 255);
    phoneLabel = makeLabel(this, "Label4", QStringLiteral("+1 555 0100 200"), 60, 2100, 4575, 255);
    copiedLabel = makeLabel(this, "lblCopied", QStringLiteral("Copied to Clipboard"), 60, 2460, 4575, 255);
    copiedLabel->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    copiedLabel->setVisible(false);
    companyLabel = makeLabel(this, "lblCompany", QStringLiteral("KIVO Electrode Test Systems"), 60, 3000, 4575, 255);

    for (QLabel* contact : {emailLabel, phoneLabel}) {
        contact->setCursor(Qt::PointingHandCursor);
        contact->installEventFilter(this);
    }

    clipboardTimer = new platform::Timer(this);
    clipboardTimer->setInterval(3000);
    connect(clipboardTimer, &platform::Timer::timeout, this, [this] {
        clipboardTimer->setEnabled(false);
        copiedLabel->setVisible(false);
    });

    headerLabel->setText(config::AppVersion::productName() + QLatin1Char(' ') + config::AppVersion::number());
}

void HelpBox::copyLabel(QLabel* label)
{
    copiedLabel->setVisible(true);
    clipboardTimer->setEnabled(false);
    clipboardTimer->setInterval(0);
    clipboardTimer->setInterval(3000);
    clipboardTimer->setEnabled(true);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(label->text());
}

bool HelpBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == emailLabel || watched == phoneLabel)) {
        copyLabel(static_cast<QLabel*>(watched));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
