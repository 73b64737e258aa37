#pragma once
// The point plot window: a picture of the CASS point lines the editor holds, beside the main
// window and not modal. The title counts the points drawn ("Point Plot - N points"); below the
// picture the window lists the point lines it could not place and tells where the reading of the
// text stopped. It follows the editor: a change to the text is read again a moment later (changes
// in between are taken together), off the user-interface thread, and never takes the focus.
// Double-clicking a point, or a listed line, selects that line in the editor.

#include <QFutureWatcher>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "plot/PlotData.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPrinter;

namespace halvex {

class CHalvexView;
class PointPlotCanvas;

class PointPlotWindow : public QWidget {
    Q_OBJECT

public:
    // Longest time from a change of the text to the start of its reading.
    static constexpr int kFollowDelayMs = 250;

    // Reads the editor's text at once, so the first picture is complete.
    PointPlotWindow(CHalvexView* view, QWidget* parent);

    // Shows the window (beside `mainWindow` the first time), raised and active.
    void Present(QWidget* mainWindow);

    PointPlotCanvas* Canvas() const { return canvas_; }
    const PlotData& Data() const;
    QLabel* Summary() const { return summary_; }
    QListWidget* SkippedList() const { return skippedList_; }
    // True while a change of the text has not been shown yet.
    bool Following() const;

    // Writes the picture as shown: SVG for a name ending in ".svg", otherwise the raster format
    // its extension names (PNG when none). On failure `error` tells why.
    bool SaveImage(const QString& path, QString* error = nullptr) const;
    // Paints the picture onto a printer page, filling the page with the same scale.
    bool PrintOn(QPrinter& printer) const;
    // Selects the point's line in the editor and scrolls it into view; false, selecting nothing,
    // when the text has changed there since it was read.
    bool SelectPointLine(std::size_t point);

private:
    void BuildLayout();
    void OnEditorChanged();
    void StartReading();
    void OnReadingFinished();
    void ShowData(std::shared_ptr<const PlotData> data);
    void ShowSummary(const PlotData& data);
    bool SelectLine(const TextLine& line);
    void OnSkippedActivated(QListWidgetItem* item);
    void SaveWithDialog();
    void PrintWithDialog();
    void PlaceBeside(QWidget* mainWindow);

    QPointer<CHalvexView> view_;
    PointPlotCanvas* canvas_ = nullptr;
    QLabel* summary_ = nullptr;
    QListWidget* skippedList_ = nullptr;
    QTimer followTimer_;
    QFutureWatcher<std::shared_ptr<const PlotData>> reading_;
    bool readingBusy_ = false;  // from the start of a reading until its result is shown
    bool readAgain_ = false;
    bool placed_ = false;
    QString lastSavePath_;
};

// "Point Plot - N points".
QString PointPlotTitle(std::size_t points);

}  // namespace halvex
