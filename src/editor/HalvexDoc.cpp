#include "editor/HalvexDoc.h"

#include <QFile>
#include <QFileInfo>

#include "common/EditorOps.h"
#include "convert/FileWrite.h"
#include "editor/CommandBinding.h"
#include "editor/FileDialogs.h"
#include "editor/HalvexView.h"
#include "editor/MessageBoxes.h"
#include "editor/TextFile.h"

namespace halvex {
namespace {

const char* const kUntitled = "Untitled";

}  // namespace

CHalvexDoc::CHalvexDoc(QObject* parent) : QObject(parent), title_(QString::fromLatin1(kUntitled)) {
    BindCommands(*this, commands_);
}

const CommandHandler* CHalvexDoc::FindCommandHandler(int id) const { return commands_.Find(id); }

void CHalvexDoc::SetPathAndTitle(const QString& path) {
    pathName_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    title_ = path.isEmpty() ? QString::fromLatin1(kUntitled) : QFileInfo(path).fileName();
    emit TitleChanged(title_);
}

void CHalvexDoc::OnNewDocument() {
    SetPathAndTitle(QString());
    if (view_) view_->ResetText(std::string());
    modified_ = false;
}

bool CHalvexDoc::OnOpenDocument(const QString& path) {
    QWidget* owner = view_ ? view_->window() : nullptr;
    FileReadResult file = ReadTextFile(path, kEditorCapacity);
    switch (file.outcome) {
        case FileReadOutcome::CannotOpen:
            ShowAppMessage(owner, CannotOpenMessage(path, file.error));
            return false;
        case FileReadOutcome::TooLarge:
            ShowAppMessage(owner, QStringLiteral("The file is too large to open."));
            OnNewDocument();
            return false;
        case FileReadOutcome::ReadFailed:
            ShowAppMessage(owner, CannotReadMessage(path, file.error));
            OnNewDocument();
            return false;
        case FileReadOutcome::Read:
            break;
    }
    if (view_) view_->ResetText(file.bytes);
    modified_ = false;
    SetPathAndTitle(path);
    emit FileUsed(pathName_);
    return true;
}

bool CHalvexDoc::OnSaveDocument(const QString& path) {
    const std::string text = view_ ? view_->GetEditorText() : std::string();
    const FileWriteResult written = WriteWholeFile(QFile::encodeName(path).toStdString(), text);
    if (!written.ok) {
        ShowAppMessage(view_ ? view_->window() : nullptr,
                       CannotSaveMessage(path, QString::fromLocal8Bit(written.error)));
        return false;
    }
    if (view_) view_->ClearTextModified();
    modified_ = false;
    SetPathAndTitle(path);
    emit FileUsed(pathName_);
    return true;
}

void CHalvexDoc::DetachFromFile() {
    if (!pathName_.isEmpty()) SetPathAndTitle(QString());
}

bool CHalvexDoc::DoSave(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        target = ChooseFile(view_ ? view_->window() : nullptr, FileDialogKind::SaveAs, title_);
        if (target.isEmpty()) return false;
    }
    return OnSaveDocument(target);
}

bool CHalvexDoc::DoFileSave() { return DoSave(pathName_); }

bool CHalvexDoc::SaveModified() {
    if (!modified_) return true;
    const BoxAnswer answer =
        ShowBox(view_ ? view_->window() : nullptr,
                {QStringLiteral("Save changes to %1?").arg(title_),
                 QString::fromLatin1(kAppCaption), BoxButtons::YesNoCancel, MessageIcon::Warning});
    switch (answer) {
        case BoxAnswer::Yes:
            return DoFileSave();
        case BoxAnswer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace halvex
