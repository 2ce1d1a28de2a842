#pragma once
// A one-line status text that keeps the layout where it is: the room it asks
// for is that of a sample text given once, not that of what it shows, and a
// longer text is cut with "..." where it is painted. text() and the
// accessible text stay whole, and the tooltip shows the whole text.

#include <QLabel>

namespace ui {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    // room: a text as wide as the label asks to be.
    ElidedLabel(const QString& text, const QString& room, QWidget* parent = nullptr);

    // Shows the text, whole in the tooltip.
    void setStatusText(const QString& text);
    // The text as it is painted in the label's present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_room;
};

} // namespace ui
