// Page layout of printed text, stopping a print job, and the print preview's bar.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
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

    void printSetupChoosesThePrinterThatPrintAndPreviewUse() {
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("chosen.pdf"));
        QString title, okText;
        bool onTheSharedPrinter = false;
        // The user chooses printing into a file (the one printer without a print server).
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            onTheSharedPrinter = dialog->printer() == &SharedPrinter();
            title = dialog->windowTitle();
            okText = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
            dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(chosen);
            dialog->accept();
        });
        ShowPrintSetup(nullptr);
        QVERIFY(onTheSharedPrinter);
        QCOMPARE(title, QStringLiteral("Print Setup"));
        QCOMPARE(okText, QStringLiteral("OK"));
        QVERIFY(!QFile::exists(chosen));

        // Print offers that choice: accepted as it stands, the job goes there.
        WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
        PrintWithDialog(nullptr, ManyLines(3), QStringLiteral("doc"));
        QVERIFY(ReadBytes(chosen).rfind("%PDF", 0) == 0);

        QPrinter* previewed = nullptr;
        WhenModalOpens([&](QWidget* modal) {
            auto* pages = modal->findChild<QPrintPreviewWidget*>();
            connect(pages, &QPrintPreviewWidget::paintRequested,
                    [&](QPrinter* printer) { previewed = printer; });
            pages->updatePreview();
            modal->close();
        });
        ShowPrintPreview(nullptr, ManyLines(3), QStringLiteral("doc"), {});
        QCOMPARE(previewed, &SharedPrinter());
        SharedPrinter().setOutputFileName(QString());
    }

    void thePreviewButtonsReadAsGivenAndAnswerTheirMnemonics() {
        WritePreviewPages(1);
        QPrinter printer;
        PrintPreviewWindow preview(nullptr, printer, ManyLines(400), QStringLiteral("doc"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        const auto shown = [&preview](QAction* action) {
            for (QToolButton* button : preview.findChildren<QToolButton*>()) {
                if (button->defaultAction() == action && button->isVisible()) return button->text();
            }
            return QStringLiteral("<no button>");
        };
        QCOMPARE(shown(preview.PrintAction()), QStringLiteral("&Print..."));
        QCOMPARE(shown(preview.NextPageAction()), QStringLiteral("&Next Page"));
        QCOMPARE(shown(preview.PrevPageAction()), QStringLiteral("Pre&v Page"));
        QCOMPARE(shown(preview.PagesAction()), QStringLiteral("&Two Page"));
        QCOMPARE(shown(preview.ZoomInAction()), QStringLiteral("Zoom &In"));
        QCOMPARE(shown(preview.ZoomOutAction()), QStringLiteral("Zoom &Out"));
        QCOMPARE(shown(preview.CloseAction()), QStringLiteral("&Close"));

        QTest::keyClick(&preview, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(preview.CurrentPage(), 2);
        QTest::keyClick(&preview, Qt::Key_V, Qt::AltModifier);
        QTRY_COMPARE(preview.CurrentPage(), 1);
        QTest::keyClick(&preview, Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(preview.ZoomLevel(), 1);
        QTest::keyClick(&preview, Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(preview.PagesShown(), 2);
        QCOMPARE(shown(preview.PagesAction()), QStringLiteral("&One Page"));
        // Alt+O belongs to "&One Page" and "Zoom &Out": it moves the focus between them.
        const auto focused = [] {
            auto* button = qobject_cast<QToolButton*>(QApplication::focusWidget());
            return button ? button->defaultAction() : nullptr;
        };
        QTest::keyClick(&preview, Qt::Key_O, Qt::AltModifier);
        QAction* first = focused();
        QTest::keyClick(&preview, Qt::Key_O, Qt::AltModifier);
        QCOMPARE((QSet<QAction*>{first, focused()}),
                 (QSet<QAction*>{preview.PagesAction(), preview.ZoomOutAction()}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTRY_VERIFY(preview.PagesShown() == 1 || preview.ZoomLevel() == 0);
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
