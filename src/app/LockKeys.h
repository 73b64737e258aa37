#pragma once
// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status bar's indicators.
// Under X11 it is read from the keyboard extension; where the platform gives no way to read it
// (Wayland, the offscreen platform) every key reads as off and the indicators stay blank.

namespace halvex {

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
    bool operator==(const LockKeyState&) const = default;
};

LockKeyState ReadLockKeys();

}  // namespace halvex
