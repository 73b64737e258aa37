#include "app/CommandTable.h"

#include <algorithm>
#include <array>
#include <vector>

#include "editor/CommandIds.h"

namespace halvex {
namespace {

using namespace ids;

const CommandInfo kCommands[] = {
    // The program's own commands.
    {kParameter, "ParameTer\tCtrl+T", "Set communication parameters",
     "Set communication parameters"},
    {kDownloadTamsel, "Download Tamsel Data\tCtrl+M", "Receive data from Pelmar totalstation",
     "Download Data"},
    {kDownloadBrenno, "Download Brenno Data\tCtrl+N", "Read data from Brenno", "Download"},
    {kDownloadCorvane, nullptr, "Read data from Corvane", "Download"},
    {kUploadTamselCoordinate, "Upload Tamsel Coordinate\tCtrl+Z",
     "Send CASS format coordinate data to Pelmar Total Station", "Upload Coordinate"},
    {kUploadBrennoCoordinate, "Upload Brenno Coordinate\tCtrl+Y",
     "Send CASS format coordinate data to Brenno Total Station", "Upload Coordinate"},
    {kUploadCorvaneCoordinate, nullptr, "Send CASS format coordinate data to Corvane Total Station",
     "Upload Coordinate"},
    {kUploadTamselPcode, "Upload Tamsel Pcode\tCtrl+O", "Send Pcode of text format to instrument",
     "Upload PCODE"},
    {kUploadBrennoPcode, "Upload Brenno Pcode\tCtrl+P",
     "Send feature code of text format to instrument", "Upload Pcode"},
    {kUploadOtherData, "Upload Other Data\tCtrl+Q", "Send alignment section data to instrument",
     "Upload alignment data"},
    {kTransformTamselCass, "CASS Coordinate(Tamsel)\tCtrl+C",
     "Transform Pelmar data format to CASS data format", nullptr},
    {kTransformBrennoCass, "CASS Coordinate(Brenno)\tCtrl+K",
     "Transform Brenno data format to CASS data format", nullptr},
    {kTransformBrennoNez, "NEZ Coordinate(Brenno)\tCtrl+L", nullptr, nullptr},
    {kTransformDulmarCass, nullptr, "Transform Dulmar data format to CASS data format", nullptr},
    {kTransformTamselPcode, "PCODE transform(Tamsel)\tCtrl+P",
     "Transform the data to Pcode format in separate lines", nullptr},
    {kTransformCassDxf, "CASS Coordinate->DXF\tCtrl+D", nullptr, nullptr},
    // Commands beyond the program's defined ones.
    {kStopTransfer, "Stop Transfer", "Stop the running download or upload", "Stop Transfer"},
    {kSerialPorts, "Serial Ports...", "Choose the serial device each port name COM1 to COM6 opens",
     "Serial Ports"},
    {kWindowPointPlot, "&Point Plot", "Show the points of the editor in a plot", "Point Plot"},
    // Standard commands.
    {kFileNew, "&New\tCtrl+N", "Create a new document", "New"},
    {kFileOpen, "&Open...\tCtrl+O", "Open an existing document", "Open"},
    {kFileSave, "&Save\tCtrl+S", "Save the active document", "Save"},
    {kFileSaveAs, "Save &As...", "Save the active document with a new name", "Save As"},
    {kFilePrint, "&Print...\tCtrl+P", "Print the active document", "Print"},
    {kFilePrintPreview, "Print Pre&view", "Display full pages", "Print Preview"},
    {kFilePrintSetup, "P&rint Setup...", "Change the printer and printing options", "Print Setup"},
    {kFileMru1, "Recent File", "Open this document", nullptr},
    {kFileMru1 + 1, nullptr, "Open this document", nullptr},
    {kFileMru1 + 2, nullptr, "Open this document", nullptr},
    {kFileMru1 + 3, nullptr, "Open this document", nullptr},
    {kAppExit, "e&Xit", "Quit the application; prompts to save documents", "Exit"},
    {kEditUndo, "&Undo\tCtrl+Z", "Undo the last action", "Undo"},
    {kEditCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", "Cut"},
    {kEditCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", "Copy"},
    {kEditPaste, "&Paste\tCtrl+V", "Insert Clipboard contents", "Paste"},
    {kViewToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
    {kViewStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar"},
    {kAppAbout, "&About Veltra Totalstation...",
     "Display program information, version number and copyright", "About"},
    {kNextPane, nullptr, nullptr, nullptr},
    {kPrevPane, nullptr, nullptr, nullptr},
    // Commands beyond the defined ones.
    {kEditLineEndsToCrLf, "Line Ends to CR LF", "Put a CR before every LF that has none",
     "Line Ends to CR LF"},
};

constexpr int kFileMenu[] = {kFileNew,       kFileOpen,         kFileSave,       kFileSaveAs,
                             kSeparator,     kFilePrint,        kFilePrintPreview,
                             kFilePrintSetup, kSeparator,       kFileMru1,       kSeparator,
                             kAppExit};
constexpr int kEditMenu[] = {kEditUndo,  kSeparator, kEditCut,           kEditCopy,
                             kEditPaste, kSeparator, kEditLineEndsToCrLf};
constexpr int kCommMenu[] = {kParameter,         kSeparator,          kDownloadTamsel,
                             kDownloadBrenno,    kSeparator,          kUploadTamselCoordinate,
                             kUploadBrennoCoordinate, kSeparator,     kUploadTamselPcode,
                             kUploadBrennoPcode, kUploadOtherData,    kSeparator,
                             kStopTransfer,      kSerialPorts};
constexpr int kTransformMenu[] = {kTransformTamselCass, kTransformBrennoCass, kTransformBrennoNez,
                                  kSeparator,           kTransformTamselPcode, kSeparator,
                                  kTransformCassDxf};
constexpr int kWindowMenu[] = {kViewToolbar, kViewStatusBar, kSeparator, kWindowPointPlot};
constexpr int kHelpMenu[] = {kAppAbout};

const MenuDefinition kMenuBar[] = {
    {"&File", kFileMenu},     {"&Edit", kEditMenu},     {"&Comm", kCommMenu},
    {"&Transform", kTransformMenu}, {"&Window", kWindowMenu}, {"&Help", kHelpMenu},
};

constexpr int kToolbar[] = {kFileNew,  kFileOpen,  kFileSave,  kSeparator, kEditCut, kEditCopy,
                            kEditPaste, kSeparator, kFilePrint, kSeparator, kAppAbout,
                            kSeparator, kStopTransfer, kSeparator, kWindowPointPlot};

}  // namespace

std::span<const CommandInfo> AllCommands() { return kCommands; }

const CommandInfo* FindCommandInfo(int id) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [id](const CommandInfo& info) { return info.id == id; });
    return found == std::end(kCommands) ? nullptr : &*found;
}

std::span<const MenuDefinition> MenuBarLayout() { return kMenuBar; }

std::span<const Accelerator> AcceleratorTable() {
    static const std::vector<Accelerator> table = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), kFileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), kFileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_S), kFileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_P), kFilePrint},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), kEditUndo},
        {QKeySequence(Qt::CTRL | Qt::Key_X), kEditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_C), kEditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_V), kEditPaste},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), kEditUndo},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), kEditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), kEditCopy},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), kEditPaste},
        {QKeySequence(Qt::Key_F6), kNextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), kPrevPane},
    };
    return table;
}

std::span<const int> ToolbarLayout() { return kToolbar; }

}  // namespace halvex
