#pragma once

#include "settings/PickList.h"

#include <array>

// The six lists of the settings screen, named after its combo boxes.
enum class SettingsListId
{
    Type,
    ColCount,
    GroupCount,
    Timer,
    ConTime,
    CellTimer
};

inline constexpr std::array<SettingsListId, 6> AllSettingsLists = {
    SettingsListId::Type,  SettingsListId::ColCount, SettingsListId::GroupCount,
    SettingsListId::Timer, SettingsListId::ConTime,  SettingsListId::CellTimer,
};

// The type list's entries as the special-number table names them; the screen passes the table's own.
QStringList defaultTypeEntries();
QStringList columnCountEntries();
// The divisors of the column count at `columnCountPosition` other than the count itself; empty for a
// position that names no column count.
QStringList groupCountEntries(int columnCountPosition);
QStringList yesNoEntries();
QStringList concentrationEntries();

class SettingsLists final
{
public:
    explicit SettingsLists(const QStringList& typeEntries);

    PickList& operator[](SettingsListId id) { return m_lists[std::size_t(id)]; }
    const PickList& operator[](SettingsListId id) const { return m_lists[std::size_t(id)]; }

private:
    std::array<PickList, 6> m_lists;
};
