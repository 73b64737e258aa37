#include "app/AboutDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ApplicationIcon.h"
#include "common/Version.h"

namespace halvex {
namespace {

constexpr const char* kLicence =
    "Halvex is free software under the GNU General Public License, version 3 or later "
    "(GPL-3.0-or-later).\nIt comes with no warranty.";

QLabel* AddLine(QWidget* box, QVBoxLayout* lines, const QString& text, const char* name = nullptr) {
    auto* label = new QLabel(text, box);
    label->setTextFormat(Qt::PlainText);
    if (name) label->setObjectName(QString::fromLatin1(name));
    lines->addWidget(label);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About Veltra totalstation"));
    setModal(true);

    icon_ = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon_->setPixmap(ApplicationIcon().pixmap(iconSize));

    auto* lines = new QVBoxLayout;
    text_ = AddLine(this, lines,
                    QStringLiteral("Veltra Quorin series totalstation data communication"));
    const QString number = QString::fromLatin1(kVersion.data(), qsizetype(kVersion.size()));
    AddLine(this, lines, QStringLiteral("Version ") + number, "version");
    AddLine(this, lines, QString::fromLatin1(kLicence), "licence");

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(this);
    row->addWidget(icon_, 0, Qt::AlignTop);
    row->addLayout(lines, 1);
    row->addWidget(ok_, 0, Qt::AlignTop);
    // The box is exactly as large as what it shows.
    row->setSizeConstraint(QLayout::SetFixedSize);
    row->activate();
}

}  // namespace halvex
