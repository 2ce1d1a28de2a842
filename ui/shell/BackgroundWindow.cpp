#include "ui/shell/BackgroundWindow.h"

#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace ui {

BackgroundWindow::BackgroundWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BackgroundForm"));
    setAutoFillBackground(true);
    // A click on the picture reaches the frame's area behind it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    backgroundImage = new QLabel(this);
    backgroundImage->setObjectName(QStringLiteral("BackgroundImage"));
    backgroundImage->setAccessibleName(QStringLiteral("Station picture"));
    const QPixmap picture(QStringLiteral(":/station/background.jpg"));
    backgroundImage->setPixmap(picture);
    backgroundImage->setFixedSize(picture.size());
    // The picture sits in the middle of a 100-twip margin.
    auto* layout = new QVBoxLayout(this);
    const int margin = Twips::toPixels(100);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(backgroundImage, 0, Qt::AlignCenter);
}

void BackgroundWindow::load()
{
    const int width = Twips::fromPixels(backgroundImage->width()) + 200;
    const int height = Twips::fromPixels(backgroundImage->height()) + 200;
    MdiChild::resizeTwips(this, width, height);
}

} // namespace ui
