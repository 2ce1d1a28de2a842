#include "ui/common/MdiPlacement.h"

#include "ui/common/Twips.h"

#include <QMdiSubWindow>
#include <QWidget>

#include <algorithm>

namespace ui {

namespace MdiChild {

QWidget* outerWidget(QWidget* form)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        return sub;
    return form;
}

QRect geometryTwips(QWidget* form)
{
    const QRect r = outerWidget(form)->geometry();
    return {Twips::fromPixels(r.x()), Twips::fromPixels(r.y()), Twips::fromPixels(r.width()),
            Twips::fromPixels(r.height())};
}

void setGeometryTwips(QWidget* form, int left, int top, int width, int height)
{
    QWidget* outer = outerWidget(form);
    outer->move(Twips::toPixels(left), Twips::toPixels(top));
    outer->resize(Twips::toPixels(width), Twips::toPixels(height));
}

void moveTwips(QWidget* form, int left, int top)
{
    outerWidget(form)->move(Twips::toPixels(left), Twips::toPixels(top));
}

void resizeTwips(QWidget* form, int width, int height)
{
    outerWidget(form)->resize(Twips::toPixels(width), Twips::toPixels(height));
}

void shrinkInto(QWidget* form, const QSize& area)
{
    QWidget* outer = outerWidget(form);
    const QRect place = outer->geometry();
    const QSize smallest = outer->minimumSize();
    const int width = std::max(std::min(place.width(), area.width() - std::max(place.x(), 0)), smallest.width());
    const int height = std::max(std::min(place.height(), area.height() - std::max(place.y(), 0)), smallest.height());
    if (width != place.width() || height != place.height())
        outer->resize(width, height);
}

void moveInto(QWidget* form, const QSize& area)
{
    QWidget* outer = outerWidget(form);
    const QRect place = outer->geometry();
    const int x = std::max(std::min(place.x(), area.width() - place.width()), 0);
    const int y = std::max(std::min(place.y(), area.height() - place.height()), 0);
    if (x != place.x() || y != place.y())
        outer->move(x, y);
}

bool liesInside(QWidget* form, const QSize& area)
{
    return QRect(QPoint(0, 0), area).contains(outerWidget(form)->geometry());
}

void showAndRaise(QWidget* form)
{
    QWidget* outer = outerWidget(form);
    form->show();
    outer->show();
    outer->raise();
    outer->activateWindow();
    form->setFocus();
}

void restore(QWidget* form)
{
    QWidget* outer = outerWidget(form);
    if (outer->isMinimized() || outer->isMaximized())
        outer->showNormal();
}

} // namespace MdiChild

} // namespace ui
