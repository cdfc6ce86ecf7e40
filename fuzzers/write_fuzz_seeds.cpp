// Writes the seed corpora of the fuzz targets from files this program writes itself:
//     write_fuzz_seeds fuzzers/corpus
// One folder per target. The seeds are committed; run this again when a file format changes.
#include "FuzzSupport.h"
#include "RecordPatch.h"
#include "RecordSamples.h"
#include "ScriptChoices.h"
#include "StageScriptGenerator.h"

#include "settings/SettingsController.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstring>

namespace {
QDir g_corpus;

void writeSeed(const char* target, const char* name, const QByteArray& bytes)
{
    g_corpus.mkpath(QLatin1String(target));
    QFile file(g_corpus.filePath(QLatin1String(target) + QLatin1Char('/') + QLatin1String(name)));
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
            "cannot write a seed");
}

QByteArray storedSettings()
{
    QFile file(QDir(fuzzProgramDirectory()).filePath(QLatin1String(SettingsFile::FileName)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeSettingsSeeds()
{
    QFile::remove(QDir(fuzzProgramDirectory()).filePath(QLatin1String(SettingsFile::FileName)));
    SettingsController first;
    first.LoadSettings(); // no file yet: the defaults are written
    writeSeed("fuzz_settings_file", "defaults.xml", storedSettings());

    first.RestoreLists();
    first.finishLoading();
    first.listPicked(SettingsListId::Type, 1);
    first.listPicked(SettingsListId::ColCount, 2);
    first.listPicked(SettingsListId::GroupCount, 4);
    first.listPicked(SettingsListId::Timer, 1);
    first.listPicked(SettingsListId::ConTime, 0);
    first.listPicked(SettingsListId::CellTimer, 1);
    first.StoreSettings();
    writeSeed("fuzz_settings_file", "pi_40_a_row.xml", storedSettings());

    // A language an operator typed in by hand in UTF-8, stored back by the program in Latin-5.
    const QByteArray handEdited =
        storedSettings()
            .replace("encoding='iso-8859-9'", "encoding='utf-8'")
            .replace("language=\"1\"", "language=\"T\xC3\xBCrk\xC3\xA7\x65 \xC4\xB1\xC4\x9F \xE2\x82\xAC\"");
    QFile hand(QDir(fuzzProgramDirectory()).filePath(QLatin1String(SettingsFile::FileName)));
    require(hand.open(QIODevice::WriteOnly | QIODevice::Truncate) && hand.write(handEdited) == handEdited.size(),
            "cannot write settings.xml");
    hand.close();
    SettingsController second;
    second.LoadSettings();
    second.RestoreLists();
    second.StoreSettings();
    writeSeed("fuzz_settings_file", "turkish_language.xml", storedSettings());
    writeSeed("fuzz_latin5", "turkish_language.xml", storedSettings());
}

void writeRecordSeeds()
{
    writeSeed("fuzz_attempt_record", "2x3_built.xml", savedRecord(SmallShapes[0], 0, 0.0f));
    writeSeed("fuzz_attempt_record", "2x3_saved.xml", savedRecord(SmallShapes[0], 4, 12.0f));
    writeSeed("fuzz_attempt_record", "5x5_built.xml", savedRecord(SmallShapes[1], 0, 0.0f));
    writeSeed("fuzz_attempt_record", "5x5_saved.xml", savedRecord(SmallShapes[1], 13, 754.5f));

    // The large target changes one place of this record; these are changes the program itself makes.
    const QByteArray saved = savedRecord(LargestShape, 500, 3601.25f);
    writeSeed("fuzz_attempt_record_large", "unchanged", encodeRecordPatch({}));
    const auto at = [&saved](const char* text) { return quint32(saved.indexOf(text)); };
    writeSeed("fuzz_attempt_record_large", "next_digit_typed",
              encodeRecordPatch({at("cevap=\"\"") + 7, 0, QByteArray("4")}));
    writeSeed("fuzz_attempt_record_large", "later_used_time",
              encodeRecordPatch({at("used_time=\"") + 11, 7, QByteArray("7200.5\"")}));
}

QByteArray usedTimeSeed(char locale, float start, float now, const QByteArray& text)
{
    QByteArray bytes(1, locale);
    bytes.append(reinterpret_cast<const char*>(&start), sizeof start);
    bytes.append(reinterpret_cast<const char*>(&now), sizeof now);
    return bytes + text;
}

void writeUsedTimeSeeds()
{
    writeSeed("fuzz_used_time_text", "c_754.5", usedTimeSeed(0, 40000.0f, 40754.5f, "754.5"));
    writeSeed("fuzz_used_time_text", "c_whole", usedTimeSeed(0, 36000.0f, 36012.0f, "12"));
    writeSeed("fuzz_used_time_text", "german_3601,25", usedTimeSeed(1, 1000.0f, 4601.25f, "3601,25"));
    writeSeed("fuzz_used_time_text", "c_midnight", usedTimeSeed(0, 86390.0f, 10.0f, "20"));
    writeSeed("fuzz_used_time_text", "c_capped", usedTimeSeed(0, 0.0f, 30000.0f, "28800"));
    writeSeed("fuzz_used_time_text", "arabic", usedTimeSeed(3, 100.0f, 200.25f, "100\xD9\xAB\x32\x35"));
}
// Scripts of the property test's generator, written down as the choices the fuzz target reads; each ends
// the attempt another way.
void writeStageReplaySeeds()
{
    const struct
    {
        const char* name;
        std::uint32_t seed;
    } scripts[] = {
        {"finish", 23},
        {"cancel_in_countdown", 16},
        {"digit_time_after_steady_typing", 11},
        {"wrong_locked_digit", 25},
        {"stage_time_after_restores", 57},
    };
    for (const auto& script : scripts) {
        RecordingChoices choices(script.seed);
        ScriptShape shape;
        shape.maxActions = 300;
        generateStageScript(choices, shape);
        const std::vector<std::uint8_t>& bytes = choices.bytes();
        writeSeed("fuzz_stage_replay", script.name,
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_fuzz_seeds <corpus folder>\n");
        return 2;
    }
    g_corpus = QDir(QString::fromLocal8Bit(argv[1]));
    writeSettingsSeeds();
    writeRecordSeeds();
    writeUsedTimeSeeds();
    writeStageReplaySeeds();
    return 0;
}
