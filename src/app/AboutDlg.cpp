#include "app/AboutDlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

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

    auto* icon = new QLabel(this);
    const QRect iconRect = units.Rect(11, 14, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(ApplicationIcon().pixmap(std::min(iconRect.width(), iconRect.height())));

    text_ = new QLabel(QStringLiteral("Veltra Quorin series totalstation data communication"), this);
    text_->setGeometry(units.Rect(40, 15, 143, 8));

    const QString number = QString::fromLatin1(kVersion.data(), qsizetype(kVersion.size()));
    auto* version = new QLabel(QStringLiteral("Version ") + number, this);
    version->setObjectName(QStringLiteral("version"));
    version->setGeometry(units.Rect(40, 27, 143, 8));

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setGeometry(units.Rect(191, 12, 37, 14));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.X(235), units.Y(68));
}

}  // namespace halvex
