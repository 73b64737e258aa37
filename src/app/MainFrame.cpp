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
#include <algorithm>
#include <utility>
#include <vector>

#include "app/ApplicationIcon.h"
#include "app/SerialPortsDlg.h"
#include "editor/ButtonImages.h"
#include "editor/CommandBinding.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/MessageBoxes.h"
#include "plot/PointPlotWindow.h"
#include "transfers/ProgressText.h"

namespace halvex {
namespace {

bool& FailNextCreate() {
    static bool fail = false;
    return fail;
}

const char* const kIndicatorTexts[] = {"CAP", "NUM", "SCRL"};
constexpr int kIndicatorPollMs = 250;

QString Latin1(const char* text) { return text ? QString::fromLatin1(text) : QString(); }

// The rows with a toolbar button, in the toolbar's order.
std::vector<const CommandRow*> ToolbarRows() {
    std::vector<const CommandRow*> rows;
    ForEachCommandRow([&](const CommandRow& row) {
        if (row.button.group > 0) rows.push_back(&row);
    });
    std::stable_sort(rows.begin(), rows.end(), [](const CommandRow* a, const CommandRow* b) {
        return std::pair(a->button.group, a->button.place) <
               std::pair(b->button.group, b->button.place);
    });
    return rows;
}

}  // namespace

void CMainFrame::FailNextCreateForTesting() { FailNextCreate() = true; }

CMainFrame::CMainFrame(CHalvexDoc* document)
    : document_(document),
      lockKeyReader_(&ReadLockKeys),
      serialDevices_(std::make_unique<SystemSerialDevices>()) {
    setWindowTitle(QStringLiteral("Untitled - Veltra"));
    setWindowIcon(ApplicationIcon());
    BindCommands(*this, CommandReceiver::MainWindow, commands_);
    // The main window answers the Brenno and Corvane downloads too, with no action: the view
    // comes first on the route, so its handlers are the ones that run.
    commands_.Add(ids::kDownloadBrenno, {[] {}, {}, {}});
    commands_.Add(ids::kDownloadCorvane, {[] {}, {}, {}});
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
    if (const CommandRow* row = FindCommandRow(id)) {
        if (row->tooltip) action->setToolTip(QString::fromLatin1(row->tooltip));
        action->setStatusTip(Latin1(row->prompt));
        action->setCheckable(row->IsCheckable());
    }
    // The text after the TAB is a label only: the action gets no shortcut of its own.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, id] { RouteCommand(id); });
    connect(action, &QAction::hovered, this, [this, action] { ShowPrompt(action); });
    return action;
}

void CMainFrame::CreateMenus() {
    for (const CommandMenu& definition : CommandMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(definition.title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
        connect(menu, &QMenu::aboutToHide, this, &CMainFrame::ShowIdle);
        for (const CommandRow& row : definition.rows) {
            if (row.IsSeparator()) {
                QAction* separator = menu->addSeparator();
                if (menu == fileMenu_ && recentActions_.size() == 1 && !recentAnchor_) {
                    recentAnchor_ = separator;
                }
                continue;
            }
            QAction* action = MakeAction(row.id, QString::fromLatin1(row.text));
            menu->addAction(action);
            actions_[row.id] = action;
            if (row.id == ids::kFileMru1) {
                fileMenu_ = menu;
                recentActions_[row.id] = action;
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
    int group = 0;
    for (const CommandRow* row : ToolbarRows()) {
        if (group != 0 && row->button.group != group) toolBar_->addSeparator();
        group = row->button.group;
        // A button is its menu item's action.
        QAction* action = actions_.at(row->id);
        action->setIcon(ButtonIcon(row->button.image));
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
    ForEachCommandRow([this](const CommandRow& row) {
        for (const QKeyCombination key : row.keys) {
            if (key.key() == Qt::Key_unknown) continue;
            auto* shortcut = new QShortcut(QKeySequence(key), this);
            shortcut->setContext(Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this,
                    [this, id = row.id] { RouteCommand(id); });
        }
    });
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
    // A transfer that failed or was stopped has said so in its own message box; where its line
    // went is still worth saying.
    constexpr int kSummaryMs = 8000;
    const ProgressSnapshot last = view_->Workers.Progress().Snapshot();
    std::string summary =
        last.outcome == TransferOutcome::Completed ? DescribeTransferEnd(last) : std::string();
    const std::string trace = view_->Traces().TakeLastNote();
    if (trace.empty()) {
        if (!summary.empty()) statusBar()->showMessage(QString::fromStdString(summary), kSummaryMs);
        return;
    }
    // The trace's path stays until another message takes its place, so it can be copied down.
    if (!summary.empty()) summary += ". ";
    statusBar()->showMessage(QString::fromStdString(summary + trace));
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
    const QStringList shown =
        texts.isEmpty() ? QStringList{Latin1(FindCommandRow(ids::kFileMru1)->text)} : texts;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const int id = ids::kFileMru1 + static_cast<int>(i);
        QAction* action = MakeAction(id, shown[i]);
        fileMenu_->insertAction(recentAnchor_, action);
        recentActions_[id] = action;
        actions_[id] = action;
    }
    UpdateCommandUi();
}

void CMainFrame::ShowPrompt(const QAction* action) { messagePane_->setText(action->statusTip()); }

void CMainFrame::ShowIdle() { messagePane_->setText(IdleMessage()); }

void CMainFrame::UpdateTitle(const QString& documentTitle) {
    setWindowTitle(documentTitle + QStringLiteral(" - Veltra"));
}

PointPlotWindow* CMainFrame::PointPlot() const { return pointPlot_.data(); }

void CMainFrame::OnViewToolbar() { toolBar_->setVisible(toolBar_->isHidden()); }

bool CMainFrame::ToolbarShown() const { return !toolBar_->isHidden(); }

void CMainFrame::OnViewStatusBar() { statusBar()->setVisible(statusBar()->isHidden()); }

bool CMainFrame::StatusBarShown() const { return !statusBar()->isHidden(); }

void CMainFrame::OnOtherPane() {}

bool CMainFrame::HasOtherPane() const { return false; }

void CMainFrame::OnWindowPointPlot() {
    if (!pointPlot_) pointPlot_ = new PointPlotWindow(view_, this);
    pointPlot_->Present(this);
}

bool CMainFrame::event(QEvent* event) {
    // The message pane shows the prompt of the hovered item or button; Qt's own status tips
    // would put it in the status bar's temporary message instead, and empty texts on leaving.
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
