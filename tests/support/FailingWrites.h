#pragma once

#include "files/PosixWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <limits>
#include <memory>
#include <unistd.h>

// A ::write stand-in for a device that runs out of room: it writes the first `accepted` bytes for
// real, at most `chunk` bytes a call, and then answers every call with `failure` and `failureErrno`.
inline WriteCall failingAfter(size_t accepted, ssize_t failure, int failureErrno,
                              size_t chunk = std::numeric_limits<size_t>::max())
{
    auto written = std::make_shared<size_t>(0);
    return [=](int fd, const void* data, size_t size) -> ssize_t {
        if (*written >= accepted) {
            errno = failureErrno;
            return failure;
        }
        const ssize_t done = ::write(fd, data, std::min({size, accepted - *written, chunk}));
        *written += size_t(done);
        return done;
    };
}
