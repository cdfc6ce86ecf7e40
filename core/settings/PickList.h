#pragma once

#include <QString>
#include <QStringList>

#include <utility>

// One pick-only drop-down list of the settings screen: its entries and the chosen position, -1 for
// no choice. The screen's combo box mirrors it.
class PickList final
{
public:
    PickList() = default;
    explicit PickList(QStringList entries) : m_entries(std::move(entries)) {}

    const QStringList& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    int position() const { return m_position; }
    bool contains(int position) const { return position >= 0 && position < count(); }

    // The chosen entry's text; empty when nothing is chosen.
    QString text() const { return contains(m_position) ? m_entries.at(m_position) : QString(); }

    // Replaces the entries; nothing is chosen afterwards.
    void setEntries(QStringList entries);
    // Chooses `position` (or nothing for -1); false and no change for a position the list does not hold.
    bool setPosition(int position);
    // Chooses the entry whose text equals `text` exactly; false and no change when there is none.
    bool selectText(const QString& text);

private:
    QStringList m_entries;
    int m_position = -1;
};
