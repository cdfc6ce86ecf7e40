#include "settings/StageSettings.h"

#include "settings/SettingsFile.h"

#include <limits>

namespace {
int positiveShort(const pugi::xml_node& section, SettingsListId list, int fallback)
{
    const std::optional<int> value =
        SettingsFile::integerValue(section.attribute(SettingsFile::attributeOf(list).name));
    return value && *value > 0 && *value <= std::numeric_limits<qint16>::max() ? *value : fallback;
}

bool isZero(const pugi::xml_node& section, SettingsListId list, bool fallback)
{
    const std::optional<int> value =
        SettingsFile::integerValue(section.attribute(SettingsFile::attributeOf(list).name));
    return value ? *value == 0 : fallback;
}
} // namespace

StageSettings readStageSettings(const pugi::xml_document& settingsDocument)
{
    const pugi::xml_node section = SettingsFile::section(settingsDocument);
    const StageSettings defaults;
    StageSettings settings;
    settings.digitsPerRow = positiveShort(section, SettingsListId::ColCount, defaults.digitsPerRow);
    settings.groupSize = positiveShort(section, SettingsListId::GroupCount, defaults.groupSize);
    settings.showStageTimer = isZero(section, SettingsListId::Timer, defaults.showStageTimer);
    settings.concentrationSeconds = positiveShort(section, SettingsListId::ConTime, defaults.concentrationSeconds);
    settings.cellTimerOn = isZero(section, SettingsListId::CellTimer, defaults.cellTimerOn);
    return settings;
}

int digitsPerRowSetting(const pugi::xml_document& settingsDocument)
{
    return readStageSettings(settingsDocument).digitsPerRow;
}
