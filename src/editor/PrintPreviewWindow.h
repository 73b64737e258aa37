#pragma once
// Print preview: the printed pages with a bar of its own ("&Print...", "&Next Page",
// "Pre&v Page", "&One Page"/"&Two Page", "Zoom &In", "Zoom &Out", "&Close"). Page Down shows
// the next page, Page Up the previous one, Escape closes. It starts with the number of pages
// side by side kept in the settings and stores the number in use when it closes.

#include <QDialog>
#include <functional>
#include <string>

class QAction;
class QPrintPreviewWidget;
class QPrinter;

namespace halvex {

class PrintPreviewWindow : public QDialog {
    Q_OBJECT

public:
    PrintPreviewWindow(QWidget* parent, QPrinter& printer, std::string text, const QString& title);

    // True when the user chose "&Print..." (the preview then closes).
    bool PrintRequested() const { return printRequested_; }
    int CurrentPage() const;
    int PageCount() const;
    int PagesShown() const { return pagesShown_; }
    int ZoomLevel() const { return zoomLevel_; }

    QAction* PrintAction() const { return print_; }
    QAction* NextPageAction() const { return nextPage_; }
    QAction* PrevPageAction() const { return prevPage_; }
    QAction* PagesAction() const { return pages_; }
    QAction* ZoomInAction() const { return zoomIn_; }
    QAction* ZoomOutAction() const { return zoomOut_; }
    QAction* CloseAction() const { return close_; }

    void done(int result) override;

private:
    void GoToPage(int page);
    void TogglePages();
    void Zoom(int step);
    void ApplyPages();
    void UpdateBar();

    std::string text_;
    QPrintPreviewWidget* preview_;
    QAction* print_;
    QAction* nextPage_;
    QAction* prevPage_;
    QAction* pages_;
    QAction* zoomIn_;
    QAction* zoomOut_;
    QAction* close_;
    int pagesShown_ = 1;
    int zoomLevel_ = 0;  // 0 whole page, up to kMaxZoom
    bool printRequested_ = false;
};

}  // namespace halvex
