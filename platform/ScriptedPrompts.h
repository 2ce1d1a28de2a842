#pragma once
// Test double of the prompt seam: answers come from queues filled by the
// test, every message and dialog is recorded. A message with no scripted
// answer gets the first button's answer (Ok, Yes, Retry, Abort); a dialog with
// no scripted answer is cancelled.

#include "platform/Prompts.h"

#include <QList>

#include <deque>
#include <functional>

// One message or dialog as it was shown.
namespace platform {

struct ShownPrompt {
    QString kind;  // "message", "open", "save", "folder", "input"
    QString text;  // message text or dialog title
    QString title; // message title
    MsgButtons buttons = MsgButtons::Ok;
};

class ScriptedPrompts : public Prompts {
public:
    std::deque<MsgResult> messageAnswers;
    std::deque<QString> fileAnswers;  // open, save and folder dialogs, in order
    std::deque<QString> inputAnswers; // a null QString means Cancel
    QList<ShownPrompt> shown;
    // Runs while a message is up, before its answer returns: a test looks
    // at the windows behind the box, or lets time pass as an operator would.
    std::function<void(const ShownPrompt&)> whileMessageShown;
    // How long the operator takes to answer a message box: its event loop
    // runs meanwhile (on the clock, virtual time included), as a box on
    // screen lets timers and events run.
    qint64 messageOpenMs = 0;

    MsgResult message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString chooseFolder(const QString& title, const QString& directory) override;
    QString inputText(const QString& prompt, const QString& title, const QString& initial, bool* ok) override;

    // The texts of the messages shown, in order.
    QStringList messages() const;

    // Installs a fresh ScriptedPrompts and returns it (owned by the seam).
    static ScriptedPrompts* installNew();
};

} // namespace platform
