#include "ui/common/CloseGuard.h"

#include "platform/Prompts.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QWidget>

#include <cmath>
#include <stdexcept>

namespace ui {

namespace {

// Refuses the close requests that come from the operator (spontaneous
// events); a close() called by the program passes.
class OperatorCloseFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool disableCloseMenu(QWidget* window)
{
    if (!window)
        return false;
    QWidget* target = window;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        target = sub;
    // The filter has no meta-object of its own, so findChild would take any
    // QObject child for it.
    for (QObject* child : target->children())
        if (dynamic_cast<OperatorCloseFilter*>(child))
            return true;

    const bool visible = target->isVisible();
    Qt::WindowFlags flags = (target->windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint;
    // A sub-window draws its close box with its window menu.
    if (qobject_cast<QMdiSubWindow*>(target))
        flags &= ~Qt::WindowSystemMenuHint;
    // QMdiSubWindow hides QWidget::setWindowFlags with its own, which draws
    // the title buttons; it must be called on the sub-window's type.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(target))
        sub->setWindowFlags(flags);
    else
        target->setWindowFlags(flags);
    if (visible)
        target->show(); // changing the flags hides a shown window
    target->installEventFilter(new OperatorCloseFilter(target));
    return true;
}

QString browseForFolder(QWidget* /*owner*/)
{
    return platform::Prompts::instance().chooseFolder("Select a Folder", QString());
}

double logValue(double x)
{
    if (!(x > 0.0))
        throw std::invalid_argument("LogValue: the logarithm needs a value above 0");
    return std::log(x);
}

} // namespace ui
