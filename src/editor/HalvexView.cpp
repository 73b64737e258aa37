#include "editor/HalvexView.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QVBoxLayout>

#include "common/Version.h"
#include "editor/AppSettings.h"
#include "editor/ByteEditor.h"
#include "editor/CommandBinding.h"
#include "editor/HalvexDoc.h"
#include "editor/TextPrinting.h"
#include "port/SystemPorts.h"

namespace halvex {

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

}  // namespace

CHalvexView::CHalvexView(CHalvexDoc* document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      editor_(new ByteEditor(this)),
      calls_(this),
      boxes_(this, calls_),
      portOpener_(MakeSystemPortOpener(portChoices_.Lookup())),
      traces_(DefaultTraceFolder(), "halvex " + std::string(kVersion)),
      urlOpener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    ReadPortChoices(portChoices_);
    traces_.SetEnabled(ReadTraceEnabled());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    setFocusProxy(editor_);
    if (document_) document_->AttachView(this);

    connect(editor_, &ByteEditor::BytesChanged, this, &CHalvexView::OnBytesChanged);
    connect(editor_, &QsciScintilla::selectionChanged, this, &CHalvexView::CommandStateChanged);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CHalvexView::CommandStateChanged);
    BindCommands(*this, commands_);
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
    return TransferEnvironment{*this, boxes_, CommSettings, ports, Workers, &traces_};
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
    const CommandRow* row = FindCommandRow(id);
    const auto* member = row ? std::get_if<MemberHandler<CHalvexView>>(&row->handler) : nullptr;
    return member ? member->run : nullptr;
}

const CommandHandler* CHalvexView::FindCommandHandler(int id) const { return commands_.Find(id); }

void CHalvexView::OnFilePrint() { PrintWithDialog(window(), editor_->Bytes(), DocumentTitle()); }

void CHalvexView::OnFilePrintPreview() {
    ShowPrintPreview(window(), editor_->Bytes(), DocumentTitle(), [this] { OnFilePrint(); });
}

void CHalvexView::OnEditUndo() { editor_->UndoOnce(); }

bool CHalvexView::CanUndo() const { return editor_->CanUndoOnce(); }

void CHalvexView::OnEditCut() { editor_->CutToClipboard(); }

void CHalvexView::OnEditCopy() { editor_->CopyToClipboard(); }

bool CHalvexView::HasSelection() const { return editor_->HasSelection(); }

void CHalvexView::OnEditPaste() { editor_->PasteFromClipboard(); }

bool CHalvexView::CanPaste() const { return !QApplication::clipboard()->text().isEmpty(); }

bool CHalvexView::PrintWithoutDialog() {
    return PrintOnSharedPrinter(window(), editor_->Bytes(), DocumentTitle());
}

}  // namespace halvex
