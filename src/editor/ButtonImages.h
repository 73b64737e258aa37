#pragma once
// The toolbar's button images, 16 by 15 pixels, drawn in code. A row of the command table names
// the drawing of its button.

#include <QIcon>

class QPainter;

namespace halvex {

inline constexpr int kButtonWidth = 16;
inline constexpr int kButtonHeight = 15;

using ButtonImage = void (*)(QPainter& painter);

void DrawNew(QPainter& p);
void DrawOpen(QPainter& p);
void DrawSave(QPainter& p);
void DrawCut(QPainter& p);
void DrawCopy(QPainter& p);
void DrawPaste(QPainter& p);
void DrawPrint(QPainter& p);
void DrawAbout(QPainter& p);
// A red octagon with a white bar: stop.
void DrawStopTransfer(QPainter& p);
// Four survey marks and a dashed line between two of them.
void DrawPointPlot(QPainter& p);

// The button made of a drawing; a null icon for none.
QIcon ButtonIcon(ButtonImage draw);

}  // namespace halvex
