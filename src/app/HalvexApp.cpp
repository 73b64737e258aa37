#include "app/HalvexApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include "app/AboutDlg.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/ParameterDlg.h"
#include "editor/AppSettings.h"
#include "editor/CommandBinding.h"
#include "editor/CommandIds.h"
#include "editor/FileDialogs.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/MessageBoxes.h"
#include "editor/ParameterDialog.h"
#include "editor/TextPrinting.h"
#include "transfers/TransferGuard.h"

namespace halvex {

CHalvexApp::CHalvexApp() : document_(new CHalvexDoc(this)) {
    SetParameterEditor(&RunParameterDialog);
    BindCommands(*this, CommandReceiver::Application, commands_);
    connect(document_, &CHalvexDoc::FileUsed, this, &CHalvexApp::AddRecentFile);
}

CHalvexApp::~CHalvexApp() {
    frame_.reset();
    document_->AttachView(nullptr);
}

CHalvexView* CHalvexApp::View() const { return frame_ ? frame_->View() : nullptr; }

const CommandHandler* CHalvexApp::FindCommandHandler(int id) const { return commands_.Find(id); }

QString CHalvexApp::UnregisteredMessage() {
    return QStringLiteral(
        "System registry entries have been removed and the INI file (if any) was deleted.");
}

QString CHalvexApp::NotUnregisteredMessage() {
    return QStringLiteral("Not all of the system registry entries (or INI file) were removed.");
}

bool CHalvexApp::InitInstance(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kSettingsOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(kSettingsApplication));
    recentFiles_.Load(*OpenAppSettings());

    const CommandLineInfo commandLine = ParseCommandLine(arguments);
    if (commandLine.action == CommandLineInfo::Action::Unregister) {
        const bool removed = Unregister();
        ShowAppMessage(nullptr, removed ? UnregisteredMessage() : NotUnregisteredMessage(),
                       removed ? MessageIcon::Information : MessageIcon::Warning);
        exitCode_ = removed ? 0 : 1;
        return false;
    }
    if (!CreateMainFrame()) {
        ShowAppMessage(nullptr, QStringLiteral("Failed to create empty document."));
        exitCode_ = 1;
        return false;
    }
    switch (commandLine.action) {
        case CommandLineInfo::Action::FileNew:
            document_->OnNewDocument();
            break;
        case CommandLineInfo::Action::FileOpen:
            if (!document_->OnOpenDocument(commandLine.fileName)) {
                exitCode_ = 1;
                return false;
            }
            break;
        case CommandLineInfo::Action::FilePrint:
        case CommandLineInfo::Action::FilePrintTo: {
            if (!document_->OnOpenDocument(commandLine.fileName)) {
                exitCode_ = 1;
                return false;
            }
            const bool printed =
                PrintOnSharedPrinter(frame_.get(), View()->GetEditorText(), document_->GetTitle(),
                                     commandLine.printerName);
            exitCode_ = printed ? 0 : 1;
            return false;
        }
        case CommandLineInfo::Action::Unregister:
            break;
    }
    frame_->show();
    frame_->repaint();
    if (!commandLine.commands.empty()) {
        QTimer::singleShot(0, this, [this, commands = commandLine.commands] {
            RunAutomationCommands(commands);
        });
    }
    return true;
}

bool CHalvexApp::CreateMainFrame() {
    auto frame = std::make_unique<CMainFrame>(document_);
    if (!frame->Create()) return false;
    frame->SetApplicationTarget(this);
    frame_ = std::move(frame);
    frame_->SetRecentFileTexts(recentFiles_.MenuTexts());
    return true;
}

void CHalvexApp::RunAutomationCommands(std::vector<int> commands) {
    for (const int id : commands) {
        // A command may end the program (Exit): the rest are then dropped.
        if (!frame_ || !frame_->isVisible()) break;
        frame_->RouteCommand(id);
    }
    emit AutomationFinished();
}

bool CHalvexApp::Unregister() {
    QString file;
    bool cleared = false;
    {
        const std::unique_ptr<QSettings> settings = OpenAppSettings();
        file = settings->fileName();
        settings->clear();
        settings->sync();
        cleared = settings->status() == QSettings::NoError;
    }
    const bool removed = !QFileInfo::exists(file) || QFile::remove(file);
    // The organisation's folder goes too when nothing else is kept in it.
    QDir().rmdir(QFileInfo(file).absolutePath());
    return cleared && removed && !QFileInfo::exists(file);
}

void CHalvexApp::AddRecentFile(const QString& path) {
    recentFiles_.Add(path);
    SaveRecentFiles();
}

void CHalvexApp::SaveRecentFiles() {
    recentFiles_.Save(*OpenAppSettings());
    if (frame_) frame_->SetRecentFileTexts(recentFiles_.MenuTexts());
}

bool CHalvexApp::RefuseWhileTransferRuns() {
    CHalvexView* view = View();
    return view && halvex::RefuseWhileTransferRuns(view->Workers, view->Dialogs());
}

void CHalvexApp::OnFileNew() {
    if (RefuseWhileTransferRuns() || !document_->SaveModified()) return;
    document_->OnNewDocument();
}

void CHalvexApp::OnFileOpen() {
    if (RefuseWhileTransferRuns()) return;
    const QString path = ChooseFile(frame_.get(), FileDialogKind::Open);
    if (path.isEmpty()) return;
    OpenDocumentFile(path);
}

bool CHalvexApp::OpenDocumentFile(const QString& path) {
    if (RefuseWhileTransferRuns() || !document_->SaveModified()) return false;
    return document_->OnOpenDocument(path);
}

void CHalvexApp::OnOpenRecentFile(int index) {
    if (RefuseWhileTransferRuns()) return;
    if (index < 0 || index >= recentFiles_.Paths().size()) return;
    const QString path = recentFiles_.Paths()[index];
    if (!document_->SaveModified()) return;
    if (!document_->OnOpenDocument(path)) {
        recentFiles_.Remove(static_cast<int>(recentFiles_.Paths().indexOf(path)));
        SaveRecentFiles();
    }
}

void CHalvexApp::OnRecentFile(int id) { OnOpenRecentFile(id - ids::kFileMru1); }

bool CHalvexApp::HasRecentFile(int id) const {
    return id - ids::kFileMru1 < recentFiles_.Paths().size();
}

void CHalvexApp::OnFilePrintSetup() { ShowPrintSetup(frame_.get()); }

void CHalvexApp::OnAppExit() {
    if (frame_) frame_->close();
}

void CHalvexApp::OnAppAbout() {
    CAboutDlg about(frame_.get());
    about.exec();
}

}  // namespace halvex
