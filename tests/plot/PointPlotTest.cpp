// The point plot: its view arithmetic and grid, label hiding, and the window as the Window menu
// opens it (counts in the title, the lines it skips, following the editor, picking a point,
// saving the picture).
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <cmath>
#include <memory>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "app/ProgramTest.h"
#include "editor/AppSettings.h"
#include "editor/ByteEditor.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"
#include "plot/PlotGrid.h"
#include "plot/PlotPainter.h"
#include "plot/PointPlotCanvas.h"
#include "plot/PointPlotWindow.h"

using namespace halvex;
using namespace halvex::testing;

namespace {

constexpr int kPointPlot = 32792;

const std::string kSurvey =
    "Site 7 levelling\r\n"
    "PT1,TREE,2345.678,1234.567,12.345\r\n"
    "PT2,,x,1230.000,11.000\r\n"
    "PT3,WALL,2400.000,1300.000,7.50\r\n"
    "\r\n"
    "PT4,WALL,2500.000,1400.000,10.000\r\n";

double Distance(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

}  // namespace

class PointPlotTest : public ProgramTest {
    Q_OBJECT

private:
    PointPlotWindow* OpenPlot(const std::string& text) {
        view_->SetEditorText(text);
        frame_->RouteCommand(kPointPlot);
        PointPlotWindow* plot = frame_->PointPlot();
        if (plot) plot->Canvas()->FitAll();
        return plot;
    }

private slots:
    void init() { QVERIFY(StartProgram()); }
    void cleanup() { StopProgram(); }

    void fitShowsAllPointsAtOneScaleNorthUp() {
        PlotViewport viewport;
        viewport.SetSize({424, 324});
        SurveyBounds bounds;
        bounds.Add(1000, 500);
        bounds.Add(1100, 550);
        viewport.Fit(bounds);
        const QPointF lowLeft = viewport.ToScreen({1000, 500});
        const QPointF highRight = viewport.ToScreen({1100, 550});
        // East to the right, north upwards, the same pixels per unit on both axes.
        QCOMPARE(highRight.x() - lowLeft.x(), 100 * viewport.Scale());
        QCOMPARE(lowLeft.y() - highRight.y(), 50 * viewport.Scale());
        // The wider extent meets the margin; everything lies inside it.
        QCOMPARE(lowLeft.x(), PlotViewport::kFitMargin);
        QCOMPARE(highRight.x(), 424 - PlotViewport::kFitMargin);
        QVERIFY(highRight.y() > PlotViewport::kFitMargin &&
                lowLeft.y() < 324 - PlotViewport::kFitMargin);

        SurveyBounds single;
        single.Add(7, 8);
        viewport.Fit(single);
        QCOMPARE(viewport.ToScreen({7, 8}), QPointF(212, 162));
        QCOMPARE(viewport.ToScreen({7.5, 8}).x() - viewport.ToScreen({6.5, 8}).x(),
                 324 - 2 * PlotViewport::kFitMargin);

        SurveyBounds extreme;
        extreme.Add(-1e308, -1e308);
        extreme.Add(1e308, 1e308);
        viewport.Fit(extreme);
        QVERIFY(viewport.Scale() > 0 && std::isfinite(viewport.Scale()));
        QVERIFY(std::abs(viewport.ToScreen({0, 1e308}).y() - PlotViewport::kFitMargin) < 1e-9);
        QVERIFY(std::abs(viewport.ToScreen({1e308, 1e308}).x() - 350) < 1e-9);
    }

    void zoomKeepsThePointUnderThePointerAndPanMovesByTheDrag() {
        PlotViewport viewport;
        viewport.SetSize({400, 300});
        SurveyBounds bounds;
        bounds.Add(0, 0);
        bounds.Add(100, 100);
        viewport.Fit(bounds);
        const double fitScale = viewport.Scale();
        const QPointF anchor(97, 210);
        const SurveyPoint held = viewport.ToSurvey(anchor);
        viewport.ZoomAbout(anchor, 3);
        QCOMPARE(viewport.Scale(), 3 * fitScale);
        QVERIFY(Distance(viewport.ToScreen(held), anchor) < 1e-9);
        viewport.ZoomAbout(anchor, 1.0 / 3);
        QCOMPARE(viewport.Scale(), fitScale);

        const QPointF before = viewport.ToScreen({40, 60});
        viewport.PanBy({25, -10});
        QVERIFY(Distance(viewport.ToScreen({40, 60}), before + QPointF(25, -10)) < 1e-9);

        // Zooming is held between a hundredth of the fitting scale and the finest scale.
        viewport.ZoomAbout(anchor, 1e-6);
        QCOMPARE(viewport.Scale(), viewport.MinScale());
        QCOMPARE(viewport.MinScale(), fitScale / 100);
        viewport.ZoomAbout(anchor, 1e30);
        QCOMPARE(viewport.Scale(), viewport.MaxScale());
        QVERIFY(std::isfinite(viewport.ToSurvey({0, 0}).east));
    }

    void gridLinesFallOnRoundValues() {
        const GridLines metres = MakeGridLines(-130, 1010, 150);
        QCOMPARE(metres.step, 200.0);
        QCOMPARE(metres.values, (std::vector<double>{0, 200, 400, 600, 800, 1000}));
        QCOMPARE(metres.decimals, 0);
        const GridLines fine = MakeGridLines(-0.3, 0.3, 0.12);
        QCOMPARE(fine.step, 0.2);
        QCOMPARE(fine.decimals, 1);
        QCOMPARE(GridValueText(fine.values[0], fine.decimals), std::string("-0.2"));
        QCOMPARE(GridValueText(fine.values[1], fine.decimals), std::string("0.0"));
        // Where the step is below the precision of the values the lines stop instead of piling up.
        const GridLines far = MakeGridLines(1e17, 1e17 + 5000, 1e-3);
        QVERIFY(!far.values.empty() && far.values.size() < 1000);
        for (std::size_t i = 1; i < far.values.size(); ++i)
            QVERIFY(far.values[i] > far.values[i - 1]);
    }

    void gridValuesNearAnEdgeAreMovedInsideThePicture() {
        SurveyBounds bounds;
        bounds.Add(1100, 1100);
        bounds.Add(2000, 1900);
        PlotViewport viewport;
        viewport.SetSize({400, 300});
        viewport.Fit(bounds);
        // The grid lines east 1000 and north 2000 run 3 pixels from the left and top edges.
        const QPointF corner = viewport.ToScreen({1000, 2000});
        viewport.PanBy(QPointF(3, 3) - corner);
        QImage image(400, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        const PaintedPlot painted = PaintPlot(painter, *ReadPlotData({}), viewport);
        bool leftmostWritten = false;
        for (const GridValueBox& value : painted.gridValues) {
            QVERIFY2(QRectF(0, 0, 400, 300).contains(value.box), qPrintable(value.text));
            leftmostWritten = leftmostWritten ||
                              (value.text == QStringLiteral("1000") && value.box.bottom() > 280);
        }
        QVERIFY(leftmostWritten);
    }

    void theWindowMenuOpensThePlotWithItsPointsFitted() {
        view_->SetEditorText(kSurvey);
        frame_->RouteCommand(kPointPlot);
        PointPlotWindow* plot = frame_->PointPlot();
        QVERIFY(plot && QTest::qWaitForWindowExposed(plot));
        const PointPlotCanvas* canvas = plot->Canvas();
        const QPointF first = canvas->Viewport().ToScreen({2345.678, 1234.567});
        const QPointF last = canvas->Viewport().ToScreen({2400, 1300});
        QVERIFY(QRectF(canvas->rect()).contains(first) && QRectF(canvas->rect()).contains(last));
        // Spread over the picture rather than in one blob.
        QVERIFY(Distance(first, last) > std::min(canvas->width(), canvas->height()) / 2);
    }

    void namesAreHiddenWhereTheyWouldOverlap() {
        const std::shared_ptr<const PlotData> data = ReadPlotData(
            "NAME0,,100,200,0\r\nNAME1,,101,200,0\r\nNAME2,,102,200,0\r\n"
            "TWIN,,100,200,0\r\nFAR,,300,400,0\r\n");
        PlotViewport viewport;
        viewport.SetSize({400, 300});
        viewport.Fit(data->bounds);
        QImage image(400, 300, QImage::Format_RGB32);
        const auto paint = [&] {
            QPainter painter(&image);
            return PaintPlot(painter, *data, viewport);
        };
        // At the fitting scale the close points' names would overlap: only some are written.
        // A point on the very pixel of another gets no mark and no name of its own.
        PaintedPlot painted = paint();
        QCOMPARE(painted.marks, 4);
        QVERIFY(painted.labels >= 1 && painted.labels < painted.marks);
        // Zoomed in, the three marks are far enough apart for every name.
        viewport.PanBy(QPointF(200, 150) - viewport.ToScreen({101, 200}));
        viewport.ZoomAbout({200, 150}, 50);
        painted = paint();
        QCOMPARE(painted.marks, 3);
        QCOMPARE(painted.labels, 3);
        QCOMPARE(LabelText("A\x01" + std::string(40, 'b')),
                 QStringLiteral("A\u00B7") + QString(22, QLatin1Char('b')) + QStringLiteral("..."));
    }

    void theWindowMenuOpensTheNonModalPlotAndRaisesItAgain() {
        PointPlotWindow* plot = OpenPlot(kSurvey);
        QVERIFY(plot);
        QVERIFY(plot->isVisible());
        QVERIFY(plot->isWindow());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(frame_->isVisible());
        frame_->ActionFor(kPointPlot)->trigger();
        QCOMPARE(frame_->PointPlot(), plot);
        // Home fits all points again after zooming.
        const double fitScale = plot->Canvas()->Viewport().Scale();
        plot->Canvas()->Viewport().ZoomAbout({10, 10}, 4);
        QTest::keyClick(plot->Canvas(), Qt::Key_Home);
        QCOMPARE(plot->Canvas()->Viewport().Scale(), fitScale);
        QVERIFY(!frame_->ToolBar()->widgetForAction(frame_->ActionFor(kPointPlot))->isHidden());
    }

    void titleAndNotesCountWhatIsDrawnAndWhatIsNot() {
        PointPlotWindow* plot = OpenPlot(kSurvey);
        QCOMPARE(plot->windowTitle(), QStringLiteral("Point Plot - 2 points"));
        QCOMPARE(plot->SkippedList()->count(), 1);
        QCOMPARE(plot->SkippedList()->item(0)->text(),
                 QStringLiteral("Line 3 (east is not a number): PT2,,x,1230.000,11.000"));
        QVERIFY2(plot->Summary()->text().contains(QStringLiteral("empty line 5")),
                 qPrintable(plot->Summary()->text()));
        QVERIFY(plot->Summary()->text().contains(QStringLiteral("1 point line was skipped")));

        view_->SetEditorText("PT1,TREE,1,2,3\r\n");
        QTRY_COMPARE(plot->windowTitle(), QStringLiteral("Point Plot - 1 points"));
        QVERIFY(plot->SkippedList()->isHidden());
        QVERIFY(plot->Summary()->isHidden());

        std::string bad;
        for (int i = 0; i < 1002; ++i) bad += "B,,x,1,1\r\n";
        view_->SetEditorText(bad);
        QTRY_COMPARE(plot->SkippedList()->count(), 1001);
        QCOMPARE(plot->SkippedList()->item(1000)->text(), QStringLiteral("... and 2 more"));
        QVERIFY(plot->Summary()->text().contains(QStringLiteral("1002 point lines were skipped")));
    }

    void followsTheEditorWithoutTakingTheFocus() {
        PointPlotWindow* plot = OpenPlot("");
        QCOMPARE(plot->windowTitle(), QStringLiteral("Point Plot - 0 points"));
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_));
        view_->Editor()->setFocus();
        // A download appends line by line; the plot takes the lines in bursts.
        for (int i = 0; i < 2000; ++i) {
            QVERIFY(view_->AppendEditorText("P" + std::to_string(i) + ",," + std::to_string(i) +
                                            ",1," + "0\r\n"));
        }
        QTRY_COMPARE(plot->windowTitle(), QStringLiteral("Point Plot - 2000 points"));
        QVERIFY(!plot->Following());
        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(frame_));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view_->Editor()));
        // The first points shown are fitted into the picture.
        const QPointF last = plot->Canvas()->Viewport().ToScreen({1999, 1});
        QVERIFY(last.x() <= plot->Canvas()->width());
    }

    void doubleClickingAPointSelectsItsLine() {
        PointPlotWindow* plot = OpenPlot(kSurvey);
        PointPlotCanvas* canvas = plot->Canvas();
        const QPointF at = canvas->Viewport().ToScreen({2400, 1300});
        const std::optional<std::size_t> point = canvas->PointAt(at + QPointF(3, -2));
        QCOMPARE(point, std::optional<std::size_t>(1));
        QCOMPARE(canvas->PointDescription(1),
                 QStringLiteral("Name: PT3\nCode: WALL\nE: 2400.000\nN: 1300.000\nZ: 7.50"));
        QTest::mouseDClick(canvas, Qt::LeftButton, Qt::NoModifier, at.toPoint());
        QCOMPARE(view_->Editor()->SelectedBytes(), std::string("PT3,WALL,2400.000,1300.000,7.50"));

        // Once the text has changed there, the old picture selects nothing.
        view_->Editor()->MoveCaret(0);
        view_->SetEditorText("X\r\n" + kSurvey);
        QVERIFY(!plot->SelectPointLine(1));
        QVERIFY(!view_->Editor()->HasSelection());
        QTRY_VERIFY(plot->SelectPointLine(1));
        QCOMPARE(view_->Editor()->SelectedBytes(), std::string("PT3,WALL,2400.000,1300.000,7.50"));
    }

    void savesThePictureAsSvgAndPng() {
        PointPlotWindow* plot = OpenPlot(kSurvey);
        // Away from the edges, where the grid values are written, both names have room.
        plot->Canvas()->Viewport().ZoomAbout(plot->Canvas()->rect().center(), 0.5);
        QTemporaryDir dir;
        const QString svgPath = dir.filePath(QStringLiteral("plot.svg"));
        QString error;
        QVERIFY2(plot->SaveImage(svgPath, &error), qPrintable(error));
        QSvgRenderer svg(svgPath);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox().size(), plot->Canvas()->size());
        QFile file(svgPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.contains("Point Plot - 2 points"));
        QVERIFY(content.contains(">PT1</text>") && content.contains(">PT3</text>"));
        QVERIFY(!content.contains("PT4"));  // after the empty line

        const QString pngPath = dir.filePath(QStringLiteral("plot.png"));
        QVERIFY2(plot->SaveImage(pngPath, &error), qPrintable(error));
        QCOMPARE(QImage(pngPath).deviceIndependentSize().toSize(), plot->Canvas()->size());

        QVERIFY(!plot->SaveImage(dir.filePath(QStringLiteral("missing/plot.svg")), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(PointPlotTest)
#include "PointPlotTest.moc"
