#include "ui/common/InteractivePrompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace ui {

using platform::FileDialogRequest;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

QMessageBox::StandardButtons toQt(platform::MsgButtons b)
{
    switch (b) {
    case platform::MsgButtons::Ok: return QMessageBox::Ok;
    case platform::MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case platform::MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case platform::MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case platform::MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case platform::MsgButtons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toQt(platform::MsgIcon i)
{
    switch (i) {
    case platform::MsgIcon::None: return QMessageBox::NoIcon;
    case platform::MsgIcon::Information: return QMessageBox::Information;
    case platform::MsgIcon::Warning: return QMessageBox::Warning;
    case platform::MsgIcon::Critical: return QMessageBox::Critical;
    case platform::MsgIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

platform::MsgResult fromQt(int b)
{
    switch (b) {
    case QMessageBox::Cancel: return platform::MsgResult::Cancel;
    case QMessageBox::Yes: return platform::MsgResult::Yes;
    case QMessageBox::No: return platform::MsgResult::No;
    case QMessageBox::Retry: return platform::MsgResult::Retry;
    case QMessageBox::Abort: return platform::MsgResult::Abort;
    case QMessageBox::Ignore: return platform::MsgResult::Ignore;
    default: return platform::MsgResult::Ok;
    }
}

} // namespace

platform::MsgResult InteractivePrompts::message(const QString& text, const QString& title, platform::MsgButtons buttons,
                                                platform::MsgIcon icon)
{
    QMessageBox box(toQt(icon), title, text, toQt(buttons));
    return fromQt(box.exec());
}

QString InteractivePrompts::openFile(const platform::FileDialogRequest& r)
{
    QString start = r.directory;
    if (!r.fileName.isEmpty())
        start = r.directory.isEmpty() ? r.fileName : r.directory + "/" + r.fileName;
    return QFileDialog::getOpenFileName(nullptr, r.title, start, r.filter);
}

QString InteractivePrompts::saveFile(const platform::FileDialogRequest& r)
{
    QFileDialog dialog(nullptr, r.title, r.directory, r.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!r.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(r.defaultSuffix);
    if (!r.fileName.isEmpty())
        dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString InteractivePrompts::chooseFolder(const QString& title, const QString& directory)
{
    return QFileDialog::getExistingDirectory(nullptr, title, directory);
}

QString InteractivePrompts::inputText(const QString& prompt, const QString& title, const QString& initial, bool* ok)
{
    return QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, initial, ok);
}

} // namespace ui
