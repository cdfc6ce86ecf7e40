#include "ScriptChoices.h"

int SeededChoices::number(int low, int high)
{
    if (high <= low)
        return low;
    const auto range = std::uint64_t(std::int64_t(high) - low) + 1;
    return int(std::int64_t(low) + std::int64_t(m_random() % range));
}

int ByteChoices::number(int low, int high)
{
    if (high <= low)
        return low;
    const auto range = std::uint64_t(std::int64_t(high) - low) + 1;
    std::uint64_t value = 0;
    int shift = 0;
    for (std::uint64_t span = 1; span < range && m_position < m_size; span <<= 8, shift += 8)
        value |= std::uint64_t(m_data[m_position++]) << shift;
    return int(std::int64_t(low) + std::int64_t(value % range));
}

int RecordingChoices::number(int low, int high)
{
    const int chosen = m_seeded.number(low, high);
    if (high <= low)
        return chosen;
    const auto range = std::uint64_t(std::int64_t(high) - low) + 1;
    const auto value = std::uint64_t(std::int64_t(chosen) - low);
    int shift = 0;
    for (std::uint64_t span = 1; span < range; span <<= 8, shift += 8)
        m_bytes.push_back(std::uint8_t(value >> shift));
    return chosen;
}
