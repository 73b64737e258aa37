#include "port/Win32SerialPort.h"

#include <algorithm>

#include "port/ComPortName.h"
#include "port/PortFailure.h"
#include "port/SystemPorts.h"

namespace halvex {

namespace {

// Every byte 0x00..0xFF passes unchanged in both directions: binary mode, no software flow
// control, no parity check or error replacement, NUL bytes kept, and an error on the line stops
// nothing. Hardware flow control and the modem lines are left as found.
void MakeBinaryClean(DCB& dcb) {
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
}

bool ReadState(HANDLE port, DCB& dcb) {
    dcb = DCB{};
    dcb.DCBlength = sizeof dcb;
    return ::GetCommState(port, &dcb) != 0;
}

LineSettings LineSettingsOf(const DCB& dcb) {
    LineSettings settings;
    settings.baudRate = dcb.BaudRate;
    settings.dataBits = dcb.ByteSize;
    switch (dcb.Parity) {
        case ODDPARITY:
            settings.parity = Parity::Odd;
            break;
        case EVENPARITY:
            settings.parity = Parity::Even;
            break;
        default:
            settings.parity = Parity::None;
            break;
    }
    settings.stopBits = dcb.StopBits == ONESTOPBIT ? 1 : 2;
    return settings;
}

BYTE ParityCode(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return ODDPARITY;
        case Parity::Even:
            return EVENPARITY;
        case Parity::None:
            break;
    }
    return NOPARITY;
}

HANDLE NewEvent() { return ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }

}  // namespace

std::unique_ptr<Win32SerialPort> Win32SerialPort::Open(const std::string& deviceName,
                                                       unsigned long* error) {
    unsigned long ignored = 0;
    unsigned long& failure = error ? *error : ignored;
    // No sharing: no other opener gets the port while it is open. OPEN_EXISTING never creates.
    const HANDLE port = ::CreateFileA(deviceName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        failure = ::GetLastError();
        return nullptr;
    }
    DCB dcb;
    if (!ReadState(port, dcb)) {
        ::CloseHandle(port);
        failure = ERROR_NOT_SUPPORTED;  // a file or device that has no line settings
        return nullptr;
    }
    MakeBinaryClean(dcb);
    const HANDLE events[3] = {NewEvent(), NewEvent(), NewEvent()};
    if (!::SetCommState(port, &dcb) || !events[0] || !events[1] || !events[2]) {
        failure = ::GetLastError();
        for (HANDLE event : events) {
            if (event) ::CloseHandle(event);
        }
        ::CloseHandle(port);
        return nullptr;
    }
    return std::unique_ptr<Win32SerialPort>(
        new Win32SerialPort(port, events[0], events[1], events[2]));
}

Win32SerialPort::Win32SerialPort(HANDLE port, HANDLE abortEvent, HANDLE readEvent,
                                 HANDLE writeEvent)
    : port_(port), abortEvent_(abortEvent), readEvent_(readEvent), writeEvent_(writeEvent) {}

Win32SerialPort::~Win32SerialPort() {
    Close();
    ::CloseHandle(abortEvent_);
    ::CloseHandle(readEvent_);
    ::CloseHandle(writeEvent_);
}

bool Win32SerialPort::SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) {
    return IsOpen() && ::SetupComm(port_, inputBytes, outputBytes) != 0;
}

bool Win32SerialPort::GetLineSettings(LineSettings& settings) {
    DCB dcb;
    if (!IsOpen() || !ReadState(port_, dcb)) return false;
    settings = LineSettingsOf(dcb);
    return true;
}

bool Win32SerialPort::SetLineSettings(const LineSettings& settings) {
    DCB dcb;
    if (!IsOpen() || !ReadState(port_, dcb)) return false;
    dcb.BaudRate = settings.baudRate;
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = ParityCode(settings.parity);
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    MakeBinaryClean(dcb);
    if (!::SetCommState(port_, &dcb)) return false;
    // A driver may take part of the request and say nothing: only the read-back tells.
    DCB applied;
    return ReadState(port_, applied) && LineSettingsOf(applied) == settings;
}

bool Win32SerialPort::SetReadTimeout(std::uint32_t totalMs) {
    COMMTIMEOUTS timeouts{};
    // The total time-out alone: every read waits at most totalMs, however many bytes it asks
    // for. Writes have no time-out. A time-out of 0 returns at once with what has arrived (all
    // zero would mean "wait for every byte").
    timeouts.ReadIntervalTimeout = totalMs == 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = totalMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    return IsOpen() && ::SetCommTimeouts(port_, &timeouts) != 0;
}

bool Win32SerialPort::Await(OVERLAPPED& overlapped, DWORD& transferred) {
    const HANDLE waits[2] = {overlapped.hEvent, abortEvent_};
    const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke != WAIT_OBJECT_0) ::CancelIoEx(port_, &overlapped);
    // Collected in every case, so the operation no longer uses `overlapped` on return.
    const BOOL done = ::GetOverlappedResult(port_, &overlapped, &transferred, TRUE);
    return done && woke == WAIT_OBJECT_0 && !Aborted();
}

ReadResult Win32SerialPort::Read(std::uint8_t* buffer, std::size_t count) {
    if (!IsOpen() || Aborted()) return {ReadStatus::Failed, 0};
    OVERLAPPED overlapped{};
    overlapped.hEvent = readEvent_;
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
    if (!::ReadFile(port_, buffer, asked, nullptr, &overlapped) &&
        ::GetLastError() != ERROR_IO_PENDING) {
        return {ReadStatus::Failed, 0};
    }
    DWORD got = 0;
    if (!Await(overlapped, got)) return {ReadStatus::Failed, got};
    return {ReadStatus::Ok, got};
}

bool Win32SerialPort::Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        if (!IsOpen() || Aborted()) return false;
        OVERLAPPED overlapped{};
        overlapped.hEvent = writeEvent_;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(port_, bytes.data(), chunk, nullptr, &overlapped) &&
            ::GetLastError() != ERROR_IO_PENDING) {
            return false;
        }
        DWORD written = 0;
        if (!Await(overlapped, written) || written == 0) return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

int Win32SerialPort::DriverOutputCount() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(port_, &errors, &status)) return -1;
    return static_cast<int>(std::min<DWORD>(status.cbOutQue, 1u << 30));
}

bool Win32SerialPort::SleepUnlessAborted(std::chrono::milliseconds duration) {
    const DWORD ms = static_cast<DWORD>(std::max<std::int64_t>(duration.count(), 0));
    return ::WaitForSingleObject(abortEvent_, ms) == WAIT_TIMEOUT;
}

void Win32SerialPort::DiscardOutput() { ::PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR); }

void Win32SerialPort::CloseDevice() {
    std::lock_guard lock(handleMutex_);
    ::CloseHandle(port_);
    port_ = INVALID_HANDLE_VALUE;
}

void Win32SerialPort::WakeBlockedCalls() {
    ::SetEvent(abortEvent_);
    std::lock_guard lock(handleMutex_);
    if (port_ == INVALID_HANDLE_VALUE) return;
    ::CancelIoEx(port_, nullptr);
    ::PurgeComm(port_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

PortOpenResult Win32PortOpener::Open(const std::string& portName) {
    PortOpenResult result;
    bool known = false;
    for (std::int32_t index = 0; index < kPortCount; ++index) {
        known = known || PortNameForIndex(index) == portName;
    }
    if (!known) {
        result.failure = DescribeOpenFailure(portName, "", ERROR_FILE_NOT_FOUND);
        return result;
    }
    result.device = portName;  // on Windows the port name is the device
    unsigned long error = 0;
    result.port = Win32SerialPort::Open(ComDeviceName(portName), &error);
    if (!result.port) result.failure = DescribeOpenFailure(portName, portName, error);
    return result;
}

std::unique_ptr<SerialPortOpener> MakeSystemPortOpener(ChosenDeviceLookup) {
    return std::make_unique<Win32PortOpener>();
}

PortOpenResult OpenSystemDevice(const std::string& device) {
    PortOpenResult result;
    result.device = device;
    unsigned long error = 0;
    result.port = Win32SerialPort::Open(ComDeviceName(device), &error);
    if (!result.port) result.failure = DescribeDeviceOpenFailure(device, error);
    return result;
}

}  // namespace halvex
