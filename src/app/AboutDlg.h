#pragma once
// The about box: the application icon, "Veltra Quorin series totalstation data communication",
// the version and the licence, and a default OK button, in the application's font, as small as
// its contents.

#include <QDialog>

class QLabel;
class QPushButton;

namespace halvex {

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* Icon() const { return icon_; }
    QLabel* Text() const { return text_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QLabel* icon_;
    QLabel* text_;
    QPushButton* ok_;
};

}  // namespace halvex
