#include "core/BackgroundForm.h"

#include "core/MdiChild.h"
#include "core/Twips.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QVBoxLayout>

BackgroundForm::BackgroundForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BackgroundForm"));
    BackgroundImage = new QLabel(this);
    BackgroundImage->setObjectName(QStringLiteral("BackgroundImage"));
    BackgroundImage->setAccessibleName(QStringLiteral("Station picture"));
    const QPixmap picture(QStringLiteral(":/station/background.jpg"));
    BackgroundImage->setPixmap(picture);
    BackgroundImage->setFixedSize(picture.size());
    // The picture sits in the middle of a 100-twip margin.
    auto* layout = new QVBoxLayout(this);
    const int margin = Twips::toPixels(100);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(BackgroundImage, 0, Qt::AlignCenter);
}

void BackgroundForm::Load()
{
    const int width = Twips::fromPixels(BackgroundImage->width()) + 200;
    const int height = Twips::fromPixels(BackgroundImage->height()) + 200;
    MdiChild::ResizeTwips(this, width, height);
    // The picture stays behind the other windows: when the frame activates
    // it (another window closed, or a click on it), it goes to the bottom.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(MdiChild::Outer(this))) {
        connect(sub, &QMdiSubWindow::windowStateChanged, this, [sub](Qt::WindowStates, Qt::WindowStates now) {
            if (now & Qt::WindowActive)
                sub->lower();
        });
    }
}
