#include "editor/TextPrinting.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/MessageBoxes.h"
#include "editor/PrintPreviewWindow.h"

namespace halvex {
namespace {

constexpr int kTabWidth = 8;
constexpr char kControlMark = '\xB7';  // middle dot
constexpr int kPrintPointSize = 10;

QString& OutputFile() {
    static QString path;
    return path;
}

void ApplyOutputFile(QPrinter& printer) {
    if (OutputFile().isEmpty()) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(OutputFile());
}

QFont PrintFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kPrintPointSize);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

// The modeless box shown while a job prints, with a Cancel button that stops it.
class PrintingBox : public QDialog {
public:
    PrintingBox(QWidget* parent, const QString& title, const QPrinter& printer)
        : QDialog(parent), page_(new QLabel(this)) {
        setWindowTitle(QStringLiteral("Printing"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("Printing"), this));
        layout->addWidget(new QLabel(title, this));
        layout->addWidget(new QLabel(QStringLiteral("on the"), this));
        layout->addWidget(new QLabel(printer.printerName(), this));
        const QString port = printer.outputFileName().isEmpty()
                                 ? QPrinterInfo::printerInfo(printer.printerName()).location()
                                 : printer.outputFileName();
        if (!port.isEmpty()) layout->addWidget(new QLabel(QStringLiteral("on %1").arg(port), this));
        layout->addWidget(page_);
        auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
        layout->addWidget(cancel, 0, Qt::AlignHCenter);
        connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
        setModal(false);
    }

    bool ShowPage(int page) {
        page_->setText(QStringLiteral("Page %1").arg(page));
        QApplication::processEvents();
        return !cancelled_;
    }

private:
    QLabel* page_;
    bool cancelled_ = false;
};

// A job for a printer that does not exist cannot start; painting on it would only fail (and
// have Qt warn on standard error). Printing into a file needs no printer.
bool RefuseMissingPrinter(QWidget* parent, const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty()) return false;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        ShowAppMessage(parent, QString::fromLatin1(kNoPrinterMessage));
        return true;
    }
    // Where the printer it names is missing, Qt turns a printer into a PDF writer without a
    // file.
    const bool named = printer.outputFormat() == QPrinter::NativeFormat &&
                       !QPrinterInfo::printerInfo(printer.printerName()).isNull();
    if (named) return false;
    ShowAppMessage(parent, QStringLiteral("The document could not be printed."));
    return true;
}

bool PrintJob(QWidget* parent, QPrinter& printer, const std::string& text, const QString& title) {
    if (RefuseMissingPrinter(parent, printer)) return false;
    printer.setDocName(title);
    QPointer<PrintingBox> box = new PrintingBox(parent, title, printer);
    box->show();
    bool cancelled = false;
    const bool printed = PaintTextPages(printer, text, [&](int page, int) {
        cancelled = !box || !box->ShowPage(page);
        return !cancelled;
    });
    delete box;
    if (!printed && !cancelled) {
        ShowAppMessage(parent, QStringLiteral("The document could not be printed."));
    }
    return printed;
}

}  // namespace

std::vector<std::string> LayOutPrintLines(std::string_view text, int columns) {
    const std::size_t width = static_cast<std::size_t>(std::max(columns, 1));
    std::vector<std::string> lines;
    std::string line;
    const auto endLine = [&] {
        lines.push_back(std::move(line));
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == '\r' || byte == '\n') {
            if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endLine();
            continue;
        }
        if (byte == '\t') {
            const std::size_t stop = (line.size() / kTabWidth + 1) * kTabWidth;
            line.append(std::min(stop, width) - line.size(), ' ');
        } else {
            line.push_back(static_cast<unsigned char>(byte) < 0x20 || byte == '\x7F' ? kControlMark
                                                                                       : byte);
        }
        if (line.size() >= width) endLine();
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

bool PaintTextPages(QPrinter& printer, const std::string& text,
                    const std::function<bool(int page, int pageCount)>& beforePage) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(PrintFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const int columns = std::max(1, static_cast<int>(area.width()) /
                                        std::max(1, metrics.horizontalAdvance(QLatin1Char('M'))));
    const int rows = std::max(1, static_cast<int>(area.height()) / std::max(1, metrics.lineSpacing()));
    const std::vector<std::string> lines = LayOutPrintLines(text, columns);
    const int pageCount = static_cast<int>((lines.size() + rows - 1) / rows);
    for (int page = 0; page < pageCount; ++page) {
        if (beforePage && !beforePage(page + 1, pageCount)) {
            printer.abort();
            return false;
        }
        if (page > 0) printer.newPage();
        for (int row = 0; row < rows; ++row) {
            const std::size_t index = static_cast<std::size_t>(page) * rows + row;
            if (index >= lines.size()) break;
            const std::string& line = lines[index];
            painter.drawText(QPointF(0, row * metrics.lineSpacing() + metrics.ascent()),
                             QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
        }
    }
    return painter.end();
}

QPrinter& SharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void SetPrintOutputFile(const QString& pdfPath) { OutputFile() = pdfPath; }

void PrintWithDialog(QWidget* parent, const std::string& text, const QString& title) {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplyOutputFile(printer);
    PrintJob(parent, printer, text, title);
}

bool PrintOnSharedPrinter(QWidget* parent, const std::string& text, const QString& title,
                          const QString& printerName) {
    QPrinter& printer = SharedPrinter();
    if (!printerName.isEmpty()) printer.setPrinterName(printerName);
    ApplyOutputFile(printer);
    return PrintJob(parent, printer, text, title);
}

void ShowPrintSetup(QWidget* parent) {
    QPrintDialog dialog(&SharedPrinter(), parent);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    // Only the printer and its options are chosen here; which pages to print is asked by Print.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // The dialog is made for printing; here its confirming button only keeps the choice.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    dialog.exec();
}

void ShowPrintPreview(QWidget* parent, const std::string& text, const QString& title,
                      const std::function<void()>& print) {
    bool printRequested = false;
    {
        PrintPreviewWindow preview(parent, SharedPrinter(), text, title);
        preview.exec();
        printRequested = preview.PrintRequested();
    }
    if (printRequested && print) print();
}

}  // namespace halvex
