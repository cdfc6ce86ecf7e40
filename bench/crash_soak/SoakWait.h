#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Polls `condition` until it holds or `timeout` has passed; false on the timeout. The soaks wait for what
// the program shows or writes this way, never for a fixed time.
inline bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                    std::chrono::microseconds interval = std::chrono::milliseconds(5))
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(interval);
    }
    return true;
}
