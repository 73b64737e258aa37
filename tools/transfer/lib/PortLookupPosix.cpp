#include "port/PortChoices.h"
#include "port/SystemPorts.h"
#include "settings/PortChoiceSettings.h"
#include "transfer/lib/PortLookup.h"

namespace halvex::transfer {

namespace {

// Holds the choices read from the settings file for as long as the opener lives.
class ChosenPortOpener : public SerialPortOpener {
public:
    ChosenPortOpener() {
        ReadPortChoices(choices_);
        opener_ = MakeSystemPortOpener(choices_.Lookup());
    }
    PortOpenResult Open(const std::string& portName) override { return opener_->Open(portName); }

private:
    PortChoices choices_;
    std::unique_ptr<SerialPortOpener> opener_;
};

}  // namespace

const char* const kPortOptionHelp =
    "COM1 to COM6 (COM1), mapped as in the window: HALVEX_COMn,\n"
    "then the device chosen in Serial Ports, then /dev/ttyS0..5";
const char* const kDeviceOptionValue = "PATH";
const char* const kDeviceOptionHelp = "open PATH instead of a port name";

std::unique_ptr<SerialPortOpener> MakePortNameOpener() {
    return std::make_unique<ChosenPortOpener>();
}

}  // namespace halvex::transfer
