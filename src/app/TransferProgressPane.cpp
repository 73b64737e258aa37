#include "app/TransferProgressPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

#include "transfers/ProgressText.h"

namespace halvex {

namespace {
constexpr int kBarSteps = 1000;
}  // namespace

TransferProgressPane::TransferProgressPane(QWidget* parent)
    : QWidget(parent), text_(new QLabel(this)), bar_(new QProgressBar(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    bar_->setRange(0, kBarSteps);
    bar_->setTextVisible(false);
    bar_->setMaximumWidth(120);
    bar_->setMaximumHeight(text_->sizeHint().height());
    hide();
}

void TransferProgressPane::ShowProgress(const ProgressSnapshot& progress) {
    text_->setText(QString::fromStdString(DescribeProgress(progress)));
    const bool upload = progress.kind == TransferKind::Upload && progress.recordsTotal > 0;
    bar_->setVisible(upload);
    if (upload) {
        bar_->setValue(static_cast<int>(progress.recordsSent * kBarSteps / progress.recordsTotal));
    }
}

}  // namespace halvex
