#pragma once

class QWidget;
class SettingsController;
class SettingsWriteNotice;

// What START does before a stage may open: a data folder that cannot take this attempt's drafts is said
// with its reason, and the operator starts anyway or stays in the settings; then the settings are stored.
class StartCheck final
{
public:
    StartCheck(QWidget& window, SettingsController& settings, SettingsWriteNotice& notice)
        : m_window(window), m_settings(settings), m_notice(notice)
    {
    }

    // True when the stage may open.
    bool run();

private:
    bool draftsCanBeSavedOrUserAccepts();

    QWidget& m_window;
    SettingsController& m_settings;
    SettingsWriteNotice& m_notice;
};
