#pragma once
// "Post-PACE Manual Roll": the window of one roll prompt (run::PaceRollPrompt).
// It shows which electrode has finished and the seconds left, counts down
// once a second on the station's clock, and passes "Roll Complete" and
// "Continue, No Roll" to the prompt. It closes itself (and is deleted) once
// the prompt has ended; the operator cannot close it otherwise. Several can
// be open at once.

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;

namespace platform {
class Timer;
}

namespace run {
class PaceRollPrompt;
}

namespace ui {

class PaceRollPromptWindow : public QWidget {
    Q_OBJECT
public:
    explicit PaceRollPromptWindow(std::shared_ptr<run::PaceRollPrompt> prompt, QWidget* parent = nullptr);

    QLabel* completedLabel() const { return m_completed; }
    QLabel* countdownLabel() const { return m_countdown; }
    QPushButton* rollCompleteButton() const { return m_rollComplete; }
    QPushButton* noRollButton() const { return m_noRoll; }

private:
    void tick();
    void closeIfEnded();

    std::shared_ptr<run::PaceRollPrompt> m_prompt;
    QLabel* m_completed = nullptr;
    QLabel* m_countdown = nullptr;
    QPushButton* m_rollComplete = nullptr;
    QPushButton* m_noRoll = nullptr;
    platform::Timer* m_timer = nullptr;
};

} // namespace ui
