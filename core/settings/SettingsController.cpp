#include "settings/SettingsController.h"

#include "settings/SettingsFile.h"

#include <QFile>

using SettingsFile::attributeOf;

SettingsController::SettingsController(const QStringList& typeEntries, TypeSelectedHandler onTypeSelected,
                                       QObject* parent)
    : QObject(parent), m_lists(typeEntries), m_onTypeSelected(std::move(onTypeSelected))
{
}

WriteResult SettingsController::LoadSettings()
{
    m_document.reset();
    QFile file(SettingsFile::path());
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError && SettingsFile::parse(bytes, m_document))
            return {};
    }
    return CreateDefaultSettings();
}

WriteResult SettingsController::CreateDefaultSettings()
{
    SettingsFile::buildDefaults(m_document);
    return WriteSettingsFile();
}

WriteResult SettingsController::WriteSettingsFile() const
{
    return writeFileAtomically(SettingsFile::path(), SettingsFile::serialise(m_document));
}

WriteResult SettingsController::StoreSettings()
{
    pugi::xml_node section = sectionForWriting();
    for (const SettingsFile::Attribute& attribute : SettingsFile::Attributes) {
        const PickList& list = m_lists[attribute.list];
        const QString value =
            attribute.storedAs == SettingsFile::StoredAs::Position ? QString::number(list.position()) : list.text();
        pugi::xml_attribute stored = section.attribute(attribute.name);
        if (!stored)
            stored = section.append_attribute(attribute.name);
        stored.set_value(value.toUtf8().constData());
    }
    return WriteSettingsFile();
}

void SettingsController::FillGroupCounts()
{
    PickList& groups = m_lists[SettingsListId::GroupCount];
    groups.setEntries(groupCountEntries(m_lists[SettingsListId::ColCount].position()));
    emit listEntriesReplaced(SettingsListId::GroupCount, groups.entries());
    // The stored group count, not the one shown before the refill; whatever is missing or not in the
    // new list gives the first entry.
    const pugi::xml_attribute stored =
        SettingsFile::section(m_document).attribute(attributeOf(SettingsListId::GroupCount).name);
    const int position = int(groups.entries().indexOf(QString::fromUtf8(stored.value())));
    setPosition(SettingsListId::GroupCount, position >= 0 ? position : (groups.count() > 0 ? 0 : -1));
}

WriteResult SettingsController::RestoreLists()
{
    // A file without the section still restores every list to its default, and later stores need it.
    const pugi::xml_node section = sectionForWriting();
    restorePosition(SettingsListId::Type, section);
    restoreText(SettingsListId::ColCount, section);
    WriteResult result = columnCountChanged();
    FillGroupCounts();
    restorePosition(SettingsListId::Timer, section);
    restoreText(SettingsListId::ConTime, section);
    restorePosition(SettingsListId::CellTimer, section);
    return result;
}

WriteResult SettingsController::listPicked(SettingsListId list, int position)
{
    if (!m_lists[list].contains(position))
        return {};
    switch (list) {
    case SettingsListId::Type:
        selectType(position);
        return {};
    case SettingsListId::ColCount:
        setPosition(list, position);
        return columnCountChanged();
    case SettingsListId::GroupCount:
        setPosition(list, position);
        return groupCountChanged();
    case SettingsListId::Timer:
    case SettingsListId::ConTime:
    case SettingsListId::CellTimer:
        setPosition(list, position);
        return {};
    }
    return {};
}

void SettingsController::setPosition(SettingsListId list, int position)
{
    if (m_lists[list].position() == position || !m_lists[list].setPosition(position))
        return;
    emit listPositionChanged(list, position);
}

void SettingsController::selectType(int position)
{
    setPosition(SettingsListId::Type, position);
    if (m_onTypeSelected)
        m_onTypeSelected(m_lists[SettingsListId::Type].position(), m_lists[SettingsListId::Type].text());
}

void SettingsController::restorePosition(SettingsListId list, const pugi::xml_node& section)
{
    const SettingsFile::Attribute& attribute = attributeOf(list);
    const std::optional<int> stored = SettingsFile::integerValue(section.attribute(attribute.name));
    const int position =
        stored && m_lists[list].contains(*stored) ? *stored : QByteArray(attribute.defaultValue).toInt();
    if (list == SettingsListId::Type)
        selectType(position);
    else
        setPosition(list, position);
}

void SettingsController::restoreText(SettingsListId list, const pugi::xml_node& section)
{
    const SettingsFile::Attribute& attribute = attributeOf(list);
    const PickList& entries = m_lists[list];
    int position = int(entries.entries().indexOf(QString::fromUtf8(section.attribute(attribute.name).value())));
    if (position < 0)
        position = int(entries.entries().indexOf(QLatin1String(attribute.defaultValue)));
    setPosition(list, position);
}

WriteResult SettingsController::columnCountChanged()
{
    // The group-count selection that FillGroupCounts makes and the column count itself reach the file
    // in this one store.
    FillGroupCounts();
    return m_loading ? WriteResult{} : StoreSettings();
}

WriteResult SettingsController::groupCountChanged()
{
    return m_loading ? WriteResult{} : StoreSettings();
}

pugi::xml_node SettingsController::sectionForWriting()
{
    pugi::xml_node root = m_document.child(SettingsFile::RootName);
    if (!root)
        root = m_document.append_child(SettingsFile::RootName);
    pugi::xml_node section = root.child(SettingsFile::SectionName);
    return section ? section : root.append_child(SettingsFile::SectionName);
}
