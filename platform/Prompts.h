#pragma once
// The one seam for message boxes and file/folder dialogs. Window code never
// calls QMessageBox or QFileDialog itself: it asks Prompts::instance(). The
// program's start-up installs the implementation that shows the dialogs
// (ui/common/InteractivePrompts); tests install ScriptedPrompts, which answers
// from a script and records every text shown. Asking for the prompts before
// any are installed is a fault of the program: it ends with a fatal message.
// A dialog never fails: a cancelled one answers "" (or ok = false).

#include <QString>
#include <QStringList>

#include <memory>

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgResult { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// What an open or save dialog shows when it comes up.
struct FileDialogRequest {
    QString title;         // "Open File", "Save File", ...
    QString directory;     // initial folder
    QString fileName;      // initial file name
    QString filter;        // Qt filter text, e.g. "Test Sequence (*.tsq)"
    QString defaultSuffix; // added when the name given has none
};

class Prompts {
public:
    virtual ~Prompts() = default;

    virtual MsgResult message(const QString& text, const QString& title, MsgButtons buttons = MsgButtons::Ok,
                              MsgIcon icon = MsgIcon::None) = 0;
    // Each returns the chosen path, or "" when the operator cancelled.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
    virtual QString chooseFolder(const QString& title, const QString& directory) = 0;
    // A line of text; ok is false when cancelled.
    virtual QString inputText(const QString& prompt, const QString& title, const QString& initial, bool* ok) = 0;

    static Prompts& instance();
    // Takes ownership; returns the one it replaced.
    static std::unique_ptr<Prompts> install(std::unique_ptr<Prompts> prompts);
};

} // namespace platform
