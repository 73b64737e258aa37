#include "editor/PrintPreviewWindow.h"

#include <QAction>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/AppSettings.h"
#include "editor/TextPrinting.h"

namespace halvex {
namespace {

constexpr int kMaxZoom = 2;
constexpr double kZoomStep = 1.6;

// A tool button shows its action's icon text, which Qt makes from the text by dropping "&" and
// "...". Given the whole text, the button reads as written and its mnemonic (Alt and the
// underlined letter) presses it.
void SetButtonText(QAction* action, const QString& text) {
    action->setText(text);
    action->setIconText(text);
}

// A button of the bar. The bar is a row of buttons rather than a tool bar, which would move the
// buttons that do not fit into a menu where their mnemonics no longer work: the row keeps the
// window at least as wide as all of them.
QAction* AddButton(QWidget* bar, const QString& text) {
    auto* action = new QAction(bar);
    SetButtonText(action, text);
    auto* button = new QToolButton(bar);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setDefaultAction(action);
    bar->layout()->addWidget(button);
    return action;
}

// The page point at the top-left of what `view` shows, or the pages' top-left corner when the
// view starts beside or above the pages (as the whole page in view does).
QPointF VisibleTopLeft(const QGraphicsView& view) {
    const QPointF shown = view.mapToScene(QPoint(0, 0));
    const QRectF pages = view.scene() ? view.scene()->itemsBoundingRect() : QRectF();
    if (pages.isEmpty()) return shown;
    return {std::clamp(shown.x(), pages.left(), pages.right()),
            std::clamp(shown.y(), pages.top(), pages.bottom())};
}

// Scrolls `view` so that the page point `anchor` is at its top-left, as far as it can scroll.
void ScrollToTopLeft(QGraphicsView& view, QPointF anchor) {
    const QPoint at = view.mapFromScene(anchor);
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() + at.x());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + at.y());
}

}  // namespace

PrintPreviewWindow::PrintPreviewWindow(QWidget* parent, QPrinter& printer, std::string text,
                                       const QString& title)
    : QDialog(parent), text_(std::move(text)), preview_(new QPrintPreviewWidget(&printer, this)) {
    setWindowTitle(title);
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    print_ = AddButton(bar, QStringLiteral("&Print..."));
    nextPage_ = AddButton(bar, QStringLiteral("&Next Page"));
    prevPage_ = AddButton(bar, QStringLiteral("Pre&v Page"));
    pages_ = AddButton(bar, QString());
    zoomIn_ = AddButton(bar, QStringLiteral("Zoom &In"));
    zoomOut_ = AddButton(bar, QStringLiteral("Zoom &Out"));
    close_ = AddButton(bar, QStringLiteral("&Close"));
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(preview_, 1);

    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* target) { PaintTextPages(*target, text_); });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewWindow::UpdateBar);
    connect(print_, &QAction::triggered, this, [this] {
        printRequested_ = true;
        accept();
    });
    connect(nextPage_, &QAction::triggered, this, [this] { GoToPage(CurrentPage() + 1); });
    connect(prevPage_, &QAction::triggered, this, [this] { GoToPage(CurrentPage() - 1); });
    connect(pages_, &QAction::triggered, this, &PrintPreviewWindow::TogglePages);
    connect(zoomIn_, &QAction::triggered, this, [this] { Zoom(+1); });
    connect(zoomOut_, &QAction::triggered, this, [this] { Zoom(-1); });
    connect(close_, &QAction::triggered, this, &QDialog::reject);
    new QShortcut(QKeySequence(Qt::Key_PageDown), this, [this] { GoToPage(CurrentPage() + 1); });
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, [this] { GoToPage(CurrentPage() - 1); });

    pagesShown_ = ReadPreviewPages();
    ApplyPages();
    if (parent) resize(parent->window()->size());
    preview_->updatePreview();
    UpdateBar();
}

int PrintPreviewWindow::CurrentPage() const { return preview_->currentPage(); }

int PrintPreviewWindow::PageCount() const { return preview_->pageCount(); }

void PrintPreviewWindow::GoToPage(int page) {
    if (page < 1 || page > PageCount()) return;
    preview_->setCurrentPage(page);
    UpdateBar();
}

void PrintPreviewWindow::TogglePages() {
    pagesShown_ = pagesShown_ == 1 ? 2 : 1;
    ApplyPages();
    UpdateBar();
}

void PrintPreviewWindow::ApplyPages() {
    preview_->setViewMode(pagesShown_ == 2 ? QPrintPreviewWidget::FacingPagesView
                                           : QPrintPreviewWidget::SinglePageView);
    if (zoomLevel_ == 0) preview_->fitInView();
}

void PrintPreviewWindow::Zoom(int step) {
    const int level = std::clamp(zoomLevel_ + step, 0, kMaxZoom);
    if (level == zoomLevel_) return;
    zoomLevel_ = level;
    // Zooming keeps the part of the page that was in view: the top-left of the view stays on the
    // same point of the page, where the text starts when the whole page was shown.
    QGraphicsView* view = preview_->findChild<QGraphicsView*>();
    const QPointF anchor = view ? VisibleTopLeft(*view) : QPointF();
    if (zoomLevel_ == 0) {
        preview_->fitInView();
    } else if (step > 0) {
        preview_->zoomIn(kZoomStep);
    } else {
        preview_->zoomOut(kZoomStep);
    }
    if (view && zoomLevel_ > 0) ScrollToTopLeft(*view, anchor);
    UpdateBar();
}

void PrintPreviewWindow::UpdateBar() {
    const int page = CurrentPage();
    nextPage_->setEnabled(page < PageCount());
    prevPage_->setEnabled(page > 1);
    SetButtonText(pages_,
                  pagesShown_ == 1 ? QStringLiteral("&Two Page") : QStringLiteral("&One Page"));
    zoomIn_->setEnabled(zoomLevel_ < kMaxZoom);
    zoomOut_->setEnabled(zoomLevel_ > 0);
}

void PrintPreviewWindow::done(int result) {
    WritePreviewPages(pagesShown_);
    QDialog::done(result);
}

}  // namespace halvex
