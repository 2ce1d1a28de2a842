#include "ui/common/InteractivePrompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

using platform::FileDialogRequest;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

QMessageBox::StandardButtons toQt(MsgButtons b)
{
    switch (b) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toQt(MsgIcon i)
{
    switch (i) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

MsgResult fromQt(int b)
{
    switch (b) {
    case QMessageBox::Cancel: return MsgResult::Cancel;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Retry: return MsgResult::Retry;
    case QMessageBox::Abort: return MsgResult::Abort;
    case QMessageBox::Ignore: return MsgResult::Ignore;
    default: return MsgResult::Ok;
    }
}

} // namespace

MsgResult InteractivePrompts::message(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    QMessageBox box(toQt(icon), title, text, toQt(buttons));
    return fromQt(box.exec());
}

QString InteractivePrompts::openFile(const FileDialogRequest& r)
{
    QString start = r.directory;
    if (!r.fileName.isEmpty())
        start = r.directory.isEmpty() ? r.fileName : r.directory + "/" + r.fileName;
    return QFileDialog::getOpenFileName(nullptr, r.title, start, r.filter);
}

QString InteractivePrompts::saveFile(const FileDialogRequest& r)
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
