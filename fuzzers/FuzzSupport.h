#pragma once

#include "files/ProgramDirectory.h"

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run the way a crash does, so libFuzzer keeps the input that broke it.
[[noreturn]] inline void invariantBroken(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void require(bool holds, const char* what)
{
    if (!holds)
        invariantBroken(what);
}

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The program directory of a fuzz run, made once. In memory where the system offers it: every stored file
// is flushed to disk, and a disk would make each run thousands of times slower.
inline QString fuzzProgramDirectory()
{
    static QTemporaryDir directory(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/korvalin-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/korvalin-fuzz-XXXXXX"));
    if (!directory.isValid())
        invariantBroken("no temporary program directory");
    setProgramDirectory(directory.path());
    return directory.path();
}
