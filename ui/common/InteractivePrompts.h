#pragma once
// The prompt seam on screen: message boxes, open, save and folder dialogs and
// a line of text through Qt's own dialogs, each modal and without an owner
// window. A cancelled dialog answers "" (and ok false for a line of text); a
// message box closed without a button answers as its Escape button does.
// The program's start-up installs it (platform::Prompts::install).

#include "platform/Prompts.h"

namespace ui {

class InteractivePrompts : public platform::Prompts {
public:
    platform::MsgResult message(const QString& text, const QString& title, platform::MsgButtons buttons,
                                platform::MsgIcon icon) override;
    QString openFile(const platform::FileDialogRequest& request) override;
    QString saveFile(const platform::FileDialogRequest& request) override;
    QString chooseFolder(const QString& title, const QString& directory) override;
    QString inputText(const QString& prompt, const QString& title, const QString& initial, bool* ok) override;
};

} // namespace ui
