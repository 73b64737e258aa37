#include "plot/PointPlotWindow.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "convert/FileWrite.h"
#include "editor/ByteEditor.h"
#include "editor/HalvexView.h"
#include "editor/MessageBoxes.h"
#include "editor/TextPrinting.h"
#include "plot/PlotPainter.h"
#include "plot/PointPlotCanvas.h"

namespace halvex {

namespace {

constexpr int kSkippedListHeight = 110;
constexpr int kLongestListedLine = 120;
// The list is rebuilt at every reading, on the user-interface thread: a text of nothing but bad
// lines must not make that slow.
constexpr std::size_t kMostListed = 1000;

QString Latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// "east is not a number", "north and height are not numbers", "east, north and height are not
// numbers".
QString NotANumberReason(const SkippedPointLine& skipped) {
    QStringList names;
    if (!skipped.eastIsNumber) names << QStringLiteral("east");
    if (!skipped.northIsNumber) names << QStringLiteral("north");
    if (!skipped.heightIsNumber) names << QStringLiteral("height");
    if (names.size() == 1) return names.front() + QStringLiteral(" is not a number");
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last +
           QStringLiteral(" are not numbers");
}

QString SkippedEntry(const PlotData& data, const SkippedPointLine& skipped) {
    QString line = Latin1(data.LineText(skipped.line));
    if (line.size() > kLongestListedLine)
        line = line.left(kLongestListedLine) + QStringLiteral("...");
    return QStringLiteral("Line %1 (%2): %3")
        .arg(skipped.editorLine)
        .arg(NotANumberReason(skipped), line);
}

QString ScanEndNote(const CassPointScan& scan) {
    switch (scan.end) {
        case ScanEnd::EmptyLine:
            return QStringLiteral(
                       "Reading stopped at the empty line %1: the lines after it are not plotted, "
                       "and the DXF export leaves them out too. Remove the empty line to "
                       "include them.")
                .arg(scan.endLine);
        case ScanEnd::UnendedText:
            return QStringLiteral(
                       "Line %1 and the lines after it do not end in CR LF, so they are not "
                       "plotted, and the DXF export leaves them out too.")
                .arg(scan.endLine);
        case ScanEnd::Complete:
            break;
    }
    return {};
}

QString SkippedNote(std::size_t skipped) {
    if (skipped == 1)
        return QStringLiteral("1 point line was skipped because a coordinate is not a number:");
    return QStringLiteral("%1 point lines were skipped because a coordinate is not a number:")
        .arg(skipped);
}

// Through the program's one file writer, as the document and the DXF export are saved.
bool WriteFileBytes(const QString& path, const QByteArray& bytes, QString* error) {
    const FileWriteResult written =
        WriteWholeFile(QFile::encodeName(path).toStdString(),
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok && error) *error = QString::fromLocal8Bit(written.error);
    return written.ok;
}

}  // namespace

QString PointPlotTitle(std::size_t points) {
    return QStringLiteral("Point Plot - %1 points").arg(points);
}

PointPlotWindow::PointPlotWindow(CHalvexView* view, QWidget* parent)
    : QWidget(parent, Qt::Window), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    BuildLayout();
    followTimer_.setSingleShot(true);
    followTimer_.setInterval(kFollowDelayMs);
    connect(&followTimer_, &QTimer::timeout, this, &PointPlotWindow::StartReading);
    connect(&reading_, &QFutureWatcherBase::finished, this, &PointPlotWindow::OnReadingFinished);
    if (view_) {
        connect(view_->Editor(), &ByteEditor::BytesChanged, this,
                &PointPlotWindow::OnEditorChanged);
        ShowData(ReadPlotData(view_->Editor()->Bytes()));
    } else {
        ShowData(ReadPlotData({}));
    }
}

void PointPlotWindow::BuildLayout() {
    auto* fit = new QPushButton(QStringLiteral("Fit all"), this);
    auto* save = new QPushButton(QStringLiteral("Save..."), this);
    auto* print = new QPushButton(QStringLiteral("Print..."), this);
    for (QPushButton* button : {fit, save, print}) button->setFocusPolicy(Qt::TabFocus);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fit);
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addStretch(1);

    canvas_ = new PointPlotCanvas(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);
    skippedList_ = new QListWidget(this);
    skippedList_->setUniformItemSizes(true);
    skippedList_->setMaximumHeight(kSkippedListHeight);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(canvas_, 1);
    layout->addWidget(summary_);
    layout->addWidget(skippedList_);

    connect(fit, &QPushButton::clicked, canvas_, &PointPlotCanvas::FitAll);
    connect(save, &QPushButton::clicked, this, &PointPlotWindow::SaveWithDialog);
    connect(print, &QPushButton::clicked, this, &PointPlotWindow::PrintWithDialog);
    connect(canvas_, &PointPlotCanvas::PointActivated, this, &PointPlotWindow::SelectPointLine);
    connect(skippedList_, &QListWidget::itemActivated, this, &PointPlotWindow::OnSkippedActivated);
    canvas_->setFocus();
}

const PlotData& PointPlotWindow::Data() const { return canvas_->Data(); }

bool PointPlotWindow::Following() const { return followTimer_.isActive() || readingBusy_; }

void PointPlotWindow::Present(QWidget* mainWindow) {
    if (!placed_) PlaceBeside(mainWindow);
    placed_ = true;
    show();
    raise();
    activateWindow();
}

void PointPlotWindow::PlaceBeside(QWidget* mainWindow) {
    const QScreen* screen = mainWindow ? mainWindow->screen() : this->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size(std::min(720, room.width() / 2), std::min(640, room.height() * 3 / 4));
    resize(size);
    if (!mainWindow) return;
    const QRect main = mainWindow->frameGeometry();
    int x = main.right() + 1;
    if (x + size.width() > room.right()) x = main.left() - size.width();
    if (x < room.left()) x = room.right() - size.width();
    const int y =
        std::clamp(main.top(), room.top(), std::max(room.top(), room.bottom() - size.height()));
    move(x, y);
}

void PointPlotWindow::OnEditorChanged() {
    // Called for every change, tens of thousands of times a second during a download: only the
    // first change of a burst starts the timer, the reading then takes them all.
    if (!followTimer_.isActive()) followTimer_.start();
}

void PointPlotWindow::StartReading() {
    if (!view_) return;
    // One reading at a time, until its result has been taken: a new future set before that
    // could hand the finished signal of the old one to a result not ready yet.
    if (readingBusy_) {
        readAgain_ = true;
        return;
    }
    readAgain_ = false;
    readingBusy_ = true;
    reading_.setFuture(QtConcurrent::run(&ReadPlotData, view_->Editor()->Bytes()));
}

void PointPlotWindow::OnReadingFinished() {
    readingBusy_ = false;
    ShowData(reading_.result());
    if (readAgain_) StartReading();
}

void PointPlotWindow::ShowData(std::shared_ptr<const PlotData> data) {
    setWindowTitle(PointPlotTitle(data->scan.points.size()));
    ShowSummary(*data);
    canvas_->SetData(std::move(data));
}

void PointPlotWindow::ShowSummary(const PlotData& data) {
    const CassPointScan& scan = data.scan;
    QStringList notes;
    if (scan.points.empty() && scan.skipped.empty())
        notes << QStringLiteral(
            "The editor holds no CASS point line (name,code,east,north,height).");
    if (const QString end = ScanEndNote(scan); !end.isEmpty()) notes << end;
    if (!scan.skipped.empty()) notes << SkippedNote(scan.skipped.size());
    summary_->setText(notes.join(QLatin1Char('\n')));
    summary_->setVisible(!notes.isEmpty());

    skippedList_->clear();
    QStringList entries;
    const std::size_t listed = std::min(scan.skipped.size(), kMostListed);
    entries.reserve(static_cast<qsizetype>(listed) + 1);
    for (std::size_t i = 0; i < listed; ++i) entries << SkippedEntry(data, scan.skipped[i]);
    if (listed < scan.skipped.size()) {
        entries << QStringLiteral("... and %1 more").arg(scan.skipped.size() - listed);
    }
    skippedList_->addItems(entries);
    skippedList_->setVisible(!entries.isEmpty());
}

bool PointPlotWindow::SelectPointLine(std::size_t point) {
    const PlotData& data = Data();
    if (point >= data.scan.points.size()) return false;
    return SelectLine(data.scan.points[point].line);
}

void PointPlotWindow::OnSkippedActivated(QListWidgetItem* item) {
    const auto row = static_cast<std::size_t>(skippedList_->row(item));
    if (row < std::min(Data().scan.skipped.size(), kMostListed))
        SelectLine(Data().scan.skipped[row].line);
}

bool PointPlotWindow::SelectLine(const TextLine& line) {
    if (!view_) return false;
    ByteEditor* editor = view_->Editor();
    const std::string now = editor->Bytes();
    const std::string_view was = Data().LineText(line);
    if (line.start + line.length > now.size() || now.compare(line.start, line.length, was) != 0) {
        StartReading();  // the picture is behind the text: catch up at once
        return false;
    }
    // The caret goes to the start of the line, so that a long line is shown from its start.
    editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, line.start + line.length, line.start);
    return true;
}

bool PointPlotWindow::SaveImage(const QString& path, QString* error) const {
    const PlotViewport& viewport = canvas_->Viewport();
    const QSize size = viewport.Size().toSize();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(windowTitle());
        QPainter painter(&svg);
        PaintPlot(painter, Data(), viewport);
    } else {
        const qreal ratio = canvas_->devicePixelRatioF();
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        {
            QPainter painter(&image);
            PaintPlot(painter, Data(), viewport);
        }
        const QByteArray format = suffix.isEmpty() ? QByteArray("png") : suffix.toLatin1();
        QImageWriter writer(&buffer, format);
        if (!writer.write(image)) {
            if (error) *error = writer.errorString();
            return false;
        }
    }
    buffer.close();
    return WriteFileBytes(path, bytes, error);
}

bool PointPlotWindow::PrintOn(QPrinter& printer) const {
    printer.setDocName(windowTitle());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const QSizeF shown = canvas_->Viewport().Size();
    // The page shows what the window shows at the same scale, and more where its shape is wider.
    const double enlarge = std::min(page.width() / shown.width(), page.height() / shown.height());
    PlotViewport viewport = canvas_->Viewport();
    viewport.SetSize(page / enlarge);
    painter.scale(enlarge, enlarge);
    PaintPlot(painter, Data(), viewport);
    return painter.end();
}

void PointPlotWindow::SaveWithDialog() {
    QString filter = QStringLiteral("PNG image (*.png)");
    const QString proposed =
        lastSavePath_.isEmpty() ? QStringLiteral("point-plot.png") : lastSavePath_;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save Plot"), proposed,
        QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"), &filter);
    if (path.isEmpty()) return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool known = suffix == QStringLiteral("svg") ||
                       QImageWriter::supportedImageFormats().contains(suffix.toLatin1());
    if (!known) path += filter.contains(QStringLiteral("svg")) ? ".svg" : ".png";
    lastSavePath_ = path;
    QString error;
    if (!SaveImage(path, &error)) {
        ShowAppMessage(this,
                       QStringLiteral("Cannot save the plot to %1: %2. Choose another file "
                                      "or folder and try again.")
                           .arg(path, error),
                       MessageIcon::Error);
    }
}

void PointPlotWindow::PrintWithDialog() {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintOn(printer)) {
        ShowAppMessage(this, QStringLiteral("The plot could not be printed. Check the printer and "
                                            "try again."));
    }
}

}  // namespace halvex
