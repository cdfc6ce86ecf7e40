#pragma once

#include "files/AtomicFile.h"
#include "settings/SettingsLists.h"

#include <QObject>

#include <functional>
#include <pugixml.hpp>

// The settings logic of the settings screen: SettingsDocument, the Loading flag, the six lists and the
// load, restore and store of the settings file. The screen mirrors the lists in its combo boxes: it
// fills them from list() once, follows listEntriesReplaced and listPositionChanged, and reports the
// user's picks (QComboBox::activated) through listPicked.
//
// Every operation that may write the file returns the write's result; a failed write leaves the
// chosen values in the lists and in SettingsDocument, so the program keeps running with them.
class SettingsController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsController)

public:
    // Runs whenever the type list's position is set, by a pick or by the restore, even to the same position.
    using TypeSelectedHandler = std::function<void(int position, const QString& text)>;

    explicit SettingsController(const QStringList& typeEntries = defaultTypeEntries(),
                                TypeSelectedHandler onTypeSelected = {}, QObject* parent = nullptr);

    // The load: LoadSettings, then RestoreLists, both while Loading is true.
    WriteResult LoadSettings();
    WriteResult RestoreLists();

    WriteResult CreateDefaultSettings();
    WriteResult WriteSettingsFile() const;
    WriteResult StoreSettings();
    void FillGroupCounts();

    // A pick by the user; positions the list does not hold are ignored. The column count refills the
    // group counts and, like the group count, stores the settings unless Loading; the other lists
    // reach the file with the next store.
    WriteResult listPicked(SettingsListId list, int position);
    WriteResult columnCountPicked(int position) { return listPicked(SettingsListId::ColCount, position); }
    WriteResult groupCountPicked(int position) { return listPicked(SettingsListId::GroupCount, position); }

    // The screen's first activation ends the load.
    void finishLoading() { m_loading = false; }
    bool isLoading() const { return m_loading; }

    const PickList& list(SettingsListId id) const { return m_lists[id]; }
    const pugi::xml_document& SettingsDocument() const { return m_document; }

signals:
    void listEntriesReplaced(SettingsListId list, const QStringList& entries);
    void listPositionChanged(SettingsListId list, int position);

private:
    void setPosition(SettingsListId list, int position);
    void selectType(int position);
    void restorePosition(SettingsListId list, const pugi::xml_node& section);
    void restoreText(SettingsListId list, const pugi::xml_node& section);
    WriteResult columnCountChanged();
    WriteResult groupCountChanged();
    pugi::xml_node sectionForWriting();

    pugi::xml_document m_document;
    SettingsLists m_lists;
    TypeSelectedHandler m_onTypeSelected;
    bool m_loading = true;
};
