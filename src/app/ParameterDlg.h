#pragma once
// The modal "Parameter" dialog that edits the eight communication settings. Its six radio groups
// give the index of the checked button (-1 when none is), the two edit fields take any text;
// OK runs the validation exchange and closes only when both fields pass, Cancel closes without
// reading anything.

#include <QDialog>
#include <optional>

#include "port/ParameterValidation.h"

class QButtonGroup;
class QLineEdit;
class QGroupBox;

namespace halvex {

class CParameterDlg : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog's resource, kept as the "controlId" property of each control.
    enum ControlId {
        kOk = 1,
        kCancel = 2,
        kProtocolNone = 1000,
        kTimeoutEdit = 1012,
        kDelayEdit = 1021,
    };

    explicit CParameterDlg(QWidget* parent = nullptr);

    // Loads the members into the controls (radio groups and the two edit fields).
    void SetMembers(const ParameterDialogMembers& members);
    // The members as the last successful OK left them.
    ParameterDialogMembers Members() const { return members_; }

    QLineEdit* TimeoutEdit() const { return timeoutEdit_; }
    QLineEdit* DelayEdit() const { return delayEdit_; }
    // The radio group of a member, in the order baud, data bits, parity, port, protocol, stop.
    QButtonGroup* BaudGroup() const { return baud_; }
    QButtonGroup* DataBitsGroup() const { return dataBits_; }
    QButtonGroup* ParityGroup() const { return parity_; }
    QButtonGroup* PortGroup() const { return port_; }
    QButtonGroup* ProtocolGroup() const { return protocol_; }
    QButtonGroup* StopBitsGroup() const { return stopBits_; }

public slots:
    void accept() override;

private:
    QButtonGroup* AddRadioGroup(const std::initializer_list<std::pair<int, const char*>>& buttons,
                                const std::initializer_list<QRect>& rects);
    QGroupBox* AddGroupBox(const char* title, QRect rect);
    void AddLabel(const QString& text, QRect rect);
    QLineEdit* AddEdit(int id, QRect rect);
    void FailOn(QLineEdit* edit, const std::string& message);

    ParameterDialogMembers members_;
    QButtonGroup* protocol_ = nullptr;
    QButtonGroup* port_ = nullptr;
    QButtonGroup* baud_ = nullptr;
    QButtonGroup* dataBits_ = nullptr;
    QButtonGroup* stopBits_ = nullptr;
    QButtonGroup* parity_ = nullptr;
    QLineEdit* timeoutEdit_ = nullptr;
    QLineEdit* delayEdit_ = nullptr;
};

// Runs the dialog on `current`: the confirmed settings, or nothing when cancelled. This is the
// parameter editor the application installs for the view.
std::optional<CommSettingsValues> RunParameterDialog(QWidget* parent,
                                                     const CommSettingsValues& current);

}  // namespace halvex
