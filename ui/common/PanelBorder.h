#pragma once
// The box drawn round a link's small panel: a framed area filling the panel,
// into which the panel lays out its controls.

#include <QFrame>
#include <QVBoxLayout>

namespace ui {

inline QFrame* addPanelBorder(QWidget* panel)
{
    auto* border = new QFrame(panel); // shpBorder
    border->setFrameShape(QFrame::Box);
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(border);
    return border;
}

} // namespace ui
