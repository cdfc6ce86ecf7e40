#pragma once

#include <pugixml.hpp>

// The settings the recall stage and the results screen take from SettingsDocument. The special number
// is not among them: those screens read the selected digits instead.
struct StageSettings
{
    int digitsPerRow = 30;
    int groupSize = 1;
    bool showStageTimer = true;
    int concentrationSeconds = 60;
    bool cellTimerOn = true;
};

// "set02", "set03" and "set05" as 16-bit integers; "set04" and "set06" are on when they equal the
// number 0. A value that is missing or not a positive 16-bit integer (or, for the two switches, not a
// whole number) gives that setting's default, so no screen ever divides by a zero row or group size.
StageSettings readStageSettings(const pugi::xml_document& settingsDocument);

// "set02" as readStageSettings reads it.
int digitsPerRowSetting(const pugi::xml_document& settingsDocument);
