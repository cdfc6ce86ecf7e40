#pragma once

#include "training/progress/HistoryKeystroke.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>
#include <vector>

// A session as far as its keystrokes go. A session only ever gains keystrokes, and its row counts
// them, so the same session with the same start and the same count has the same keystrokes.
struct SessionKey
{
    qint64 sessionId = 0;
    qint64 typed = 0;
    quint64 startHash = 0;

    bool operator==(const SessionKey&) const = default;
};

quint64 startHash(QStringView startedUtc);

// Every keystroke of the sessions named, in the order of session and sequence: the progress views read
// millions of them, and scanning them all out of the database takes longer than opening a view may.
struct KeystrokeCache
{
    std::vector<SessionKey> sessions;
    std::vector<HistoryKeystroke> keystrokes;
};

// The cache kept at `path`, or nothing when there is none, or it is of another version, torn or does not
// add up: then the keystrokes are read from the database as if there never was one. Its keystrokes have
// room for `capacity`, so that those typed since join them without a second copy of them all.
std::optional<KeystrokeCache> readKeystrokeCache(const QString& path, std::size_t capacity = 0);
// Replaces the cache at `path` whole. Only a cache: false when it could not be written, and nothing
// depends on it.
bool writeKeystrokeCache(const QString& path, const KeystrokeCache& cache);

// Whether every session of `cached` is still there as it was, the first ones of `current` in the same
// order: then the cache's keystrokes stand, and only those of the later sessions are missing.
bool cacheStillHolds(const std::vector<SessionKey>& cached, const std::vector<SessionKey>& current);
