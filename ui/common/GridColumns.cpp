#include "ui/common/GridColumns.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace ui {

namespace {

class ResizeWatch : public QObject {
public:
    ResizeWatch(QWidget* grid, std::function<void()> apply) : QObject(grid), m_apply(std::move(apply))
    {
        grid->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == parent())
            m_apply();
        return false;
    }

private:
    std::function<void()> m_apply;
};

} // namespace

namespace GridColumns {

void followWidth(QWidget* grid, std::function<void()> apply)
{
    apply();
    new ResizeWatch(grid, std::move(apply));
}

} // namespace GridColumns

} // namespace ui
