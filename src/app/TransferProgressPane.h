#pragma once
// The status bar's pane that shows how far the running transfer has got: lines, bytes and rate
// of a download; the record under way, a progress bar and the time left of an upload. It reads
// the worker's published counts, never waits for the worker, and is hidden when no transfer runs.

#include <QWidget>

#include "transfers/TransferProgress.h"

class QLabel;
class QProgressBar;

namespace halvex {

class TransferProgressPane : public QWidget {
    Q_OBJECT

public:
    explicit TransferProgressPane(QWidget* parent = nullptr);

    void ShowProgress(const ProgressSnapshot& progress);

    QLabel* Text() const { return text_; }
    QProgressBar* Bar() const { return bar_; }

private:
    QLabel* text_;
    QProgressBar* bar_;
};

}  // namespace halvex
