#include "ui/testwindow/PaceRollPromptWindow.h"

#include "platform/Sounds.h"
#include "platform/Timer.h"
#include "run/PaceRollPrompt.h"
#include "ui/common/CloseGuard.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

PaceRollPromptWindow::PaceRollPromptWindow(std::shared_ptr<run::PaceRollPrompt> prompt, QWidget* parent)
    : QWidget(parent, Qt::Window), m_prompt(std::move(prompt))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Post-PACE Manual Roll"));
    m_completed = new QLabel(m_prompt->text(), this);
    auto* instructions = new QLabel(QStringLiteral("Please complete the pad rolling procedure, and click below to "
                                                   "proceed with the next test steps."),
                                    this);
    instructions->setWordWrap(true);
    m_countdown = new QLabel(QString::number(m_prompt->secondsLeft()), this);
    QFont bold = m_countdown->font();
    bold.setBold(true);
    m_countdown->setFont(bold);
    m_countdown->setAccessibleName(QStringLiteral("Seconds left"));
    m_rollComplete = new QPushButton(QStringLiteral("Roll Complete"), this);
    m_noRoll = new QPushButton(QStringLiteral("Continue, No Roll"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_rollComplete);
    buttons->addWidget(m_noRoll);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_completed);
    layout->addWidget(instructions);
    layout->addWidget(m_countdown, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);

    connect(m_rollComplete, &QPushButton::clicked, this, [this] {
        m_prompt->rollComplete();
        closeIfEnded();
    });
    connect(m_noRoll, &QPushButton::clicked, this, [this] {
        m_prompt->continueWithoutRoll();
        closeIfEnded();
    });
    disableCloseMenu(this);

    m_timer = new platform::Timer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &platform::Timer::timeout, this, &PaceRollPromptWindow::tick);
    platform::playPaceRollPromptSound();
    m_timer->start();
}

void PaceRollPromptWindow::tick()
{
    m_prompt->tick();
    m_countdown->setText(QString::number(m_prompt->secondsLeft()));
    closeIfEnded();
}

void PaceRollPromptWindow::closeIfEnded()
{
    if (!m_prompt->ended())
        return;
    m_timer->stop();
    close();
}

} // namespace ui
