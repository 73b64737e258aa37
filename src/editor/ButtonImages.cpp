#include "editor/ButtonImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace halvex {
namespace {

const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kFolder(230, 190, 70);
const QColor kBlue(40, 90, 170);

void DrawSheet(QPainter& p, int x, int y, int w, int h) {
    QPolygon sheet;
    sheet << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
          << QPoint(x, y + h);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(sheet);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

}  // namespace

void DrawNew(QPainter& p) { DrawSheet(p, 3, 1, 10, 13); }

void DrawOpen(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kFolder);
    p.drawRect(1, 4, 12, 9);
    p.drawRect(1, 2, 5, 2);
    p.setBrush(kFolder.lighter(120));
    QPolygon flap;
    flap << QPoint(3, 7) << QPoint(15, 7) << QPoint(13, 13) << QPoint(1, 13);
    p.drawPolygon(flap);
}

void DrawSave(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(3, 9, 9, 5);
}

void DrawCut(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(4, 1, 10, 9);
    p.drawLine(11, 1, 5, 9);
    p.drawEllipse(2, 9, 4, 4);
    p.drawEllipse(9, 9, 4, 4);
}

void DrawCopy(QPainter& p) {
    DrawSheet(p, 1, 1, 8, 9);
    DrawSheet(p, 6, 5, 8, 9);
}

void DrawPaste(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(170, 120, 60));
    p.drawRect(1, 2, 10, 12);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(4, 1, 4, 2);
    DrawSheet(p, 7, 6, 7, 8);
}

void DrawPrint(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(kPaper);
    p.drawRect(4, 10, 8, 4);
}

void DrawAbout(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(255, 240, 150));
    p.drawEllipse(1, 0, 13, 13);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kBlue);
    p.drawText(QRect(1, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawStopTransfer(QPainter& p) {
    QPolygon octagon;
    octagon << QPoint(5, 0) << QPoint(10, 0) << QPoint(14, 4) << QPoint(14, 9) << QPoint(10, 13)
            << QPoint(5, 13) << QPoint(1, 9) << QPoint(1, 4);
    p.setPen(QColor(120, 0, 0));
    p.setBrush(QColor(200, 30, 30));
    p.drawPolygon(octagon);
    p.fillRect(4, 6, 8, 2, kPaper);
}

void DrawPointPlot(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(0, 0, 15, 14);
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DotLine));
    p.drawLine(3, 11, 12, 4);
    p.setPen(kBlue);
    for (const QPoint& at : {QPoint(3, 11), QPoint(12, 4), QPoint(6, 4), QPoint(11, 10)}) {
        p.drawLine(at.x() - 2, at.y(), at.x() + 2, at.y());
        p.drawLine(at.x(), at.y() - 2, at.x(), at.y() + 2);
    }
}

QIcon ButtonIcon(ButtonImage draw) {
    if (!draw) return {};
    QPixmap pixmap(kButtonWidth, kButtonHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace halvex
