#include "app/SerialPortsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/AppSettings.h"

namespace halvex {

namespace {

std::string NameOf(int index) { return *PortNameForIndex(index); }

// "/dev/serial/by-id/usb-... (USB Serial Converter, Maker, serial A1B2C3; /dev/ttyUSB0)".
QString DeviceText(const SerialDeviceInfo& device) {
    QStringList details;
    for (const QString& part : {device.description, device.manufacturer}) {
        if (!part.isEmpty()) details << part;
    }
    if (!device.serialNumber.isEmpty()) details << QStringLiteral("serial ") + device.serialNumber;
    if (!device.stablePath.isEmpty()) details << device.path;
    const QString path = device.PreferredPath();
    return details.isEmpty()
               ? path
               : path + QStringLiteral(" (") + details.join(QStringLiteral(", ")) + ')';
}

}  // namespace

CSerialPortsDlg::CSerialPortsDlg(PortChoices& choices, SerialDeviceList& devices,
                                 EnvironmentLookup environment, QWidget* parent)
    : QDialog(parent), choices_(choices), devices_(devices), environment_(std::move(environment)) {
    setWindowTitle(QStringLiteral("Serial Ports"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Choose the serial device that each port name opens: one found on this "
                       "machine, a path typed by hand, or nothing for the default. The choice is "
                       "kept for the next start."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* grid = new QGridLayout;
    for (int index = 0; index < kPortCount; ++index) AddPortRow(grid, index);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* refresh =
        buttons->addButton(QStringLiteral("&Refresh"), QDialogButtonBox::ActionRole);
    connect(refresh, &QPushButton::clicked, this, &CSerialPortsDlg::Refresh);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSerialPortsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSerialPortsDlg::reject);
    layout->addWidget(buttons);

    Refresh();
    resize(sizeHint().expandedTo(QSize(640, 0)));
}

void CSerialPortsDlg::AddPortRow(QGridLayout* grid, int index) {
    const QString name = QString::fromStdString(NameOf(index));
    auto* field = new QComboBox(this);
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setCompleter(nullptr);
    field->setAccessibleName(name);
    field->lineEdit()->setPlaceholderText(
        QStringLiteral("default: ") + QString::fromStdString(*DefaultDeviceForPort(NameOf(index))));
    field->setEditText(QString::fromStdString(choices_.Chosen(NameOf(index)).value_or("")));
    // Picking a listed device puts its path (without the description) into the field.
    connect(field, &QComboBox::activated, this,
            [field](int item) { field->setEditText(field->itemData(item).toString()); });
    connect(field, &QComboBox::editTextChanged, this, [this, index] { ShowWhatOpens(index); });

    auto* label = new QLabel(name + ':', this);
    label->setBuddy(field);
    auto* opens = new QLabel(this);
    opens->setWordWrap(true);
    grid->addWidget(label, index * 2, 0);
    grid->addWidget(field, index * 2, 1);
    grid->addWidget(opens, index * 2 + 1, 1);
    fields_[static_cast<std::size_t>(index)] = field;
    opens_[static_cast<std::size_t>(index)] = opens;
}

void CSerialPortsDlg::Refresh() {
    const QList<SerialDeviceInfo> found = devices_.Devices();
    for (int index = 0; index < kPortCount; ++index) {
        QComboBox* field = fields_[static_cast<std::size_t>(index)];
        const QString typed = field->currentText();
        field->blockSignals(true);
        field->clear();
        field->addItem(QStringLiteral("Default: ") +
                           QString::fromStdString(*DefaultDeviceForPort(NameOf(index))),
                       QString());
        for (const SerialDeviceInfo& device : found) {
            field->addItem(DeviceText(device), device.PreferredPath());
        }
        field->setEditText(typed);
        field->blockSignals(false);
        ShowWhatOpens(index);
    }
}

void CSerialPortsDlg::ShowWhatOpens(int index) {
    const std::string name = NameOf(index);
    const std::string typed =
        fields_[static_cast<std::size_t>(index)]->currentText().trimmed().toStdString();
    const PortDevice device = *DeviceForPort(
        name, environment_,
        [&typed](const std::string&) -> std::optional<std::string> { return typed; });
    QString text = QStringLiteral("Opens ") + QString::fromStdString(device.path);
    if (device.source == PortDeviceSource::Environment) {
        text += QStringLiteral(": the environment variable ") +
                QString::fromStdString(EnvironmentVariableForPort(name)) +
                QStringLiteral(" is set and wins over the choice here.");
    } else if (device.source == PortDeviceSource::Default) {
        text += QStringLiteral(" (the default).");
    } else {
        text += '.';
    }
    opens_[static_cast<std::size_t>(index)]->setText(text);
}

void CSerialPortsDlg::accept() {
    for (int index = 0; index < kPortCount; ++index) {
        const QString typed = fields_[static_cast<std::size_t>(index)]->currentText().trimmed();
        choices_.Choose(NameOf(index), typed.toStdString());
    }
    WritePortChoices(choices_);
    QDialog::accept();
}

}  // namespace halvex
