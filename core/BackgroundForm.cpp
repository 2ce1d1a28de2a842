#include "core/BackgroundForm.h"

#include "core/MdiChild.h"
#include "core/Twips.h"

#include <QLabel>
#include <QPixmap>

BackgroundForm::BackgroundForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BackgroundForm"));
    BackgroundImage = new QLabel(this);
    BackgroundImage->setObjectName(QStringLiteral("BackgroundImage"));
    BackgroundImage->setAccessibleName(QStringLiteral("Station picture"));
    const QPixmap picture(QStringLiteral(":/station/background.jpg"));
    BackgroundImage->setPixmap(picture);
    BackgroundImage->resize(picture.size());
}

void BackgroundForm::Load()
{
    const int width = Twips::fromPixels(BackgroundImage->width()) + 200;
    const int height = Twips::fromPixels(BackgroundImage->height()) + 200;
    MdiChild::ResizeTwips(this, width, height);
    // The picture sits in the middle of the 200-twip margin.
    const QWidget* outer = MdiChild::Outer(this);
    BackgroundImage->move((this->width() - BackgroundImage->width()) / 2,
                          (this->height() - BackgroundImage->height()) / 2);
    Q_UNUSED(outer);
}
