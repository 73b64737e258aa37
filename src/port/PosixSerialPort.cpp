#include "port/PosixSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <optional>

#include "port/PortFailure.h"
#include "port/SystemPorts.h"

namespace halvex {

namespace {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC

struct BaudPair {
    std::uint32_t rate;
    speed_t code;
};
constexpr BaudPair kBauds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};

std::optional<speed_t> SpeedCode(std::uint32_t rate) {
    for (const BaudPair& pair : kBauds) {
        if (pair.rate == rate) return pair.code;
    }
    return std::nullopt;
}

std::uint32_t SpeedRate(speed_t code) {
    for (const BaudPair& pair : kBauds) {
        if (pair.code == code) return pair.rate;
    }
    return 0;
}

std::optional<tcflag_t> SizeFlag(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        case 8:
            return CS8;
        default:
            return std::nullopt;
    }
}

int DataBitsOf(tcflag_t cflag) {
    switch (cflag & CSIZE) {
        case CS5:
            return 5;
        case CS6:
            return 6;
        case CS7:
            return 7;
        default:
            return 8;
    }
}

LineSettings LineSettingsOf(const termios& t) {
    LineSettings settings;
    settings.baudRate = SpeedRate(cfgetospeed(&t));
    settings.dataBits = DataBitsOf(t.c_cflag);
    if (t.c_cflag & PARENB) {
        settings.parity = (t.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
    } else {
        settings.parity = Parity::None;
    }
    settings.stopBits = (t.c_cflag & CSTOPB) ? 2 : 1;
    return settings;
}

// Every byte 0x00..0xFF passes unchanged in both directions: no line editing, echo, signals,
// translation, stripping, parity marking or software flow control. Reads never block in the
// driver (VMIN = VTIME = 0); waiting is done with poll().
void MakeBinaryClean(termios& t) {
    t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ECHOK | ECHONL | ISIG | IEXTEN);
    t.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IUCLC | ISTRIP | PARMRK | INPCK |
                                        IGNPAR | IXON | IXOFF | IXANY);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

int OpenDevice(const std::string& devicePath) {
    // The lock must sit on the device itself, so a link and its target exclude each other.
    char* real = ::realpath(devicePath.c_str(), nullptr);
    if (real == nullptr) return -1;
    const int fd = ::open(real, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    std::free(real);
    return fd;
}

// A dead driver or a pseudo-terminal answers "cannot tell" or 0.
int OutputQueueOf(int fd) {
    int queued = 0;
    if (::ioctl(fd, TIOCOUTQ, &queued) != 0) return -1;
    return queued;
}

}  // namespace

std::unique_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& devicePath, int* error) {
    int ignored = 0;
    int& failure = error ? *error : ignored;
    const int fd = OpenDevice(devicePath);
    if (fd < 0) {
        failure = errno;
        return nullptr;
    }
    const bool exclusiveIoctl = ::geteuid() != 0;
    auto fail = [fd, &failure](int code, bool releaseExclusive) {
        failure = code;
        if (releaseExclusive) ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return nullptr;
    };
    if (!::isatty(fd)) return fail(ENOTTY, false);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(errno, false);
    // TIOCEXCL keeps out later openers that do not use flock; root is never kept out by it, so
    // for root it would only be a promise it cannot keep, and it is skipped.
    if (exclusiveIoctl && ::ioctl(fd, TIOCEXCL) != 0) return fail(errno, false);
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return fail(errno, exclusiveIoctl);
    MakeBinaryClean(t);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) return fail(errno, exclusiveIoctl);
    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) return fail(errno, exclusiveIoctl);
    return std::unique_ptr<PosixSerialPort>(new PosixSerialPort(fd, wakeFd, exclusiveIoctl));
}

PosixSerialPort::PosixSerialPort(int fd, int wakeFd, bool exclusiveIoctl)
    : fd_(fd), wakeFd_(wakeFd), exclusiveIoctl_(exclusiveIoctl) {}

PosixSerialPort::~PosixSerialPort() {
    Close();
    ::close(wakeFd_);
}

bool PosixSerialPort::SetupQueues(std::uint32_t, std::uint32_t) {
    return true;  // Linux has no driver queue-size request
}

bool PosixSerialPort::GetLineSettings(LineSettings& settings) {
    termios t{};
    if (fd_ < 0 || ::tcgetattr(fd_, &t) != 0) return false;
    settings = LineSettingsOf(t);
    return true;
}

bool PosixSerialPort::SetLineSettings(const LineSettings& settings) {
    const std::optional<speed_t> speed = SpeedCode(settings.baudRate);
    const std::optional<tcflag_t> size = SizeFlag(settings.dataBits);
    if (fd_ < 0 || !speed || !size || (settings.stopBits != 1 && settings.stopBits != 2)) {
        return false;
    }
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return false;
    ::cfsetispeed(&t, *speed);
    ::cfsetospeed(&t, *speed);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    t.c_cflag |= *size;
    if (settings.parity != Parity::None) t.c_cflag |= PARENB;
    if (settings.parity == Parity::Odd) t.c_cflag |= PARODD;
    if (settings.stopBits == 2) t.c_cflag |= CSTOPB;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    // tcsetattr succeeds when any part was applied; only the read-back tells what the driver took.
    termios applied{};
    if (::tcgetattr(fd_, &applied) != 0) return false;
    return LineSettingsOf(applied) == settings;
}

bool PosixSerialPort::SetReadTimeout(std::uint32_t totalMs) {
    readTimeoutMs_ = totalMs;
    return true;
}

int PosixSerialPort::WaitFor(short events, int timeoutMs) {
    std::optional<Clock::time_point> deadline;
    if (timeoutMs >= 0) deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (Aborted() || fd_ < 0) return -1;
        int waitMs = -1;
        if (deadline) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            waitMs = static_cast<int>(std::max<std::int64_t>(0, left.count()));
        }
        pollfd fds[2] = {{fd_, events, 0}, {wakeFd_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, waitMs);
        if (ready < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return -1;
        }
        if (fds[1].revents != 0) return -1;
        if (ready == 0) return 0;
        // Data still queued is handed out before a hang-up is reported.
        if (fds[0].revents & events) return 1;
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return -1;
    }
}

bool PosixSerialPort::FillReadAhead() {
    if (readAheadPos_ == readAhead_.size()) {
        readAhead_.clear();
        readAheadPos_ = 0;
    }
    std::uint8_t chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);
        if (got > 0) {
            readAhead_.insert(readAhead_.end(), chunk, chunk + got);
            return true;
        }
        // poll() said readable: nothing to read now means the device has gone away.
        if (got == 0) return false;
        if (errno == EINTR) continue;
        return errno == EAGAIN;
    }
}

ReadResult PosixSerialPort::Read(std::uint8_t* buffer, std::size_t count) {
    if (fd_ < 0 || Aborted()) return {ReadStatus::Failed, 0};
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(readTimeoutMs_);
    std::size_t got = 0;
    for (;;) {
        while (got < count && readAheadPos_ < readAhead_.size()) {
            buffer[got++] = readAhead_[readAheadPos_++];
        }
        if (got == count) return {ReadStatus::Ok, got};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        const int waitMs =
            static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, std::int64_t{INT_MAX}));
        const int ready = WaitFor(POLLIN, waitMs);
        if (ready == 0) return {ReadStatus::Ok, got};
        if (ready < 0 || !FillReadAhead()) return {ReadStatus::Failed, got};
    }
}

bool PosixSerialPort::Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        if (fd_ < 0 || Aborted()) return false;
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN) return false;  // EIO, ENXIO, ENODEV: the device is gone
        if (WaitFor(POLLOUT, -1) != 1) return false;
    }
    return true;
}

int PosixSerialPort::DriverOutputCount() { return OutputQueueOf(fd_); }

bool PosixSerialPort::TransmitterEmpty() {
    // Only UART drivers answer this; for the others the output count is all there is to know,
    // and they are not asked again.
    if (!askTransmitter_) return true;
    unsigned int status = 0;
    if (::ioctl(fd_, TIOCSERGETLSR, &status) != 0) {
        askTransmitter_ = errno != ENOTTY && errno != EINVAL;
        return true;
    }
    return (status & TIOCSER_TEMT) != 0;
}

bool PosixSerialPort::SleepUnlessAborted(std::chrono::milliseconds duration) {
    return WaitFor(0, static_cast<int>(duration.count())) >= 0;
}

void PosixSerialPort::DiscardOutput() { ::tcflush(fd_, TCOFLUSH); }

void PosixSerialPort::CloseDevice() {
    if (exclusiveIoctl_) ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    readAhead_.clear();
    readAheadPos_ = 0;
}

void PosixSerialPort::WakeBlockedCalls() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

PosixPortOpener::PosixPortOpener(EnvironmentLookup environment, ChosenDeviceLookup chosen)
    : environment_(std::move(environment)), chosen_(std::move(chosen)) {}

PortOpenResult PosixPortOpener::Open(const std::string& portName) {
    PortOpenResult result;
    const std::optional<PortDevice> device = DeviceForPort(portName, environment_, chosen_);
    if (!device) {
        result.failure = DescribeOpenFailure(portName, "", ENODEV);
        return result;
    }
    result.device = device->path;
    int error = 0;
    result.port = PosixSerialPort::Open(device->path, &error);
    if (!result.port) {
        result.failure = DescribeOpenFailure(portName, device->path, error, device->source);
    }
    return result;
}

}  // namespace halvex

namespace halvex {

std::unique_ptr<SerialPortOpener> MakeSystemPortOpener(ChosenDeviceLookup chosen) {
    return std::make_unique<PosixPortOpener>(ProcessEnvironment, std::move(chosen));
}

PortOpenResult OpenSystemDevice(const std::string& device) {
    PortOpenResult result;
    result.device = device;
    int error = 0;
    result.port = PosixSerialPort::Open(device, &error);
    if (!result.port) result.failure = DescribeDeviceOpenFailure(device, error);
    return result;
}

}  // namespace halvex
