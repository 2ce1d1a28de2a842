#include "core/MdiChild.h"

#include "core/Twips.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace MdiChild {

QWidget* Outer(QWidget* form)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        return sub;
    return form;
}

QRect GeometryTwips(QWidget* form)
{
    const QRect r = Outer(form)->geometry();
    return {Twips::fromPixels(r.x()), Twips::fromPixels(r.y()), Twips::fromPixels(r.width()),
            Twips::fromPixels(r.height())};
}

void SetGeometryTwips(QWidget* form, int left, int top, int width, int height)
{
    QWidget* outer = Outer(form);
    outer->move(Twips::toPixels(left), Twips::toPixels(top));
    outer->resize(Twips::toPixels(width), Twips::toPixels(height));
}

void MoveTwips(QWidget* form, int left, int top)
{
    Outer(form)->move(Twips::toPixels(left), Twips::toPixels(top));
}

void ResizeTwips(QWidget* form, int width, int height)
{
    Outer(form)->resize(Twips::toPixels(width), Twips::toPixels(height));
}

void ShowAndRaise(QWidget* form)
{
    QWidget* outer = Outer(form);
    form->show();
    outer->show();
    outer->raise();
    outer->activateWindow();
    form->setFocus();
}

} // namespace MdiChild
