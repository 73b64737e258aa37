#include "editor/EditorFont.h"

#include <QApplication>
#include <QFontDatabase>

namespace halvex {

QFont EditorFont() {
    const QFont userInterface = QApplication::font();
    QFont font = QFontDatabase::families().contains(QStringLiteral("Fixedsys"), Qt::CaseInsensitive)
                     ? QFont(QStringLiteral("Fixedsys"))
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (userInterface.pixelSize() > 0) {
        font.setPixelSize(userInterface.pixelSize());
    } else {
        font.setPointSizeF(userInterface.pointSizeF());
    }
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

}  // namespace halvex
