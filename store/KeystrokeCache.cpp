#include "KeystrokeCache.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

#include <cstring>

namespace {
constexpr char Magic[8] = {'K', 'R', 'V', 'K', 'E', 'Y', 'S', '1'};

struct Header
{
    char magic[8];
    quint64 sessions;
    quint64 keystrokes;
    quint64 checksum;
};

// Quick over tens of megabytes, and enough to tell a torn or mixed-up file from the one written.
quint64 checksumOf(const void* data, std::size_t bytes, quint64 hash)
{
    const auto* words = static_cast<const unsigned char*>(data);
    std::size_t index = 0;
    for (; index + 8 <= bytes; index += 8) {
        quint64 word;
        std::memcpy(&word, words + index, 8);
        hash = (hash ^ word) * 0x100000001b3ULL;
        hash ^= hash >> 29;
    }
    for (; index < bytes; ++index)
        hash = (hash ^ words[index]) * 0x100000001b3ULL;
    return hash;
}

quint64 checksumOf(const KeystrokeCache& cache)
{
    const quint64 keys =
        checksumOf(cache.sessions.data(), cache.sessions.size() * sizeof(SessionKey), 0xcbf29ce484222325ULL);
    return checksumOf(cache.keystrokes.data(), cache.keystrokes.size() * sizeof(HistoryKeystroke), keys);
}

bool readExactly(QFile& file, void* data, qint64 bytes)
{
    return file.read(static_cast<char*>(data), bytes) == bytes;
}
} // namespace

quint64 startHash(QStringView startedUtc)
{
    return checksumOf(startedUtc.data(), std::size_t(startedUtc.size()) * sizeof(QChar), 0xcbf29ce484222325ULL);
}

std::optional<KeystrokeCache> readKeystrokeCache(const QString& path, std::size_t capacity)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Header header{};
    if (!readExactly(file, &header, sizeof header) || std::memcmp(header.magic, Magic, sizeof Magic) != 0)
        return std::nullopt;
    const quint64 expectedSize =
        sizeof header + header.sessions * sizeof(SessionKey) + header.keystrokes * sizeof(HistoryKeystroke);
    if (header.sessions > (quint64(1) << 32) || header.keystrokes > (quint64(1) << 36) ||
        quint64(file.size()) != expectedSize)
        return std::nullopt;
    KeystrokeCache cache;
    cache.sessions.resize(std::size_t(header.sessions));
    cache.keystrokes.reserve(std::max(capacity, std::size_t(header.keystrokes)));
    cache.keystrokes.resize(std::size_t(header.keystrokes));
    if (!readExactly(file, cache.sessions.data(), qint64(header.sessions * sizeof(SessionKey))) ||
        !readExactly(file, cache.keystrokes.data(), qint64(header.keystrokes * sizeof(HistoryKeystroke))) ||
        checksumOf(cache) != header.checksum)
        return std::nullopt;
    qint64 counted = 0;
    for (const SessionKey& session : cache.sessions)
        counted += session.typed;
    if (counted != qint64(cache.keystrokes.size()))
        return std::nullopt;
    return cache;
}

bool writeKeystrokeCache(const QString& path, const KeystrokeCache& cache)
{
    Header header{};
    std::memcpy(header.magic, Magic, sizeof Magic);
    header.sessions = cache.sessions.size();
    header.keystrokes = cache.keystrokes.size();
    header.checksum = checksumOf(cache);
    // Written in its parts, not copied into one buffer first: tens of megabytes.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const qint64 keyBytes = qint64(cache.sessions.size() * sizeof(SessionKey));
    const qint64 keystrokeBytes = qint64(cache.keystrokes.size() * sizeof(HistoryKeystroke));
    return file.write(reinterpret_cast<const char*>(&header), sizeof header) == qint64(sizeof header) &&
           file.write(reinterpret_cast<const char*>(cache.sessions.data()), keyBytes) == keyBytes &&
           file.write(reinterpret_cast<const char*>(cache.keystrokes.data()), keystrokeBytes) == keystrokeBytes &&
           file.commit();
}

bool cacheStillHolds(const std::vector<SessionKey>& cached, const std::vector<SessionKey>& current)
{
    if (cached.size() > current.size())
        return false;
    return std::equal(cached.begin(), cached.end(), current.begin());
}
