#include "app/ParameterDlg.h"

#include <QButtonGroup>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/MessageBoxes.h"

namespace halvex {

namespace {

// The dialog is laid out in dialog units (230 by 160): a horizontal unit is a quarter of an
// average character, a vertical one an eighth of the line height, in tenths of a pixel here.
constexpr int kUnitX = 22;
constexpr int kUnitY = 20;

QRect Units(int x, int y, int width, int height) {
    return {x * kUnitX / 10, y * kUnitY / 10, width * kUnitX / 10, height * kUnitY / 10};
}

void CheckIndex(QButtonGroup* group, int index) {
    group->setExclusive(false);
    const auto buttons = group->buttons();
    for (int i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(i == index);
    group->setExclusive(true);
}

int CheckedIndex(const QButtonGroup* group) {
    const auto buttons = group->buttons();
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) return i;
    }
    return -1;
}

}  // namespace

CParameterDlg::CParameterDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Parameter"));
    setModal(true);
    setFixedSize(Units(0, 0, 230, 160).size());
    QFont dialogFont(QStringLiteral("System"));
    dialogFont.setPointSize(9);
    setFont(dialogFont);

    // In creation order, as the dialog resource lists the controls.
    AddGroupBox("PROTOCOL", Units(6, 6, 95, 26));
    protocol_ = AddRadioGroup({{1000, "None"}, {1001, "Ack/Nak"}},
                              {Units(12, 17, 29, 10), Units(54, 17, 39, 10)});
    AddLabel(QStringLiteral("Timeout") + QChar(0x00A3) + QChar(0x00BA), Units(117, 10, 48, 8));
    timeoutEdit_ = AddEdit(kTimeoutEdit, Units(165, 8, 31, 12));
    AddLabel(QStringLiteral("second"), Units(200, 11, 24, 8));
    AddLabel(QStringLiteral("delay time each line:"), Units(110, 26, 69, 8));
    delayEdit_ = AddEdit(kDelayEdit, Units(183, 24, 26, 12));
    AddLabel(QStringLiteral("ms"), Units(213, 26, 10, 8));
    AddGroupBox("PORT", Units(6, 37, 217, 26));
    port_ = AddRadioGroup({{1002, "COM1"}, {1003, "COM2"}, {1004, "COM3"}, {1005, "COM4"},
                           {1006, "COM5"}, {1007, "COM6"}},
                          {Units(12, 50, 31, 10), Units(47, 50, 31, 10), Units(82, 50, 31, 10),
                           Units(117, 50, 31, 10), Units(152, 50, 31, 10), Units(187, 50, 31, 10)});
    AddGroupBox("BAUD", Units(6, 68, 216, 37));
    baud_ = AddRadioGroup({{1008, "1200"}, {1009, "2400"}, {1010, "4800"}, {1011, "9600"},
                           {1020, "19200"}, {1022, "38400"}, {1023, "57600"}, {1024, "115200"}},
                          {Units(14, 80, 29, 10), Units(66, 80, 29, 10), Units(121, 80, 29, 10),
                           Units(174, 80, 29, 10), Units(14, 92, 29, 10), Units(66, 92, 36, 10),
                           Units(121, 92, 36, 10), Units(174, 92, 40, 10)});
    AddGroupBox("Data bit", Units(6, 110, 53, 26));
    dataBits_ = AddRadioGroup({{1016, "7"}, {1017, "8"}},
                              {Units(13, 122, 17, 10), Units(38, 122, 17, 10)});
    AddGroupBox("Stop bit", Units(70, 110, 52, 26));
    stopBits_ = AddRadioGroup({{1018, "1"}, {1019, "2"}},
                              {Units(77, 122, 17, 10), Units(102, 122, 17, 10)});
    AddGroupBox("PARITY", Units(133, 110, 90, 26));
    parity_ = AddRadioGroup({{1013, "None"}, {1014, "Odd"}, {1015, "Even"}},
                            {Units(136, 122, 29, 10), Units(166, 122, 25, 10),
                             Units(194, 122, 26, 10)});

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(Units(31, 142, 50, 14));
    ok->setDefault(true);
    ok->setProperty("controlId", kOk);
    connect(ok, &QPushButton::clicked, this, &CParameterDlg::accept);
    auto* cancel = new QPushButton(QStringLiteral("CANCEL"), this);
    cancel->setGeometry(Units(153, 142, 50, 14));
    cancel->setProperty("controlId", kCancel);
    connect(cancel, &QPushButton::clicked, this, &CParameterDlg::reject);

    // Only the two edit fields and the two push buttons are tab stops.
    setTabOrder(timeoutEdit_, delayEdit_);
    setTabOrder(delayEdit_, ok);
    setTabOrder(ok, cancel);
}

QGroupBox* CParameterDlg::AddGroupBox(const char* title, QRect rect) {
    auto* box = new QGroupBox(QString::fromLatin1(title), this);
    box->setGeometry(rect);
    box->lower();  // the radio buttons are the dialog's children and sit on top of the frame
    return box;
}

void CParameterDlg::AddLabel(const QString& text, QRect rect) {
    auto* label = new QLabel(text, this);
    label->setGeometry(rect);
}

QLineEdit* CParameterDlg::AddEdit(int id, QRect rect) {
    auto* edit = new QLineEdit(this);
    edit->setGeometry(rect);
    edit->setProperty("controlId", id);
    return edit;
}

QButtonGroup* CParameterDlg::AddRadioGroup(
    const std::initializer_list<std::pair<int, const char*>>& buttons,
    const std::initializer_list<QRect>& rects) {
    auto* group = new QButtonGroup(this);
    auto rect = rects.begin();
    for (const auto& [id, label] : buttons) {
        auto* radio = new QRadioButton(QString::fromLatin1(label), this);
        radio->setGeometry(*rect++);
        radio->setProperty("controlId", id);
        radio->setFocusPolicy(Qt::ClickFocus);
        group->addButton(radio, id);
    }
    return group;
}

void CParameterDlg::SetMembers(const ParameterDialogMembers& members) {
    members_ = members;
    CheckIndex(baud_, members.baudIndex);
    CheckIndex(dataBits_, members.dataBitsIndex);
    CheckIndex(parity_, members.parityIndex);
    CheckIndex(port_, members.portIndex);
    CheckIndex(protocol_, members.protocol);
    CheckIndex(stopBits_, members.stopBitsIndex);
    timeoutEdit_->setText(QString::fromStdString(TimeoutFieldText(members.timeout)));
    delayEdit_->setText(QString::fromStdString(DelayFieldText(members.delay)));
}

void CParameterDlg::accept() {
    // The radio groups are read first and never fail; the members keep them even when an edit
    // field fails, as the exchange stops only at the field.
    members_.baudIndex = CheckedIndex(baud_);
    members_.dataBitsIndex = CheckedIndex(dataBits_);
    members_.parityIndex = CheckedIndex(parity_);
    members_.portIndex = CheckedIndex(port_);
    members_.protocol = CheckedIndex(protocol_);
    members_.stopBitsIndex = CheckedIndex(stopBits_);

    const ParameterValidation result = ValidateParameterFields(
        timeoutEdit_->text().toLatin1().toStdString(), delayEdit_->text().toLatin1().toStdString());
    if (!result.ok) {
        FailOn(result.failedField == ParameterField::Timeout ? timeoutEdit_ : delayEdit_,
               result.message);
        return;
    }
    members_.timeout = result.timeout;
    members_.delay = result.delay;
    QDialog::accept();
}

void CParameterDlg::FailOn(QLineEdit* edit, const std::string& message) {
    ShowAppMessage(this, QString::fromStdString(message), MessageIcon::Warning);
    edit->setFocus();
    edit->selectAll();
}

std::optional<CommSettingsValues> RunParameterDialog(QWidget* parent,
                                                     const CommSettingsValues& current) {
    CParameterDlg dialog(parent);
    dialog.SetMembers(DialogMembersFrom(current));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return CommSettingsFrom(dialog.Members());
}

}  // namespace halvex
