#pragma once
// The background window: the station's picture at the bottom right of the
// main frame's area, under every child window of the frame. The frame
// places it. It lets every mouse click through to what lies below; a
// picture missing from the resources leaves it an empty margin, not an
// error.

#include <QWidget>

class QLabel;

namespace ui {

class BackgroundWindow : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundWindow(QWidget* parent = nullptr);

    // Sizes the window to the picture plus 200 twips each way.
    void load();

    QLabel* backgroundImage = nullptr;
};

} // namespace ui
