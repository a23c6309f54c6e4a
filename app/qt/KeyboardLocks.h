#pragma once
// The state of the Caps, Num and Scroll lock keys, read from the X server's keyboard
// indicators. Where that cannot be read (another display server, no display), nothing is
// known and the status bar leaves its panes blank.
#include <memory>
#include <optional>

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

class KeyboardLocks {
public:
    KeyboardLocks();
    ~KeyboardLocks();
    KeyboardLocks(const KeyboardLocks&) = delete;
    KeyboardLocks& operator=(const KeyboardLocks&) = delete;

    bool CanRead() const;
    std::optional<LockKeyState> Read() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
