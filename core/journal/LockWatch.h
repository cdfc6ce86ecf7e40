#pragma once

#include "rules/AttemptRules.h"

#include <QtGlobal>

#include <deque>
#include <set>
#include <utility>
#include <vector>

// Which cells are locked, and which of them are wrong, as the journal's time goes on, by the lock rule
// (isLockedAtAgeMs). A cell stays locked until it is entered again. Entries come in time order, so the
// cells waiting to lock form a queue; no step visits the whole sheet.
class LockWatch final
{
public:
    // Every age is judged `ageShiftMs` longer than the journal shows it: the replay watches the cells
    // locked for certain and those perhaps locked, within its timing allowance.
    LockWatch(qint64 ageShiftMs, std::size_t cellCount);

    // A non-empty text was committed into `cell` at `ms`: its lock starts over.
    void entered(std::size_t cell, qint64 ms);
    // Locks every cell whose entry age at `ms` locks it; `isWrong(cell)` tells whether the text of a
    // cell differs from its question digit.
    template <typename IsWrong> void advanceTo(qint64 ms, const IsWrong& isWrong);
    // The text of `cell` changed without an entry (a restored draft).
    void textChanged(std::size_t cell, bool wrong);

    bool hasWrongLockedCell() const { return !m_wrongLocked.empty(); }
    // The first wrong locked cell in reading order; only when hasWrongLockedCell().
    std::size_t firstWrongLockedCell() const { return *m_wrongLocked.begin(); }
    bool isLocked(std::size_t cell) const { return m_locked[cell] != 0; }

private:
    qint64 m_ageShiftMs;
    std::vector<qint64> m_lastEntry;
    std::vector<unsigned char> m_locked;
    std::deque<std::pair<std::size_t, qint64>> m_waiting; // (cell, entry time), oldest first
    std::set<std::size_t> m_wrongLocked;
};

template <typename IsWrong> void LockWatch::advanceTo(qint64 ms, const IsWrong& isWrong)
{
    while (!m_waiting.empty() && isLockedAtAgeMs(ms - m_waiting.front().second + m_ageShiftMs)) {
        const auto [cell, entry] = m_waiting.front();
        m_waiting.pop_front();
        // An older entry of a cell entered again since is not its lock.
        if (m_lastEntry[cell] != entry || m_locked[cell])
            continue;
        m_locked[cell] = 1;
        if (isWrong(cell))
            m_wrongLocked.insert(cell);
    }
}
