#pragma once
// The about box: the application icon, "Veltra Quorin series totalstation data communication"
// and a default OK button, laid out in dialog units of its Times New Roman 9 point font (widened
// where the installed stand-in for that font needs more room for the text).

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
