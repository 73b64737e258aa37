#include <io.h>
#include <windows.h>

#include "transfer/lib/ConsoleInput.h"

namespace halvex::transfer {

void WaitForEnter(int fd, const std::function<bool()>& stop) {
    constexpr DWORD kStopCheckMs = 100;
    const HANDLE input = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    while (!stop()) {
        if (::WaitForSingleObject(input, kStopCheckMs) != WAIT_OBJECT_0) continue;
        INPUT_RECORD record{};
        DWORD got = 0;
        if (!::ReadConsoleInputW(input, &record, 1, &got) || got == 0) return;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        if (record.EventType == KEY_EVENT && key.bKeyDown && key.wVirtualKeyCode == VK_RETURN) {
            return;
        }
    }
}

}  // namespace halvex::transfer
