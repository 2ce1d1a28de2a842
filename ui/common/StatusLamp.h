#pragma once
// A round status lamp filled with one colour (a unit, the database, the
// signal generator): green when connected, Red when not. red until told
// otherwise; it paints whatever colour it is given and has nothing to fail.

#include <QColor>
#include <QWidget>

namespace ui {

class StatusLamp : public QWidget {
    Q_OBJECT
public:
    static QColor green() { return QColor(0, 255, 0); } // 65280
    static QColor red() { return QColor(255, 0, 0); }   // 255

    explicit StatusLamp(const QString& accessibleName, QWidget* parent = nullptr);

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor& color);

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill = red();
};

} // namespace ui
