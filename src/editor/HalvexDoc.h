#pragma once
// The document: file name, title and the document-modified flag, and the reading and writing of
// the file. It keeps no copy of the text: it reads the text from the view when it saves and
// hands the file's bytes to the view when it opens.

#include <QObject>
#include <QString>

#include "editor/CommandTarget.h"

namespace halvex {

class CHalvexView;

class CHalvexDoc : public QObject, public CommandTarget {
    Q_OBJECT

public:
    explicit CHalvexDoc(QObject* parent = nullptr);

    void AttachView(CHalvexView* view) { view_ = view; }
    CHalvexView* GetView() const { return view_; }

    const QString& GetPathName() const { return pathName_; }
    const QString& GetTitle() const { return title_; }
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    // Starts a new, empty, untitled document; both modified flags cleared.
    void OnNewDocument();
    // Opens the file. A file that cannot be opened leaves everything as it was; one that is too
    // large or fails while being read leaves a new, empty document. False in both cases, after
    // the user has been told.
    bool OnOpenDocument(const QString& path);
    // Writes the text to the file; on failure the user is told and nothing changes.
    bool OnSaveDocument(const QString& path);
    // Saves to `path`, or asks for a name first when it is empty.
    bool DoSave(const QString& path);
    // The Save command: an untitled document goes to Save As.
    bool DoFileSave();
    // File > Save and Save As.
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(QString()); }
    // "Save changes to %1?" when the document is modified; false when the user cancels or the
    // save failed, so that the New, Open or Exit must not go on.
    bool SaveModified();
    // The text no longer belongs to the file (a transfer is replacing it): the path is
    // forgotten and the title becomes "Untitled", so that Save asks for a name. The file and
    // the recent-file list are left alone; the modified flag is unchanged.
    void DetachFromFile();

    const CommandHandler* FindCommandHandler(int id) const override;

signals:
    void TitleChanged(const QString& title);
    // A file was opened or saved under `path`.
    void FileUsed(const QString& path);

private:
    void SetPathAndTitle(const QString& path);

    CHalvexView* view_ = nullptr;
    QString pathName_;
    QString title_;
    bool modified_ = false;
    CommandMap commands_;
};

}  // namespace halvex
