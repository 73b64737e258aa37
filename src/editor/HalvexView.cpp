#include "editor/HalvexView.h"

#include <QApplication>
#include <QClipboard>
#include <QVBoxLayout>
#include <iterator>

#include "editor/AppSettings.h"
#include "editor/ByteEditor.h"
#include "editor/CommandIds.h"
#include "editor/HalvexDoc.h"
#include "editor/TextPrinting.h"
#include "port/PosixSerialPort.h"

namespace halvex {

CHalvexView* TheView = nullptr;

namespace {

// Every open fails when no opener is installed.
class NoPortOpener : public SerialPortOpener {
public:
    PortOpenResult Open(const std::string&) override { return {}; }
};

NoPortOpener& NoPorts() {
    static NoPortOpener opener;
    return opener;
}

struct ProgramCommand {
    int id;
    CHalvexView::Handler handler;
};

const ProgramCommand kProgramCommands[] = {
    {ids::kTransformTamselCass, &CHalvexView::OnTransformTamselCass},
    {ids::kParameter, &CHalvexView::OnParameter},
    {ids::kDownloadTamsel, &CHalvexView::OnDownloadTamsel},
    {ids::kUploadTamselCoordinate, &CHalvexView::OnUploadTamselCoordinate},
    {ids::kUploadTamselPcode, &CHalvexView::OnUploadTamselPcode},
    {ids::kTransformTamselPcode, &CHalvexView::OnTransformTamselPcode},
    {ids::kUploadBrennoCoordinate, &CHalvexView::OnUploadBrennoCoordinate},
    {ids::kUploadCorvaneCoordinate, &CHalvexView::OnUploadCorvaneCoordinate},
    {ids::kTransformBrennoCass, &CHalvexView::OnTransformBrennoCass},
    {ids::kTransformDulmarCass, &CHalvexView::OnTransformDulmarCass},
    {ids::kDownloadBrenno, &CHalvexView::OnDownloadBrenno},
    {ids::kDownloadCorvane, &CHalvexView::OnDownloadCorvane},
    {ids::kUploadBrennoPcode, &CHalvexView::OnUploadBrennoPcode},
    {ids::kUploadOtherData, &CHalvexView::OnUploadOtherData},
    {ids::kTransformCassDxf, &CHalvexView::OnTransformCassDxf},
    {ids::kTransformBrennoNez, &CHalvexView::OnTransformBrennoNez},
};

}  // namespace

CHalvexView::CHalvexView(CHalvexDoc* document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      editor_(new ByteEditor(this)),
      calls_(this),
      boxes_(this, calls_),
      portOpener_(std::make_unique<PosixPortOpener>(ProcessEnvironment, portChoices_.Lookup())) {
    TheView = this;
    ReadPortChoices(portChoices_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    setFocusProxy(editor_);
    if (document_) document_->AttachView(this);

    connect(editor_, &ByteEditor::BytesChanged, this, &CHalvexView::OnBytesChanged);
    connect(editor_, &QsciScintilla::selectionChanged, this, &CHalvexView::CommandStateChanged);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CHalvexView::CommandStateChanged);
    BuildCommands();
}

CHalvexView::~CHalvexView() { BeginShutdown(); }

void CHalvexView::BeginShutdown() {
    calls_.Shutdown();
    Workers.ShutdownAll();
}

void CHalvexView::SetPortOpener(std::unique_ptr<SerialPortOpener> opener) {
    portOpener_ = std::move(opener);
}

TransferEnvironment CHalvexView::MakeTransferEnvironment() {
    SerialPortOpener& ports = portOpener_ ? *portOpener_ : NoPorts();
    return TransferEnvironment{*this, boxes_, CommSettings, ports, Workers};
}

std::string CHalvexView::GetEditorText() {
    std::string text;
    calls_.Run([&] { text = editor_->Bytes(); });
    return text;
}

void CHalvexView::SetEditorText(const std::string& text) {
    calls_.Run([&] {
        ++keepFlags_;
        editor_->SetBytes(text);
        --keepFlags_;
        textModified_ = false;
    });
}

void CHalvexView::ClearEditor() {
    calls_.Run([&] {
        editor_->SelectAllBytes();
        editor_->DeleteSelection();
    });
}

bool CHalvexView::AppendEditorText(const std::string& text) {
    bool appended = false;
    calls_.Run([&] {
        const std::size_t length = editor_->Length();
        const std::size_t selected = editor_->SelectionLength();
        if (length - selected + UpToNul(text).size() > editor_->Capacity()) return;
        editor_->InsertBytes(text);
        textModified_ = true;
        if (document_) document_->SetModifiedFlag(true);
        appended = true;
    });
    return appended;
}

void CHalvexView::MoveCaretTo(std::size_t index) {
    calls_.Run([&] { editor_->MoveCaret(index); });
}

void CHalvexView::SetEditorReadOnly(bool readOnly) {
    calls_.Run([&] {
        editor_->setReadOnly(readOnly);
        emit ReadOnlyChanged(readOnly);
        emit CommandStateChanged();
    });
}

bool CHalvexView::ConfirmUnsaved() {
    bool goOn = false;
    calls_.Run([&] {
        if (!textModified_) {
            goOn = true;
            return;
        }
        goOn = ShowBox(this, {QStringLiteral("The file has not been saved,continue?"),
                              QString::fromLatin1(kProgramCaption), BoxButtons::YesNo,
                              MessageIcon::None}) == BoxAnswer::Yes;
    });
    return goOn;
}

void CHalvexView::DetachFromFile() {
    calls_.Run([&] {
        if (document_) document_->DetachFromFile();
    });
}

void CHalvexView::ResetText(const std::string& text) {
    ++keepFlags_;
    editor_->SetBytes(text);
    --keepFlags_;
    textModified_ = false;
    if (document_) document_->SetModifiedFlag(false);
    emit CommandStateChanged();
}

void CHalvexView::OnBytesChanged() {
    if (keepFlags_ == 0) {
        textModified_ = true;
        if (document_) document_->SetModifiedFlag(true);
    }
    emit CommandStateChanged();
}

QString CHalvexView::DocumentTitle() const {
    return document_ ? document_->GetTitle() : QStringLiteral("Untitled");
}

CHalvexView::Handler CHalvexView::ProgramCommandHandler(int id) {
    for (const ProgramCommand& command : kProgramCommands) {
        if (command.id == id) return command.handler;
    }
    return nullptr;
}

void CHalvexView::BuildCommands() {
    for (const ProgramCommand& command : kProgramCommands) {
        const Handler handler = command.handler;
        commands_.Add(command.id, {[this, handler] { (this->*handler)(); }, {}, {}});
    }
    const auto hasSelection = [this] { return editor_->HasSelection(); };
    commands_.Add(ids::kStopTransfer,
                  {[this] { OnStopTransfer(); }, [this] { return TransferUnderWay(); }, {}});
    commands_.Add(ids::kFilePrint, {[this] { OnFilePrint(); }, {}, {}});
    commands_.Add(ids::kFilePrintPreview, {[this] { OnFilePrintPreview(); }, {}, {}});
    commands_.Add(ids::kEditUndo,
                  {[this] { editor_->UndoOnce(); }, [this] { return editor_->CanUndoOnce(); }, {}});
    commands_.Add(ids::kEditCut, {[this] { editor_->CutToClipboard(); }, hasSelection, {}});
    commands_.Add(ids::kEditCopy, {[this] { editor_->CopyToClipboard(); }, hasSelection, {}});
    commands_.Add(ids::kEditPaste, {[this] { editor_->PasteFromClipboard(); },
                                    [] { return !QApplication::clipboard()->text().isEmpty(); },
                                    {}});
    commands_.Add(
        ids::kEditLineEndsToCrLf,
        {[this] { OnEditLineEndsToCrLf(); }, [this] { return CanChangeLineEndsToCrLf(); }, {}});
}

const CommandHandler* CHalvexView::FindCommandHandler(int id) const { return commands_.Find(id); }

void CHalvexView::OnFilePrint() { PrintWithDialog(window(), editor_->Bytes(), DocumentTitle()); }

void CHalvexView::OnFilePrintPreview() {
    ShowPrintPreview(window(), editor_->Bytes(), DocumentTitle(), [this] { OnFilePrint(); });
}

bool CHalvexView::PrintWithoutDialog() {
    return PrintOnSharedPrinter(window(), editor_->Bytes(), DocumentTitle());
}

}  // namespace halvex
