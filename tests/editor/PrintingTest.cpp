// Page layout of printed text, stopping a print job, and the print preview's bar.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "editor/AppSettings.h"
#include "editor/PrintPreviewWindow.h"
#include "editor/ShellTestKit.h"
#include "editor/TextPrinting.h"

using namespace halvex;
using namespace halvex::testing;

namespace {

// Runs `step` on the next modal dialog once it is shown.
void WhenModalOpens(std::function<void(QWidget*)> step) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, step] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            step(modal);
        }
    });
    poll->start(10);
}

std::string ManyLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "point " + std::to_string(i) + "\r\n";
    return text;
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void linesAreLaidOut_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << 10 << QStringList{""};
        QTest::newRow("CR LF, LF and CR break")
            << QByteArray("a\r\nb\nc\rd") << 10 << QStringList{"a", "b", "c", "d"};
        QTest::newRow("final break adds no line") << QByteArray("a\r\n") << 10 << QStringList{"a"};
        QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\nb") << 10
                                          << QStringList{"a", "", "b"};
        QTest::newRow("tab to column 8") << QByteArray("ab\tc") << 20
                                         << QStringList{"ab      c"};
        QTest::newRow("long line continues") << QByteArray("abcdefg") << 3
                                             << QStringList{"abc", "def", "g"};
        QTest::newRow("control bytes as dots") << QByteArray("\x02x\x03") << 10
                                               << QStringList{QString::fromLatin1("\xB7x\xB7")};
        QTest::newRow("high bytes kept") << QByteArray("\xE9\xFF") << 10
                                         << QStringList{QString::fromLatin1("\xE9\xFF")};
    }
    void linesAreLaidOut() {
        QFETCH(QByteArray, text);
        QFETCH(int, columns);
        QFETCH(QStringList, lines);
        QStringList actual;
        for (const std::string& line : LayOutPrintLines(text.toStdString(), columns)) {
            actual.push_back(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
        }
        QCOMPARE(actual, lines);
    }

    void pagesArePaintedAndAJobCanBeStopped() {
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("out.pdf"));
        int pages = 0, announced = 0;
        QVERIFY(PaintTextPages(printer, ManyLines(200), [&](int page, int count) {
            pages = page;
            announced = count;
            return true;
        }));
        QVERIFY(pages >= 2);
        QCOMPARE(pages, announced);

        QPrinter stopped;
        stopped.setOutputFormat(QPrinter::PdfFormat);
        stopped.setOutputFileName(dir.filePath("stopped.pdf"));
        int seen = 0;
        QVERIFY(!PaintTextPages(stopped, ManyLines(200), [&](int page, int) {
            seen = page;
            return page < 2;
        }));
        QCOMPARE(seen, 2);
    }

    void withoutAPrinterAJobSaysSoAndDoesNotStart() {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("this machine has a printer");
        BoxRecorder boxes;
        QVERIFY(!PrintOnSharedPrinter(nullptr, ManyLines(3), QStringLiteral("doc")));
        QCOMPARE(boxes.Texts(), QStringList{QString::fromLatin1(kNoPrinterMessage)});
    }

    void zoomingThePreviewKeepsWhatWasInView() {
        WritePreviewPages(1);
        QPrinter printer;
        PrintPreviewWindow preview(nullptr, printer, ManyLines(400), QStringLiteral("doc"));
        preview.resize(300, 600);  // kept as wide as its buttons; the page then fits its height
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto* view = preview.findChild<QGraphicsView*>();
        QVERIFY(view);
        // From the whole page, zooming in shows the top of the page, where the text starts.
        const QPointF pageTopLeft = view->scene()->itemsBoundingRect().topLeft();
        preview.ZoomInAction()->trigger();
        const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
        QVERIFY(shown.contains(pageTopLeft + QPointF(10, 10)));
    }

    void thePreviewBarPagesAndZooms() {
        WritePreviewPages(1);
        QPrinter printer;
        PrintPreviewWindow preview(nullptr, printer, ManyLines(400), QStringLiteral("doc"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.PrintAction()->text(), QStringLiteral("&Print..."));
        QCOMPARE(preview.NextPageAction()->text(), QStringLiteral("&Next Page"));
        QCOMPARE(preview.PrevPageAction()->text(), QStringLiteral("Pre&v Page"));
        QCOMPARE(preview.PagesAction()->text(), QStringLiteral("&Two Page"));
        QCOMPARE(preview.ZoomInAction()->text(), QStringLiteral("Zoom &In"));
        QCOMPARE(preview.ZoomOutAction()->text(), QStringLiteral("Zoom &Out"));
        QCOMPARE(preview.CloseAction()->text(), QStringLiteral("&Close"));
        QVERIFY(preview.PageCount() >= 3);
        QCOMPARE(preview.CurrentPage(), 1);
        QVERIFY(!preview.PrevPageAction()->isEnabled());

        preview.NextPageAction()->trigger();
        QCOMPARE(preview.CurrentPage(), 2);
        QVERIFY(preview.PrevPageAction()->isEnabled());
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.CurrentPage(), 3);
        QTest::keyClick(&preview, Qt::Key_PageUp);
        QCOMPARE(preview.CurrentPage(), 2);

        QVERIFY(!preview.ZoomOutAction()->isEnabled());
        preview.ZoomInAction()->trigger();
        preview.ZoomInAction()->trigger();
        QVERIFY(!preview.ZoomInAction()->isEnabled());
        QVERIFY(preview.ZoomOutAction()->isEnabled());

        preview.PagesAction()->trigger();
        QCOMPARE(preview.PagesShown(), 2);
        QCOMPARE(preview.PagesAction()->text(), QStringLiteral("&One Page"));
        QTest::keyClick(&preview, Qt::Key_Escape);
        QVERIFY(!preview.isVisible());
        QVERIFY(!preview.PrintRequested());
        QCOMPARE(ReadPreviewPages(), 2);
    }

    void printSetupChoosesThePrinterThatPrintUses() {
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("chosen.pdf"));
        QString seen;  // what the user saw: the kind of dialog, its title and its button
        // The user chooses printing into a file (the one printer without a print server).
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintDialog*>(modal);
            if (!dialog || dialog->printer() != &SharedPrinter()) return void(modal->close());
            seen = dialog->windowTitle() + "/" +
                   dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
            dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(chosen);
            dialog->accept();
        });
        ShowPrintSetup(nullptr);
        QCOMPARE(seen, QStringLiteral("Print Setup/OK"));
        QVERIFY(!QFile::exists(chosen));
        // Print offers that choice: accepted as it stands, the job goes there.
        WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
        PrintWithDialog(nullptr, ManyLines(3), QStringLiteral("doc"));
        QVERIFY(ReadBytes(chosen).rfind("%PDF", 0) == 0);
        SharedPrinter().setOutputFileName(QString());
    }

    void thePreviewButtonsReadAsGivenAndAnswerTheirMnemonics() {
        WritePreviewPages(1);
        QPrinter printer;
        PrintPreviewWindow preview(nullptr, printer, ManyLines(400), QStringLiteral("doc"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        QStringList shown;  // the visible buttons' texts, in order
        const auto look = [&] {
            shown.clear();
            for (QToolButton* button : preview.findChildren<QToolButton*>())
                if (button->isVisible()) shown << button->text();
        };
        look();
        QCOMPARE(shown, (QStringList{"&Print...", "&Next Page", "Pre&v Page", "&Two Page",
                                     "Zoom &In", "Zoom &Out", "&Close"}));
        QTest::keyClick(&preview, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(preview.CurrentPage(), 2);
        QTest::keyClick(&preview, Qt::Key_V, Qt::AltModifier);
        QTRY_COMPARE(preview.CurrentPage(), 1);
        QTest::keyClick(&preview, Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(preview.ZoomLevel(), 1);
        QTest::keyClick(&preview, Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(preview.PagesShown(), 2);
        look();  // the wider "&One Page" pushes no button out of the row
        QCOMPARE(shown.size(), 7);
        QCOMPARE(shown[3], QStringLiteral("&One Page"));
        QTest::keyClick(&preview, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!preview.isVisible());
    }

    void thePreviewStartsWithTheStoredPageCount() {
        WritePreviewPages(2);
        QPrinter printer;
        PrintPreviewWindow preview(nullptr, printer, ManyLines(10), QStringLiteral("doc"));
        QCOMPARE(preview.PagesShown(), 2);
        QCOMPARE(preview.PagesAction()->text(), QStringLiteral("&One Page"));
        preview.PrintAction()->trigger();
        QVERIFY(preview.PrintRequested());
        OpenAppSettings()->setValue("Settings/PreviewPages", 0);
        QCOMPARE(ReadPreviewPages(), 1);
    }
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
