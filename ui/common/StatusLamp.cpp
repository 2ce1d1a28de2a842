#include "ui/common/StatusLamp.h"

#include <QPainter>

namespace ui {

StatusLamp::StatusLamp(const QString& accessibleName, QWidget* parent) : QWidget(parent)
{
    setAccessibleName(accessibleName);
    setFixedSize(16, 16);
}

void StatusLamp::setFillColor(const QColor& color)
{
    m_fill = color;
    setAccessibleDescription(color == green() ? QStringLiteral("green")
                             : color == red() ? QStringLiteral("red")
                                              : color.name());
    update();
}

void StatusLamp::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(m_fill);
    p.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

} // namespace ui
