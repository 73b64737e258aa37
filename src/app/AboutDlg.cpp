#include "app/AboutDlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/ToolbarIcons.h"
#include "common/Version.h"

namespace halvex {
namespace {

// Converts dialog units (a quarter of the font's average character width across, an eighth of
// its height down) to pixels.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString letters =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX_ = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        baseY_ = metrics.height();
    }
    QRect Rect(int x, int y, int width, int height) const {
        return {X(x), Y(y), X(width), Y(height)};
    }
    int X(int units) const { return units * baseX_ / 4; }
    int Y(int units) const { return units * baseY_ / 8; }

private:
    int baseX_ = 8;
    int baseY_ = 16;
};

// Places the controls at their positions in dialog units. Where the font that stands in for Times
// New Roman here is wider than the units measure, the text is widened to show whole, and the
// button and the box move out to keep their gaps.
void LayOut(QDialog& box, const DialogUnits& units, QLabel& icon, QLabel& text, QPushButton& ok) {
    const QRect iconRect = units.Rect(11, 14, 20, 20);
    icon.setGeometry(iconRect);
    QRect textRect = units.Rect(40, 15, 143, 8);
    textRect.setSize(textRect.size().expandedTo(text.sizeHint()));
    text.setGeometry(textRect);
    QRect okRect = units.Rect(191, 12, 37, 14);
    okRect.moveLeft(std::max(okRect.left(), textRect.left() + textRect.width() + units.X(8)));
    ok.setGeometry(okRect);
    const int width = std::max(units.X(235), okRect.left() + okRect.width() + units.X(7));
    const int height = std::max(units.Y(68), textRect.top() + textRect.height() + units.Y(7));
    box.setFixedSize(width, height);
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About Veltra totalstation"));
    setModal(true);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(9);
    setFont(font);
    const DialogUnits units(font);

    icon_ = new QLabel(this);
    const QRect iconRect = units.Rect(11, 14, 20, 20);
    icon_->setPixmap(ApplicationIcon().pixmap(std::min(iconRect.width(), iconRect.height())));

    text_ =
        new QLabel(QStringLiteral("Veltra Quorin series totalstation data communication"), this);

    const QString number = QString::fromLatin1(kVersion.data(), qsizetype(kVersion.size()));
    auto* version = new QLabel(QStringLiteral("Version ") + number, this);
    version->setObjectName(QStringLiteral("version"));
    version->setGeometry(units.Rect(40, 27, 143, 8));

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    LayOut(*this, units, *icon_, *text_, *ok_);
}

}  // namespace halvex
