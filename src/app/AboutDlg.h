#pragma once
// The about box: the application icon, "Veltra Quorin series totalstation data communication"
// and a default OK button, laid out in dialog units of its Times New Roman 9 point font.

#include <QDialog>

class QLabel;
class QPushButton;

namespace halvex {

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* Text() const { return text_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QLabel* text_;
    QPushButton* ok_;
};

}  // namespace halvex
