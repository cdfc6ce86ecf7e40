#include "journal/LockWatch.h"

LockWatch::LockWatch(qint64 ageShiftMs, std::size_t cellCount)
    : m_ageShiftMs(ageShiftMs), m_lastEntry(cellCount, -1), m_locked(cellCount, 0)
{
}

void LockWatch::entered(std::size_t cell, qint64 ms)
{
    m_lastEntry[cell] = ms;
    if (m_locked[cell]) {
        m_locked[cell] = 0;
        m_wrongLocked.erase(cell);
    }
    m_waiting.emplace_back(cell, ms);
}

void LockWatch::textChanged(std::size_t cell, bool wrong)
{
    if (!m_locked[cell])
        return;
    if (wrong)
        m_wrongLocked.insert(cell);
    else
        m_wrongLocked.erase(cell);
}
