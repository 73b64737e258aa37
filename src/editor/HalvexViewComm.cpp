// The communication-parameter, download, stop and line-trace commands of the view.
#include <QUrl>
#include <filesystem>
#include <system_error>

#include "editor/AppSettings.h"
#include "editor/HalvexView.h"
#include "editor/ParameterDialog.h"
#include "transfers/DownloadCommand.h"

namespace halvex {

namespace {

// The worker is given its family when it starts; the view keeps nothing of it.
void RunDownload(CHalvexView& view, InstrumentFamily family) {
    RunDownloadCommand(family, view.MakeTransferEnvironment());
}

}  // namespace

void CHalvexView::OnParameter() {
    if (auto confirmed = EditParameters(this, CommSettings.Load())) CommSettings.Store(*confirmed);
}

void CHalvexView::OnDownloadTamsel() { RunDownload(*this, InstrumentFamily::Tamsel); }

void CHalvexView::OnDownloadBrenno() { RunDownload(*this, InstrumentFamily::Brenno); }

void CHalvexView::OnDownloadCorvane() { RunDownload(*this, InstrumentFamily::Corvane); }

void CHalvexView::OnStopTransfer() { Workers.StopAll(StopNotice::Report); }

void CHalvexView::OnLineTrace() {
    traces_.SetEnabled(!traces_.Enabled());
    WriteTraceEnabled(traces_.Enabled());
}

void CHalvexView::OnOpenTraceFolder() {
    const std::filesystem::path& folder = traces_.Folder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);  // a file manager shows only a folder
    const QString path = QString::fromStdString(folder.string());
    if (urlOpener_(QUrl::fromLocalFile(path))) return;
    ShowAppMessage(this, QStringLiteral("The folder of the line traces, %1, could not be opened: "
                                        "no file manager was found. Open it in one yourself.")
                             .arg(path));
}

}  // namespace halvex
