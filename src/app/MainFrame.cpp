#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/CommandTable.h"
#include "plot/PointPlotWindow.h"
#include "app/SerialPortsDlg.h"
#include "app/ToolbarIcons.h"
#include "editor/CommandIds.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/MessageBoxes.h"
#include "transfers/ProgressText.h"

namespace halvex {
namespace {

bool& FailNextCreate() {
    static bool fail = false;
    return fail;
}

const char* const kIndicatorTexts[] = {"CAP", "NUM", "SCRL"};
constexpr int kIndicatorPollMs = 250;

QString CommandText(int id) {
    const CommandInfo* info = FindCommandInfo(id);
    return info && info->menuText ? QString::fromLatin1(info->menuText) : QString();
}

}  // namespace

void CMainFrame::FailNextCreateForTesting() { FailNextCreate() = true; }

CMainFrame::CMainFrame(CHalvexDoc* document)
    : document_(document),
      lockKeyReader_(&ReadLockKeys),
      serialDevices_(std::make_unique<SystemSerialDevices>()) {
    setWindowTitle(QStringLiteral("Untitled - Veltra"));
    setWindowIcon(ApplicationIcon());
    commands_.Add(ids::kViewToolbar,
                  {[this] { toolBar_->setVisible(toolBar_->isHidden()); }, {},
                   [this] { return !toolBar_->isHidden(); }});
    commands_.Add(ids::kViewStatusBar,
                  {[this] { statusBar()->setVisible(statusBar()->isHidden()); }, {},
                   [this] { return !statusBar()->isHidden(); }});
    // The view answers these first; the main window's own handlers do nothing.
    commands_.Add(ids::kDownloadBrenno, {[] {}, {}, {}});
    commands_.Add(ids::kDownloadCorvane, {[] {}, {}, {}});
    commands_.Add(ids::kSerialPorts, {[this] { OnSerialPorts(); }, {}, {}});
    // A single pane: there is no other pane to go to.
    commands_.Add(ids::kNextPane, {[] {}, [] { return false; }, {}});
    commands_.Add(ids::kPrevPane, {[] {}, [] { return false; }, {}});
    commands_.Add(ids::kWindowPointPlot, {[this] { OnWindowPointPlot(); }, {}, {}});
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create() {
    if (FailNextCreate()) {
        FailNextCreate() = false;
        return false;
    }
    view_ = new CHalvexView(document_, this);
    setCentralWidget(view_);
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
    CreateAccelerators();

    connect(document_, &CHalvexDoc::TitleChanged, this, &CMainFrame::UpdateTitle);
    connect(view_, &CHalvexView::CommandStateChanged, this, &CMainFrame::ScheduleCommandUiUpdate);
    UpdateTitle(document_->GetTitle());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        resize(screen->availableGeometry().size() * 2 / 3);
    }
    UpdateCommandUi();
    return true;
}

QAction* CMainFrame::MakeAction(int id, const QString& text) {
    auto* action = new QAction(text, this);
    const CommandInfo* info = FindCommandInfo(id);
    if (info && info->tooltip) action->setToolTip(QString::fromLatin1(info->tooltip));
    // The text after the TAB is a label only: the action gets no shortcut of its own.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, id] { RouteCommand(id); });
    connect(action, &QAction::hovered, this, [this, id] { ShowPrompt(id); });
    return action;
}

void CMainFrame::CreateMenus() {
    for (const MenuDefinition& definition : MenuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(definition.title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
        connect(menu, &QMenu::aboutToHide, this, &CMainFrame::ShowIdle);
        for (const int id : definition.items) {
            if (id == kSeparator) {
                QAction* separator = menu->addSeparator();
                if (menu == fileMenu_ && recentActions_.size() == 1 && !recentAnchor_) {
                    recentAnchor_ = separator;
                }
                continue;
            }
            QAction* action = MakeAction(id, CommandText(id));
            if (id == ids::kViewToolbar || id == ids::kViewStatusBar) action->setCheckable(true);
            menu->addAction(action);
            actions_[id] = action;
            if (id == ids::kFileMru1) {
                fileMenu_ = menu;
                recentActions_[id] = action;
            }
        }
    }
}

void CMainFrame::CreateToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Standard"), this);
    toolBar_->setObjectName(QStringLiteral("Standard"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int id : ToolbarLayout()) {
        if (id == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(id);
        action->setIcon(ToolbarIcon(id));
        toolBar_->addAction(action);
        if (QWidget* button = toolBar_->widgetForAction(action)) button->installEventFilter(this);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::ScheduleCommandUiUpdate);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    messagePane_ = new QLabel(IdleMessage(), bar);
    bar->addWidget(messagePane_, 1);
    progressPane_ = new TransferProgressPane(bar);
    bar->addPermanentWidget(progressPane_);
    progressTimer_ = new QTimer(this);
    // At most ten refreshes a second: the counts are read, never waited for.
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, &CMainFrame::RefreshProgress);
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(bar);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        const QString text = QString::fromLatin1(kIndicatorTexts[i]);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 8);
        bar->addPermanentWidget(pane);
        indicators_[i] = pane;
    }
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &CMainFrame::RefreshIndicators);
    poll->start(kIndicatorPollMs);
    RefreshIndicators();
}

void CMainFrame::CreateAccelerators() {
    for (const Accelerator& accelerator : AcceleratorTable()) {
        auto* shortcut = new QShortcut(accelerator.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { RouteCommand(id); });
    }
    // Escape stops a running transfer (and does nothing otherwise).
    auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stop->setContext(Qt::WindowShortcut);
    connect(stop, &QShortcut::activated, this, [this] { RouteCommand(ids::kStopTransfer); });
}

void CMainFrame::SetLockKeyReader(std::function<LockKeyState()> reader) {
    lockKeyReader_ = std::move(reader);
    RefreshIndicators();
}

void CMainFrame::RefreshIndicators() {
    if (!lockKeyReader_ || !indicators_[0]) return;
    const LockKeyState state = lockKeyReader_();
    const bool on[] = {state.caps, state.num, state.scroll};
    for (int i = 0; i < 3; ++i) {
        const QString text = on[i] ? QString::fromLatin1(kIndicatorTexts[i]) : QString();
        if (indicators_[i]->text() != text) indicators_[i]->setText(text);
    }
}

const CommandHandler* CMainFrame::FindCommandHandler(int id) const { return commands_.Find(id); }

void CMainFrame::SetSerialDeviceList(std::unique_ptr<SerialDeviceList> devices) {
    serialDevices_ = std::move(devices);
}

void CMainFrame::OnSerialPorts() {
    CSerialPortsDlg dialog(view_->ChosenPorts(), *serialDevices_, ProcessEnvironment, this);
    dialog.exec();
}

const CommandHandler* CMainFrame::FindHandler(int id) const {
    const CommandTarget* route[] = {view_, document_, this, application_};
    for (const CommandTarget* target : route) {
        if (!target) continue;
        if (const CommandHandler* handler = target->FindCommandHandler(id)) return handler;
    }
    return nullptr;
}

bool CMainFrame::RouteCommand(int id) {
    const CommandHandler* handler = FindHandler(id);
    if (!handler) return false;
    if (handler->IsEnabled()) {
        emit CommandExecuted(id);
        // The handler may replace the route's handlers (the recent-file list), so run a copy.
        const std::function<void()> run = handler->run;
        run();
    }
    UpdateCommandUi();
    return true;
}

QAction* CMainFrame::ActionFor(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::UpdateCommandUi() {
    updatePending_ = false;
    for (const auto& [id, action] : actions_) {
        const CommandHandler* handler = FindHandler(id);
        action->setEnabled(handler && handler->IsEnabled());
        if (action->isCheckable()) action->setChecked(handler && handler->IsChecked());
    }
    FollowTransfer();
}

void CMainFrame::FollowTransfer() {
    if (!view_ || !progressTimer_ || progressTimer_->isActive() || !view_->TransferRunning()) {
        return;
    }
    progressTimer_->start();
    RefreshProgress();
}

void CMainFrame::RefreshProgress() {
    // The pane and Stop Transfer come once the worker's port is open.
    const bool underWay = view_->TransferUnderWay();
    if (underWay) progressPane_->ShowProgress(view_->Workers.Progress().Snapshot());
    progressPane_->setVisible(underWay);
    if (QAction* stop = ActionFor(ids::kStopTransfer); stop && stop->isEnabled() != underWay) {
        UpdateCommandUi();
    }
    if (view_->TransferRunning()) return;
    // The worker has ended: the pane goes, and Stop Transfer is disabled again.
    progressTimer_->stop();
    UpdateCommandUi();
    ShowTransferSummary();
}

void CMainFrame::ShowTransferSummary() {
    // A transfer that failed or was stopped has said so in its own message box.
    constexpr int kSummaryMs = 8000;
    const ProgressSnapshot last = view_->Workers.Progress().Snapshot();
    if (last.outcome != TransferOutcome::Completed) return;
    statusBar()->showMessage(QString::fromStdString(DescribeTransferEnd(last)), kSummaryMs);
}

void CMainFrame::ScheduleCommandUiUpdate() {
    if (updatePending_) return;
    updatePending_ = true;
    // Coalesced over a short interval: a download changes the text tens of thousands of times a
    // second, and recomputing every command's state after each change would slow it down.
    constexpr int kCommandUiDelayMs = 20;
    QTimer::singleShot(kCommandUiDelayMs, this, &CMainFrame::UpdateCommandUi);
}

void CMainFrame::SetRecentFileTexts(const QStringList& texts) {
    if (!fileMenu_ || !recentAnchor_) return;
    for (auto& [id, action] : recentActions_) {
        actions_.erase(id);
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const QStringList shown = texts.isEmpty() ? QStringList{CommandText(ids::kFileMru1)} : texts;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const int id = ids::kFileMru1 + static_cast<int>(i);
        QAction* action = MakeAction(id, shown[i]);
        fileMenu_->insertAction(recentAnchor_, action);
        recentActions_[id] = action;
        actions_[id] = action;
    }
    UpdateCommandUi();
}

void CMainFrame::ShowPrompt(int id) {
    const CommandInfo* info = FindCommandInfo(id);
    messagePane_->setText(info && info->prompt ? QString::fromLatin1(info->prompt) : QString());
}

void CMainFrame::ShowIdle() { messagePane_->setText(IdleMessage()); }

void CMainFrame::UpdateTitle(const QString& documentTitle) {
    setWindowTitle(documentTitle + QStringLiteral(" - Veltra"));
}

PointPlotWindow* CMainFrame::PointPlot() const { return pointPlot_.data(); }

void CMainFrame::OnWindowPointPlot() {
    if (!pointPlot_) pointPlot_ = new PointPlotWindow(view_, this);
    pointPlot_->Present(this);
}

bool CMainFrame::event(QEvent* event) {
    // The message pane shows the command table's prompts; Qt's own status tips would overwrite
    // it with empty texts.
    if (event->type() == QEvent::StatusTip) return true;
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Leave && qobject_cast<QToolButton*>(watched)) ShowIdle();
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::AgreeToStopTransfer() {
    if (!view_ || !view_->TransferRunning()) return true;
    const bool stop =
        ShowBox(this, {QStringLiteral("A transfer is still running. Stop it and quit?"),
                       QString::fromLatin1(kProgramCaption), BoxButtons::YesNo,
                       MessageIcon::None}) == BoxAnswer::Yes;
    // The user has asked to quit: the transfer ends without its own report.
    if (stop) view_->Workers.StopAll(StopNotice::Silent);
    return stop;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if ((view_ && !view_->CanShutDownNow()) || !AgreeToStopTransfer() ||
        !document_->SaveModified()) {
        event->ignore();
        return;
    }
    if (view_) view_->BeginShutdown();
    event->accept();
}

}  // namespace halvex
