#include "settings/PickList.h"

void PickList::setEntries(QStringList entries)
{
    m_entries = std::move(entries);
    m_position = -1;
}

bool PickList::setPosition(int position)
{
    if (position != -1 && !contains(position))
        return false;
    m_position = position;
    return true;
}

bool PickList::selectText(const QString& text)
{
    const int position = int(m_entries.indexOf(text));
    if (position < 0)
        return false;
    m_position = position;
    return true;
}
