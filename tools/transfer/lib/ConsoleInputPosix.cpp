#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "transfer/lib/ConsoleInput.h"

namespace halvex::transfer {

void WaitForEnter(int fd, const std::function<bool()>& stop) {
    constexpr int kStopCheckMs = 100;
    while (!stop()) {
        pollfd input{fd, POLLIN, 0};
        const int ready = ::poll(&input, 1, kStopCheckMs);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        char byte = 0;
        const ssize_t got = ready < 0 ? -1 : ::read(fd, &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || byte == '\n') return;  // the end of the input counts as Enter
    }
}

}  // namespace halvex::transfer
