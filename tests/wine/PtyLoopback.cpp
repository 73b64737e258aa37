// A loopback plug on a pseudo-terminal, for the Windows port tests under Wine: every byte written
// to the line comes back on it. It makes a pseudo-terminal, points LINK at its device (the Wine
// prefix maps a COM port to LINK), prints the device and echoes until SIGTERM or SIGINT, then
// removes LINK. The far end stays open throughout, so a program that closes and opens the port
// again finds the line as it was.
//
//   halvex-pty-loopback LINK

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

namespace {

volatile std::sig_atomic_t stopping = 0;

void Stop(int) { stopping = 1; }

bool WriteAll(int fd, const unsigned char* bytes, ssize_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, static_cast<std::size_t>(size));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: halvex-pty-loopback LINK\n", stderr);
        return 2;
    }
    const std::string link = argv[1];
    int master = -1;
    int slave = -1;
    char device[128] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    if (::openpty(&master, &slave, device, &raw, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    ::unlink(link.c_str());
    if (::symlink(device, link.c_str()) != 0) {
        std::perror(link.c_str());
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = Stop;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    std::printf("%s\n", device);
    std::fflush(stdout);

    unsigned char chunk[4096];
    while (!stopping) {
        pollfd ready{master, POLLIN, 0};
        if (::poll(&ready, 1, 200) <= 0) continue;
        const ssize_t got = ::read(master, chunk, sizeof chunk);
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EIO)) continue;
        if (got <= 0 || !WriteAll(master, chunk, got)) break;
    }
    ::unlink(link.c_str());
    ::close(slave);
    ::close(master);
    return 0;
}
