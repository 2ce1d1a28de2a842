#pragma once
// The background window: a child of the main frame showing the station's
// picture at the bottom right of the frame. The frame places it.

#include <QWidget>

class QLabel;

class BackgroundForm : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundForm(QWidget* parent = nullptr);

    // Sizes the window to the picture plus 200 twips each way. Called once
    // the window sits in the main frame.
    void Load();

    QLabel* BackgroundImage = nullptr;
};
