#include "station/lib/StationLine.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace halvex::station {

namespace {

using Clock = std::chrono::steady_clock;

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool MakeRaw(int fd) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

bool ApplyFormat(int fd, const DeviceFormat& format) {
    static constexpr std::pair<std::uint32_t, speed_t> kSpeeds[] = {
        {1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
        {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    bool known = false;
    for (const auto& [rate, code] : kSpeeds) {
        if (rate != format.baud) continue;
        ::cfsetispeed(&t, code);
        ::cfsetospeed(&t, code);
        known = true;
    }
    if (!known || (format.dataBits != 7 && format.dataBits != 8)) return false;
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    t.c_cflag |= format.dataBits == 7 ? CS7 : CS8;
    if (format.parity == 'O') t.c_cflag |= PARENB | PARODD;
    if (format.parity == 'E') t.c_cflag |= PARENB;
    if (format.stopBits == 2) t.c_cflag |= CSTOPB;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

int QueuedForProgram(int slaveFd) {
    int queued = 0;
    if (::ioctl(slaveFd, TIOCINQ, &queued) != 0) return -1;
    return queued;
}

}  // namespace

std::unique_ptr<StationLine> StationLine::CreatePseudoTerminal(std::string& error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        error = SystemError("posix_openpt");
        return nullptr;
    }
    char name[128] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        error = SystemError("pseudo-terminal setup");
        ::close(master);
        return nullptr;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0 || !MakeRaw(master) || !MakeRaw(slave) ||
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK) != 0) {
        error = SystemError("pseudo-terminal raw mode");
        if (slave >= 0) ::close(slave);
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<StationLine>(new StationLine(master, slave, name));
}

std::unique_ptr<StationLine> StationLine::OpenDevice(const std::string& path,
                                                     const DeviceFormat& format,
                                                     std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError(path);
        return nullptr;
    }
    if (!MakeRaw(fd) || !ApplyFormat(fd, format)) {
        error = path + ": cannot set the line format";
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<StationLine>(new StationLine(fd, -1, path));
}

StationLine::StationLine(int fd, int slaveHold, std::string path)
    : fd_(fd), slaveHold_(slaveHold), path_(std::move(path)) {}

StationLine::~StationLine() {
    if (fd_ >= 0) ::close(fd_);
    if (slaveHold_ >= 0) ::close(slaveHold_);
}

bool StationLine::WaitReady(short events, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd fd{fd_, events, 0};
        const int ready = ::poll(&fd, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
        if (ready < 0 && errno == EINTR) continue;
        return ready > 0 && (fd.revents & events) != 0;
    }
}

bool StationLine::Send(std::string_view bytes, std::chrono::milliseconds timeout) {
    while (!bytes.empty()) {
        if (fd_ < 0) return false;
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN) return false;
        if (!WaitReady(POLLOUT, timeout)) return false;
    }
    return true;
}

ReceiveStatus StationLine::ReceiveByte(std::uint8_t& byte, std::chrono::milliseconds timeout) {
    if (fd_ < 0) return ReceiveStatus::Closed;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const ssize_t got = ::read(fd_, &byte, 1);
        if (got == 1) {
            received_.push_back(static_cast<char>(byte));
            return ReceiveStatus::Byte;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && errno != EAGAIN) return ReceiveStatus::Closed;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || !WaitReady(POLLIN, left)) {
            if (Clock::now() >= deadline) return ReceiveStatus::Timeout;
        }
    }
}

std::string StationLine::TakePending(std::chrono::milliseconds quiet) {
    std::string taken;
    std::uint8_t byte = 0;
    while (ReceiveByte(byte, quiet) == ReceiveStatus::Byte)
        taken.push_back(static_cast<char>(byte));
    return taken;
}

bool StationLine::WaitDelivered(std::chrono::milliseconds timeout) {
    if (fd_ < 0) return false;
    if (slaveHold_ < 0) return ::tcdrain(fd_) == 0;
    // The program has taken everything once the other end's input queue stays empty; the short
    // re-checks cover bytes still on their way from the master side into that queue.
    const auto deadline = Clock::now() + timeout;
    int emptyChecks = 0;
    while (emptyChecks < 3) {
        const int queued = QueuedForProgram(slaveHold_);
        if (queued < 0) return false;
        emptyChecks = queued == 0 ? emptyChecks + 1 : 0;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

HoldEnd StationLine::HoldOpen(bool programHasLine, const StationStop& stop) {
    HoldEnd end;
    const bool pseudoTerminal = slaveHold_ >= 0;
    if (pseudoTerminal) {  // from now on only the program keeps its end open
        ::close(slaveHold_);
        slaveHold_ = -1;
    }
    bool programSeen = programHasLine || !pseudoTerminal;
    // While the program's end is not known to be open, a hang-up may only mean that it has not
    // opened it yet: look again at this pace until it has.
    constexpr timespec kLookAgain{0, 100'000'000};
    while (fd_ >= 0 && (end.signal = stop.Received()) == 0) {
        pollfd fd{fd_, POLLIN, 0};
        const int ready = ::ppoll(&fd, 1, programSeen ? nullptr : &kLookAgain, &stop.WaitMask());
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) break;
        if (ready == 0) {  // no hang-up: the program has its end open
            programSeen = true;
            continue;
        }
        if ((fd.revents & POLLIN) != 0) {
            char bytes[256];
            const ssize_t got = ::read(fd_, bytes, sizeof bytes);
            if (got > 0) {
                end.received.append(bytes, static_cast<std::size_t>(got));
                received_.append(bytes, static_cast<std::size_t>(got));
                programSeen = true;
                continue;
            }
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        }
        if (programSeen) break;  // the program has closed its end
        ::ppoll(nullptr, 0, &kLookAgain, &stop.WaitMask());
    }
    return end;
}

void StationLine::Hangup(std::chrono::milliseconds deliveryTimeout) {
    if (fd_ < 0) return;
    WaitDelivered(deliveryTimeout);
    ::close(fd_);
    fd_ = -1;
    if (slaveHold_ >= 0) {
        ::close(slaveHold_);
        slaveHold_ = -1;
    }
}

}  // namespace halvex::station
