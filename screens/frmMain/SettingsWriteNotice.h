#pragma once

struct WriteResult;
class QWidget;

// A settings file that cannot be written is said once a run, with its reason; the chosen values stay in use.
class SettingsWriteNotice final
{
public:
    explicit SettingsWriteNotice(QWidget& owner) : m_owner(owner) {}

    void report(const WriteResult& result);
    // Another box has already said why the data folder cannot be written; the stores that follow fail
    // for the same reason.
    void alreadySaid() { m_reported = true; }

private:
    QWidget& m_owner;
    bool m_reported = false;
};
