// settings.xml as an operator may leave it beside the program, read the way a real start reads it: the
// load with its fallbacks, the restore of the six lists, and the store that START makes.
#include "FuzzSupport.h"

#include "settings/SettingsController.h"
#include "settings/SettingsFile.h"

#include <QFile>

#include <array>

namespace {
using Choices = std::array<int, 6>;

QString settingsPath()
{
    return fuzzProgramDirectory() + QStringLiteral("/") + QLatin1String(SettingsFile::FileName);
}

void writeSettingsFile(const QByteArray& bytes)
{
    QFile file(settingsPath());
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
            "cannot write settings.xml");
}

QByteArray settingsFile()
{
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

Choices choicesOf(const SettingsController& settings)
{
    Choices choices{};
    for (const SettingsListId id : AllSettingsLists)
        choices[std::size_t(id)] = settings.list(id).position();
    return choices;
}

// The load of the settings screen; the choices it shows.
Choices startProgram(SettingsController& settings)
{
    require(settings.LoadSettings().ok, "the load could not write settings.xml");
    require(settings.RestoreLists().ok, "the restore could not write settings.xml");
    settings.finishLoading();
    return choicesOf(settings);
}

QByteArray defaultSettingsFile()
{
    pugi::xml_document defaults;
    SettingsFile::buildDefaults(defaults);
    return SettingsFile::serialise(defaults);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray defaults = defaultSettingsFile();
    const QByteArray bytes = bytesOf(data, size);
    writeSettingsFile(bytes);

    pugi::xml_document parsed;
    const bool accepted = SettingsFile::parse(bytes, parsed);
    SettingsController first;
    const Choices shown = startProgram(first);
    for (const int position : shown)
        require(position >= 0, "a list has no choice after the load");
    if (!accepted)
        require(settingsFile() == defaults, "a refused file was not replaced by the defaults");
    else
        require(settingsFile() == bytes, "an accepted file was rewritten by the load");

    // START stores the choices; the next start must show the same ones and use the file as it is.
    require(first.StoreSettings().ok, "START could not store the settings");
    const QByteArray stored = settingsFile();
    SettingsController second;
    require(startProgram(second) == shown, "the next start shows other choices than were stored");
    require(settingsFile() == stored, "the next start refused the stored file and wrote the defaults");

    // Storing the same choices again changes nothing.
    require(second.StoreSettings().ok, "the second store failed");
    require(settingsFile() == stored, "storing the same choices twice wrote different files");
    return 0;
}
