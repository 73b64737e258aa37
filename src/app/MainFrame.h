#pragma once
// The main window: menu bar, toolbar, the editor view and the status bar, and the routing of
// every command (menu item, key, toolbar button, automation) to the view, the document, the
// main window and the application in turn.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "app/LockKeys.h"
#include "app/SerialDeviceList.h"
#include "app/TransferProgressPane.h"
#include "editor/CommandTarget.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace halvex {

class CHalvexDoc;
class CHalvexView;
class PointPlotWindow;

class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    explicit CMainFrame(CHalvexDoc* document);
    ~CMainFrame() override;

    // Creates the view, toolbar and status bar; false when any of them could not be created.
    bool Create();
    // The application is the last stop of the routing.
    void SetApplicationTarget(CommandTarget* application) { application_ = application; }

    // Sends a command along the route; false when nobody handles the id. A disabled command is
    // handled by not being carried out.
    bool RouteCommand(int id);
    // The first handler on the route for `id`, nullptr when there is none.
    const CommandHandler* FindHandler(int id) const;
    // Enables, disables and checks the menu items and buttons as their handlers say.
    void UpdateCommandUi();

    // Replaces the recent-file entries of the File menu ("Recent File", greyed, when empty).
    void SetRecentFileTexts(const QStringList& texts);

    CHalvexView* View() const { return view_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QLabel* MessagePane() const { return messagePane_; }
    QLabel* IndicatorPane(int index) const { return indicators_[index]; }
    // How far the running transfer has got; hidden when none runs.
    TransferProgressPane* ProgressPane() const { return progressPane_; }
    // The menu item or button action of a command id (nullptr when it has none).
    QAction* ActionFor(int id) const;
    QString IdleMessage() const { return QStringLiteral("Ready"); }

    // Replaces the lock-key reader (for tests); the indicators are refreshed at once.
    void SetLockKeyReader(std::function<LockKeyState()> reader);
    void RefreshIndicators();

    const CommandHandler* FindCommandHandler(int id) const override;

    // The main window's rows of the command table name these.
    Q_INVOKABLE void OnViewToolbar();
    Q_INVOKABLE bool ToolbarShown() const;
    Q_INVOKABLE void OnViewStatusBar();
    Q_INVOKABLE bool StatusBarShown() const;
    // Comm > Serial Ports...: the dialog that maps COM1..COM6 to devices.
    Q_INVOKABLE void OnSerialPorts();
    // Window > Point Plot: opens the plot, or raises it when it is open.
    Q_INVOKABLE void OnWindowPointPlot();
    // Next and previous pane (F6, Shift+F6): a single pane, so never enabled.
    Q_INVOKABLE void OnOtherPane();
    Q_INVOKABLE bool HasOtherPane() const;
    // Replaces the list of serial devices the dialog offers (for tests).
    void SetSerialDeviceList(std::unique_ptr<SerialDeviceList> devices);
    // The point plot window while it is open, else nullptr.
    PointPlotWindow* PointPlot() const;

    // Test hook: the next Create() fails as if a window could not be made.
    static void FailNextCreateForTesting();

signals:
    // A command is about to be carried out.
    void CommandExecuted(int id);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();
    QAction* MakeAction(int id, const QString& text);
    void ShowPrompt(const QAction* action);
    void ShowIdle();
    void ScheduleCommandUiUpdate();
    // Starts following a transfer worker that has just started; the pane is refreshed until it
    // ends.
    void FollowTransfer();
    void RefreshProgress();
    // The summary of a completed transfer, in the status bar for a few seconds.
    void ShowTransferSummary();
    // Closing while a transfer runs: true when the user agrees to stop it.
    bool AgreeToStopTransfer();
    void UpdateTitle(const QString& documentTitle);

    CHalvexDoc* document_;
    CHalvexView* view_ = nullptr;
    CommandTarget* application_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;  // the separator after the recent-file entries
    QLabel* messagePane_ = nullptr;
    QLabel* indicators_[3] = {};
    TransferProgressPane* progressPane_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QAction*> recentActions_;
    CommandMap commands_;
    std::function<LockKeyState()> lockKeyReader_;
    std::unique_ptr<SerialDeviceList> serialDevices_;
    bool updatePending_ = false;
    QPointer<PointPlotWindow> pointPlot_;
};

}  // namespace halvex
