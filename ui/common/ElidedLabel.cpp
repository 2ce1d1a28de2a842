#include "ui/common/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace ui {

ElidedLabel::ElidedLabel(const QString& text, const QString& room, QWidget* parent) : QLabel(parent), m_room(room)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setStatusText(text);
}

void ElidedLabel::setStatusText(const QString& text)
{
    setText(text);
    setToolTip(text);
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(m_room) + m.left() + m.right(),
            fontMetrics().height() + m.top() + m.bottom()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QMargins m = contentsMargins();
    return {fontMetrics().horizontalAdvance(QStringLiteral("...")) + m.left() + m.right(),
            fontMetrics().height() + m.top() + m.bottom()};
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}

} // namespace ui
