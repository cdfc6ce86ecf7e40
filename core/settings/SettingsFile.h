#pragma once

#include "settings/SettingsLists.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <pugixml.hpp>

// The settings file: an "Ayarlar" root with a "language" attribute and one "SpecialNumbers" element
// holding the six settings "set01" to "set06", in Latin-5 (ISO 8859-9).
namespace SettingsFile {

inline constexpr char FileName[] = "settings.xml";
inline constexpr char RootName[] = "Ayarlar";
inline constexpr char SectionName[] = "SpecialNumbers";
inline constexpr char DeclarationData[] = "version='1.0' encoding='iso-8859-9'";

// Three settings store the chosen list position as decimal text, three store the chosen entry's text.
enum class StoredAs
{
    Position,
    Text
};

struct Attribute
{
    SettingsListId list;
    const char* name;
    StoredAs storedAs;
    const char* defaultValue;
};

// In file order, which is also the order of SettingsListId.
inline constexpr std::array<Attribute, 6> Attributes = {{
    {SettingsListId::Type, "set01", StoredAs::Position, "0"},
    {SettingsListId::ColCount, "set02", StoredAs::Text, "30"},
    {SettingsListId::GroupCount, "set03", StoredAs::Text, "1"},
    {SettingsListId::Timer, "set04", StoredAs::Position, "0"},
    {SettingsListId::ConTime, "set05", StoredAs::Text, "60"},
    {SettingsListId::CellTimer, "set06", StoredAs::Position, "0"},
}};

inline const Attribute& attributeOf(SettingsListId list)
{
    return Attributes[std::size_t(list)];
}

// programFilePath("settings.xml").
QString path();

// Parses file bytes into `document`; true when they parse and the root element is "Ayarlar". Bytes
// without a byte-order mark are read as the Latin-5 the file declares, unless the declaration names
// UTF-8 (or there is none) and the bytes are valid UTF-8.
bool parse(const QByteArray& bytes, pugi::xml_document& document);

// Makes `document` hold the declaration, the root with language="1" and the six defaults.
void buildDefaults(pugi::xml_document& document);

// The file's bytes: the declaration "<?xml version='1.0' encoding='iso-8859-9'?>" whatever declaration
// the document carries, then the document's other nodes, encoded as Latin-5.
QByteArray serialise(const pugi::xml_document& document);

// "SpecialNumbers" under the root "Ayarlar"; a null node when either is missing.
pugi::xml_node section(const pugi::xml_document& document);

// A whole decimal number, surrounding blanks allowed; nothing for anything else or a missing attribute.
std::optional<int> integerValue(const pugi::xml_attribute& attribute);

} // namespace SettingsFile
