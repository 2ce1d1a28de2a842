#include "platform/ScriptedPrompts.h"

#include "platform/Clock.h"

namespace platform {

namespace {
MsgResult firstButton(MsgButtons b)
{
    switch (b) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgResult::Yes;
    case MsgButtons::RetryCancel: return MsgResult::Retry;
    case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
    default: return MsgResult::Ok;
    }
}

QString takeFront(std::deque<QString>& q)
{
    if (q.empty())
        return QString();
    QString s = q.front();
    q.pop_front();
    return s;
}
} // namespace

MsgResult ScriptedPrompts::message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon)
{
    shown.append({"message", text, title, buttons});
    if (whileMessageShown)
        whileMessageShown(shown.last());
    if (messageOpenMs > 0)
        Clock::wait(messageOpenMs);
    if (messageAnswers.empty())
        return firstButton(buttons);
    MsgResult r = messageAnswers.front();
    messageAnswers.pop_front();
    return r;
}

QString ScriptedPrompts::openFile(const FileDialogRequest& r)
{
    shown.append({"open", r.title, QString(), MsgButtons::Ok});
    return takeFront(fileAnswers);
}

QString ScriptedPrompts::saveFile(const FileDialogRequest& r)
{
    shown.append({"save", r.title, QString(), MsgButtons::Ok});
    return takeFront(fileAnswers);
}

QString ScriptedPrompts::chooseFolder(const QString& title, const QString&)
{
    shown.append({"folder", title, QString(), MsgButtons::Ok});
    return takeFront(fileAnswers);
}

QString ScriptedPrompts::inputText(const QString& prompt, const QString& title, const QString& initial, bool* ok)
{
    shown.append({"input", prompt, title, MsgButtons::Ok});
    QString answer = inputAnswers.empty() ? initial : takeFront(inputAnswers);
    if (ok)
        *ok = !answer.isNull();
    return answer;
}

QStringList ScriptedPrompts::messages() const
{
    QStringList out;
    for (const auto& p : shown)
        if (p.kind == "message")
            out << p.text;
    return out;
}

ScriptedPrompts* ScriptedPrompts::installNew()
{
    auto p = std::make_unique<ScriptedPrompts>();
    ScriptedPrompts* raw = p.get();
    Prompts::install(std::move(p));
    return raw;
}

} // namespace platform
