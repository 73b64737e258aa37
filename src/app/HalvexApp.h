#pragma once
// The application: start-up (settings, command line, main window), the application-level
// commands (New, Open, Print Setup, the recent files, Exit, About) and the settings store.
//
// It is not the QApplication itself, so that tests can run the whole start-up in-process.

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/RecentFileList.h"
#include "editor/CommandTarget.h"

namespace halvex {

class CHalvexDoc;
class CHalvexView;
class CMainFrame;

class CHalvexApp : public QObject, public CommandTarget {
    Q_OBJECT

public:
    CHalvexApp();
    ~CHalvexApp() override;

    // Runs the start-up with the command line (without the program name). True when the main
    // window is shown and the event loop should run; false when the program is to end, with
    // ExitCode() telling how.
    bool InitInstance(const QStringList& arguments);
    int ExitCode() const { return exitCode_; }

    CMainFrame* MainFrame() const { return frame_.get(); }
    CHalvexDoc* Document() const { return document_; }
    CHalvexView* View() const;
    const RecentFileList& RecentFiles() const { return recentFiles_; }

    // Application commands: the application's rows of the command table name them.
    Q_INVOKABLE void OnFileNew();
    Q_INVOKABLE void OnFileOpen();
    // Opens `path` after the save prompt; false when it was not opened.
    bool OpenDocumentFile(const QString& path);
    void OnOpenRecentFile(int index);
    // The recent file of command `id` (57616 to 57619), and whether the list holds it.
    Q_INVOKABLE void OnRecentFile(int id);
    Q_INVOKABLE bool HasRecentFile(int id) const;
    Q_INVOKABLE void OnFilePrintSetup();
    Q_INVOKABLE void OnAppExit();
    Q_INVOKABLE void OnAppAbout();

    const CommandHandler* FindCommandHandler(int id) const override;

    // The two reports of the unregister switch.
    static QString UnregisteredMessage();
    static QString NotUnregisteredMessage();

signals:
    // Every automation command given on the command line has been carried out.
    void AutomationFinished();

private:
    bool CreateMainFrame();
    // A transfer writes into the editor: New and Open would mix its lines into another
    // document. True (after telling the user) while one runs.
    bool RefuseWhileTransferRuns();
    bool Unregister();
    void AddRecentFile(const QString& path);
    void SaveRecentFiles();
    void RunAutomationCommands(std::vector<int> commands);

    std::unique_ptr<CMainFrame> frame_;
    CHalvexDoc* document_;
    RecentFileList recentFiles_;
    CommandMap commands_;
    int exitCode_ = 0;
};

}  // namespace halvex
