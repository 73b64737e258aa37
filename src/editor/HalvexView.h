#pragma once
// The editor view: holds and shows the text, implements the editor operations, receives every
// command first, and owns the communication settings and the registry of running transfers.
//
// The editor operations may be called from worker threads: each call is carried out on the
// user-interface thread while the worker waits, in the order made. When the window closes,
// BeginShutdown() first releases the workers' pending calls (they return at once, touching no
// widget, and message boxes count as answered OK or No) and then stops and waits for the
// workers.

#include <QWidget>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "common/EditorOps.h"
#include "editor/CommandTarget.h"
#include "editor/MessageBoxes.h"
#include "editor/TraceFolder.h"
#include "editor/UiThreadCall.h"
#include "port/CommSettings.h"
#include "port/PortChoices.h"
#include "port/SerialPort.h"
#include "transfers/TransferEnvironment.h"
#include "transfers/WorkerRegistry.h"

namespace halvex {

class ByteEditor;
class CHalvexDoc;

// Shows a URL in the desktop's own program for it (QDesktopServices::openUrl); false when none
// could be started.
using UrlOpener = std::function<bool(const QUrl&)>;

class CHalvexView : public QWidget, public EditorOps, public CommandTarget {
    Q_OBJECT

public:
    explicit CHalvexView(CHalvexDoc* document, QWidget* parent = nullptr);
    ~CHalvexView() override;

    // The communication settings, read live by running workers (every field is an atomic).
    halvex::CommSettings CommSettings;
    // The running workers: a stop, the progress and closing the program go through it.
    WorkerRegistry Workers;

    // The devices chosen for "COM1".."COM6" (Comm > Serial Ports...), read from the settings when
    // the view is made; the default opener follows them.
    PortChoices& ChosenPorts() { return portChoices_; }
    // The device opener of the transfers: the serial devices behind "COM1".."COM6" unless a test
    // installs another.
    void SetPortOpener(std::unique_ptr<SerialPortOpener> opener);
    SerialPortOpener* PortOpener() const { return portOpener_.get(); }
    // The view as editor, its message boxes, the settings, the opener, the worker registry and
    // the trace folder.
    TransferEnvironment MakeTransferEnvironment();
    // Where the line traces go while Comm > Line Trace is on.
    TraceFolder& Traces() { return traces_; }
    // Replaces the desktop's opening of a URL (Open Trace Folder), for tests.
    void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    UserDialogs& Dialogs() { return boxes_; }

    // Editor operations.
    std::string GetEditorText() override;
    void SetEditorText(const std::string& text) override;
    void ClearEditor() override;
    bool AppendEditorText(const std::string& text) override;
    void MoveCaretTo(std::size_t index) override;
    void SetEditorReadOnly(bool readOnly) override;
    bool ConfirmUnsaved() override;
    void DetachFromFile() override;

    // For the document (user-interface thread): new or opened text, both flags cleared.
    void ResetText(const std::string& text);
    void ClearTextModified() { textModified_ = false; }
    bool TextModified() const { return textModified_; }
    CHalvexDoc* GetDocument() const { return document_; }
    ByteEditor* Editor() const { return editor_; }

    // False while a worker's call is being carried out on the user-interface thread (a worker's
    // message box is open): the window must not close under it.
    bool CanShutDownNow() const { return !calls_.Busy(); }
    void BeginShutdown();

    // The commands the view carries out are its rows of the command table
    // (editor/CommandTable.cpp).
    const CommandHandler* FindCommandHandler(int id) const override;
    using Handler = void (CHalvexView::*)();
    // The view's handler of `id`, nullptr when another receiver carries it out.
    static Handler ProgramCommandHandler(int id);

    // Standard commands handled by the view.
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnEditUndo();
    bool CanUndo() const;
    void OnEditCut();
    void OnEditCopy();
    bool HasSelection() const;
    void OnEditPaste();
    bool CanPaste() const;
    // Prints the text on the shared printer without asking; false when printing failed.
    bool PrintWithoutDialog();
    // Puts a CR before every LF that has none, as one change that Undo reverts (see
    // HalvexViewEdit.cpp); possible while the text is writable and holds such an LF.
    void OnEditLineEndsToCrLf();
    bool CanChangeLineEndsToCrLf() const;

    // The program's own commands (see HalvexViewTransform.cpp, HalvexViewComm.cpp and
    // HalvexViewUpload.cpp).
    void OnTransformTamselCass();
    void OnTransformBrennoCass();
    void OnTransformBrennoNez();
    void OnTransformDulmarCass();
    void OnTransformTamselPcode();
    void OnTransformCassDxf();
    void OnParameter();
    void OnDownloadTamsel();
    void OnDownloadBrenno();
    void OnDownloadCorvane();
    void OnUploadTamselCoordinate();
    void OnUploadBrennoCoordinate();
    void OnUploadCorvaneCoordinate();
    void OnUploadTamselPcode();
    void OnUploadBrennoPcode();
    void OnUploadOtherData();
    // Comm > Stop Transfer (and Escape): the running worker ends and says how far it got.
    void OnStopTransfer();
    // Comm > Line Trace: switches the line trace of every later transfer on or off, for this
    // and later runs (see editor/TraceFolder.h).
    void OnLineTrace();
    bool LineTraceOn() const { return traces_.Enabled(); }
    // Comm > Open Trace Folder: the folder of the traces in the desktop's file manager.
    void OnOpenTraceFolder();
    // A transfer worker runs (also while its port is still being opened, or after it failed to
    // open and the worker shows why).
    bool TransferRunning() const { return Workers.RunningCount() > 0; }
    // ... and its port is open: only then can it be stopped and does it show its progress.
    bool TransferUnderWay() const { return Workers.TransferUnderWay(); }

signals:
    // Something that decides a command's enabled state changed (selection, text, clipboard,
    // read-only state).
    void CommandStateChanged();
    void ReadOnlyChanged(bool readOnly);

private:
    void OnBytesChanged();
    QString DocumentTitle() const;

    CHalvexDoc* document_;
    ByteEditor* editor_;
    UiThreadCall calls_;
    MessageBoxes boxes_;
    PortChoices portChoices_;
    std::unique_ptr<SerialPortOpener> portOpener_;
    TraceFolder traces_;
    UrlOpener urlOpener_;
    CommandMap commands_;
    bool textModified_ = false;
    int keepFlags_ = 0;  // > 0 while the program replaces the whole text
};

}  // namespace halvex
