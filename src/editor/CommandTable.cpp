#include "editor/CommandTable.h"

#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"

namespace halvex {
namespace {

using OnView = MemberHandler<CHalvexView>;
using OnDocument = MemberHandler<CHalvexDoc>;

constexpr SlotHandler OnMainWindow(const char* run, const char* enabled = nullptr,
                                   const char* checked = nullptr) {
    return {CommandReceiver::MainWindow, run, enabled, checked};
}

constexpr SlotHandler OnApplication(const char* run, const char* enabled = nullptr,
                                    const char* checked = nullptr) {
    return {CommandReceiver::Application, run, enabled, checked};
}

// A separator between two items of a menu.
const CommandRow kSeparator = {0, nullptr, nullptr, nullptr, OnView{nullptr}};

constexpr QKeyCombination Ctrl(Qt::Key key) { return Qt::CTRL | key; }
constexpr QKeyCombination Shift(Qt::Key key) { return Qt::SHIFT | key; }
constexpr QKeyCombination Alt(Qt::Key key) { return Qt::ALT | key; }

// The rows, one per command, in the order of their menus. A TAB in an item's text starts a label
// only: the keys that run a command are those of its row, so Ctrl+C copies (the Copy row) and
// does not run "CASS Coordinate(Tamsel)\tCtrl+C".
// clang-format off
const CommandRow kFileMenu[] = {
    {57600, "&New\tCtrl+N", "Create a new document", "New", OnApplication("OnFileNew"),
     {Ctrl(Qt::Key_N)}, {1, 1, DrawNew}},
    {57601, "&Open...\tCtrl+O", "Open an existing document", "Open",
     OnApplication("OnFileOpen"), {Ctrl(Qt::Key_O)}, {1, 2, DrawOpen}},
    {57603, "&Save\tCtrl+S", "Save the active document", "Save",
     OnDocument{&CHalvexDoc::OnFileSave}, {Ctrl(Qt::Key_S)}, {1, 3, DrawSave}},
    {57604, "Save &As...", "Save the active document with a new name", "Save As",
     OnDocument{&CHalvexDoc::OnFileSaveAs}},
    kSeparator,
    {57607, "&Print...\tCtrl+P", "Print the active document", "Print",
     OnView{&CHalvexView::OnFilePrint}, {Ctrl(Qt::Key_P)}, {3, 1, DrawPrint}},
    {57609, "Print Pre&view", "Display full pages", "Print Preview",
     OnView{&CHalvexView::OnFilePrintPreview}},
    {57606, "P&rint Setup...", "Change the printer and printing options", "Print Setup",
     OnApplication("OnFilePrintSetup")},
    kSeparator,
    // Greyed while the list is empty; the recent files take its place (57616 to 57619).
    {57616, "Recent File", "Open this document", nullptr,
     OnApplication("OnRecentFile", "HasRecentFile")},
    kSeparator,
    {57665, "e&Xit", "Quit the application; prompts to save documents", "Exit",
     OnApplication("OnAppExit")},
};

const CommandRow kEditMenu[] = {
    {57643, "&Undo\tCtrl+Z", "Undo the last action", "Undo",
     OnView{&CHalvexView::OnEditUndo, &CHalvexView::CanUndo},
     {Ctrl(Qt::Key_Z), Alt(Qt::Key_Backspace)}},
    kSeparator,
    {57635, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", "Cut",
     OnView{&CHalvexView::OnEditCut, &CHalvexView::HasSelection},
     {Ctrl(Qt::Key_X), Shift(Qt::Key_Delete)}, {2, 1, DrawCut}},
    {57634, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", "Copy",
     OnView{&CHalvexView::OnEditCopy, &CHalvexView::HasSelection},
     {Ctrl(Qt::Key_C), Ctrl(Qt::Key_Insert)}, {2, 2, DrawCopy}},
    {57637, "&Paste\tCtrl+V", "Insert Clipboard contents", "Paste",
     OnView{&CHalvexView::OnEditPaste, &CHalvexView::CanPaste},
     {Ctrl(Qt::Key_V), Shift(Qt::Key_Insert)}, {2, 3, DrawPaste}},
    kSeparator,
    {32793, "Line Ends to CR LF", "Put a CR before every LF that has none", "Line Ends to CR LF",
     OnView{&CHalvexView::OnEditLineEndsToCrLf, &CHalvexView::CanChangeLineEndsToCrLf}},
};

const CommandRow kCommMenu[] = {
    {32772, "ParameTer\tCtrl+T", "Set communication parameters", "Set communication parameters",
     OnView{&CHalvexView::OnParameter}},
    kSeparator,
    {32773, "Download Tamsel Data\tCtrl+M", "Receive data from Pelmar totalstation",
     "Download Data", OnView{&CHalvexView::OnDownloadTamsel}},
    {32784, "Download Brenno Data\tCtrl+N", "Read data from Brenno", "Download",
     OnView{&CHalvexView::OnDownloadBrenno}},
    kSeparator,
    {32776, "Upload Tamsel Coordinate\tCtrl+Z",
     "Send CASS format coordinate data to Pelmar Total Station", "Upload Coordinate",
     OnView{&CHalvexView::OnUploadTamselCoordinate}},
    {32780, "Upload Brenno Coordinate\tCtrl+Y",
     "Send CASS format coordinate data to Brenno Total Station", "Upload Coordinate",
     OnView{&CHalvexView::OnUploadBrennoCoordinate}},
    kSeparator,
    {32777, "Upload Tamsel Pcode\tCtrl+O", "Send Pcode of text format to instrument",
     "Upload PCODE", OnView{&CHalvexView::OnUploadTamselPcode}},
    {32786, "Upload Brenno Pcode\tCtrl+P", "Send feature code of text format to instrument",
     "Upload Pcode", OnView{&CHalvexView::OnUploadBrennoPcode}},
    {32787, "Upload Other Data\tCtrl+Q", "Send alignment section data to instrument",
     "Upload alignment data", OnView{&CHalvexView::OnUploadOtherData}},
    kSeparator,
    // Enabled once a transfer's port is open.
    {32790, "Stop Transfer", "Stop the running download or upload", "Stop Transfer",
     OnView{&CHalvexView::OnStopTransfer, &CHalvexView::TransferUnderWay}, {Qt::Key_Escape},
     {5, 1, DrawStopTransfer}},
    {32791, "Serial Ports...", "Choose the serial device each port name COM1 to COM6 opens",
     "Serial Ports", OnMainWindow("OnSerialPorts")},
    // Checked while every transfer records its line trace.
    {32794, "Line &Trace", "Record every byte of each transfer in a trace file", "Line Trace",
     OnView{&CHalvexView::OnLineTrace, nullptr, &CHalvexView::LineTraceOn}},
    {32795, "Open Trace &Folder", "Show the folder of the line traces in the file manager",
     "Open Trace Folder", OnView{&CHalvexView::OnOpenTraceFolder}},
};

const CommandRow kTransformMenu[] = {
    {32771, "CASS Coordinate(Tamsel)\tCtrl+C", "Transform Pelmar data format to CASS data format",
     nullptr, OnView{&CHalvexView::OnTransformTamselCass}},
    {32782, "CASS Coordinate(Brenno)\tCtrl+K", "Transform Brenno data format to CASS data format",
     nullptr, OnView{&CHalvexView::OnTransformBrennoCass}},
    {32789, "NEZ Coordinate(Brenno)\tCtrl+L", nullptr, nullptr,
     OnView{&CHalvexView::OnTransformBrennoNez}},
    kSeparator,
    {32779, "PCODE transform(Tamsel)\tCtrl+P",
     "Transform the data to Pcode format in separate lines", nullptr,
     OnView{&CHalvexView::OnTransformTamselPcode}},
    kSeparator,
    {32788, "CASS Coordinate->DXF\tCtrl+D", nullptr, nullptr,
     OnView{&CHalvexView::OnTransformCassDxf}},
};

const CommandRow kWindowMenu[] = {
    {59392, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar",
     OnMainWindow("OnViewToolbar", nullptr, "ToolbarShown")},
    {59393, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar",
     OnMainWindow("OnViewStatusBar", nullptr, "StatusBarShown")},
    kSeparator,
    {32792, "&Point Plot", "Show the points of the editor in a plot", "Point Plot",
     OnMainWindow("OnWindowPointPlot"), {}, {6, 1, DrawPointPlot}},
};

const CommandRow kHelpMenu[] = {
    {57664, "&About Veltra Totalstation...",
     "Display program information, version number and copyright", "About",
     OnApplication("OnAppAbout"), {}, {4, 1, DrawAbout}},
};

const CommandMenu kMenuBar[] = {
    {"&File", kFileMenu},           {"&Edit", kEditMenu},     {"&Comm", kCommMenu},
    {"&Transform", kTransformMenu}, {"&Window", kWindowMenu}, {"&Help", kHelpMenu},
};

const CommandRow kWithoutMenu[] = {
    // Reached only by sending the id.
    {32785, nullptr, "Read data from Corvane", "Download", OnView{&CHalvexView::OnDownloadCorvane}},
    {32781, nullptr, "Send CASS format coordinate data to Corvane Total Station",
     "Upload Coordinate", OnView{&CHalvexView::OnUploadCorvaneCoordinate}},
    {32783, nullptr, "Transform Dulmar data format to CASS data format", nullptr,
     OnView{&CHalvexView::OnTransformDulmarCass}},
    // The second to fourth recent files, shown in the File menu while the list holds them.
    {57617, nullptr, "Open this document", nullptr, OnApplication("OnRecentFile", "HasRecentFile")},
    {57618, nullptr, "Open this document", nullptr, OnApplication("OnRecentFile", "HasRecentFile")},
    {57619, nullptr, "Open this document", nullptr, OnApplication("OnRecentFile", "HasRecentFile")},
    // Next and previous pane: the main window has one pane, so they are never enabled.
    {57680, nullptr, nullptr, nullptr, OnMainWindow("OnOtherPane", "HasOtherPane"),
     {Qt::Key_F6}},
    {57681, nullptr, nullptr, nullptr, OnMainWindow("OnOtherPane", "HasOtherPane"),
     {Shift(Qt::Key_F6)}},
};
// clang-format on

}  // namespace

CommandReceiver CommandRow::Receiver() const {
    if (const auto* slot = std::get_if<SlotHandler>(&handler)) return slot->receiver;
    return std::holds_alternative<MemberHandler<CHalvexDoc>>(handler) ? CommandReceiver::Document
                                                                      : CommandReceiver::View;
}

bool CommandRow::IsCheckable() const {
    return std::visit([](const auto& ref) { return ref.checked != nullptr; }, handler);
}

std::span<const CommandMenu> CommandMenus() { return kMenuBar; }

std::span<const CommandRow> CommandsWithoutMenu() { return kWithoutMenu; }

const CommandRow* FindCommandRow(int id) {
    const CommandRow* found = nullptr;
    ForEachCommandRow([&](const CommandRow& row) {
        if (row.id == id && !found) found = &row;
    });
    return found;
}

}  // namespace halvex
