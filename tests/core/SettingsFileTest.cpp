#include "SettingsTestSupport.h"

#include "settings/Latin5.h"
#include "settings/SettingsFile.h"
#include "settings/StageSettings.h"

#include <QStringEncoder>

namespace {
QString languageOf(const pugi::xml_document& document)
{
    return QString::fromUtf8(document.child("Ayarlar").attribute("language").value());
}
} // namespace

TEST(Latin5, everyByteRoundTrips)
{
    QByteArray all;
    for (int byte = 1; byte < 256; ++byte)
        all.append(char(byte));
    EXPECT_EQ(toLatin5Xml(fromLatin5(all)), all);
}

TEST(Latin5, turkishLettersAndUnencodableCharacters)
{
    EXPECT_EQ(fromLatin5("\xD0\xDD\xDE\xF0\xFD\xFE"), QStringLiteral("ĞİŞğış"));
    EXPECT_EQ(fromLatin5("\xFC\xE7"), QStringLiteral("üç"));
    EXPECT_EQ(toLatin5Xml(QStringLiteral("ĞİŞğışüç")), QByteArray("\xD0\xDD\xDE\xF0\xFD\xFE\xFC\xE7"));
    // The Icelandic letters Latin-5 replaced, a character beyond Latin-1 and one beyond 16 bits.
    EXPECT_EQ(toLatin5Xml(QStringLiteral("ýÐ€")), QByteArray("&#253;&#208;&#8364;"));
    EXPECT_EQ(toLatin5Xml(QString::fromUcs4(U"\U0001F600")), QByteArray("&#128512;"));
}

TEST(SettingsFileParse, latin5BytesInLanguage_loadAndAreWrittenBack)
{
    const QByteArray bytes =
        settingsXml(R"(set01="1" set02="40" set03="8" set04="1" set05="3" set06="1")", "T\xFCrk\xE7\x65 \xFD\xF0\xDE");
    pugi::xml_document document;
    ASSERT_TRUE(SettingsFile::parse(bytes, document));
    EXPECT_EQ(languageOf(document), QStringLiteral("Türkçe ığŞ"));
    EXPECT_EQ(SettingsFile::serialise(document), bytes);
}

TEST(SettingsFileParse, otherEncodings_areReadByTheirMarkOrDeclaration)
{
    const QString language = QStringLiteral("Türkçe ığ €");
    const QByteArray body = "<Ayarlar language=\"" + language.toUtf8() + "\"><SpecialNumbers set02=\"36\"/></Ayarlar>";
    QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const struct
    {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"utf-8 declared", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body},
        {"undeclared utf-8", body},
        {"utf-8 mark", "\xEF\xBB\xBF" + body},
        {"utf-16 mark", toUtf16(QString::fromUtf8(body))},
    };
    for (const auto& c : cases) {
        pugi::xml_document document;
        ASSERT_TRUE(SettingsFile::parse(c.bytes, document)) << c.name;
        EXPECT_EQ(languageOf(document), language) << c.name;
        const QByteArray written = SettingsFile::serialise(document);
        EXPECT_TRUE(written.startsWith("<?xml version='1.0' encoding='iso-8859-9'?>\n<Ayarlar")) << c.name;
        EXPECT_TRUE(written.contains("language=\"T\xFCrk\xE7\x65 \xFD\xF0 &#8364;\"")) << c.name;

        pugi::xml_document reloaded;
        ASSERT_TRUE(SettingsFile::parse(written, reloaded)) << c.name;
        EXPECT_EQ(languageOf(reloaded), language) << c.name;
    }
}

TEST(SettingsFileParse, latin5DeclaredBytesThatLookLikeUtf8_stayLatin5)
{
    // C3 BC is "ü" in UTF-8 but "Ãź" in Latin-5; the declaration decides.
    const QByteArray bytes = settingsXml(R"(set02="30")", "\xC3\xBC");
    pugi::xml_document document;
    ASSERT_TRUE(SettingsFile::parse(bytes, document));
    EXPECT_EQ(languageOf(document), QStringLiteral("Ã¼"));
    EXPECT_EQ(SettingsFile::serialise(document), bytes);
}

TEST(SettingsFileParse, undeclaredSingleByteFile_readsAsLatin5)
{
    pugi::xml_document document;
    ASSERT_TRUE(SettingsFile::parse("<Ayarlar language=\"\xFD\"/>", document));
    EXPECT_EQ(languageOf(document), QStringLiteral("ı"));
}

TEST(SettingsFileParse, defaults_serialiseWithTheExactDeclaration)
{
    pugi::xml_document document;
    SettingsFile::buildDefaults(document);
    const QByteArray bytes = SettingsFile::serialise(document);
    EXPECT_TRUE(bytes.startsWith("<?xml version='1.0' encoding='iso-8859-9'?>\n<Ayarlar language=\"1\">"));
    EXPECT_EQ(bytes.count("<?xml"), 1);

    pugi::xml_document reloaded;
    ASSERT_TRUE(SettingsFile::parse(bytes, reloaded));
    EXPECT_EQ(SettingsFile::serialise(reloaded), bytes);
}

TEST(StageSettingsRead, defaultsAndStoredValues)
{
    pugi::xml_document document;
    SettingsFile::buildDefaults(document);
    const StageSettings defaults = readStageSettings(document);
    EXPECT_EQ(defaults.digitsPerRow, 30);
    EXPECT_EQ(defaults.groupSize, 1);
    EXPECT_TRUE(defaults.showStageTimer);
    EXPECT_EQ(defaults.concentrationSeconds, 60);
    EXPECT_TRUE(defaults.cellTimerOn);

    ASSERT_TRUE(
        SettingsFile::parse(settingsXml(R"(set01="2" set02="40" set03="8" set04="1" set05="3" set06="0")"), document));
    const StageSettings stored = readStageSettings(document);
    EXPECT_EQ(stored.digitsPerRow, 40);
    EXPECT_EQ(stored.groupSize, 8);
    EXPECT_FALSE(stored.showStageTimer);
    EXPECT_EQ(stored.concentrationSeconds, 3);
    EXPECT_TRUE(stored.cellTimerOn);
    EXPECT_EQ(digitsPerRowSetting(document), 40);
}

TEST(StageSettingsRead, switchesAreOnOnlyForTheNumberZero)
{
    const struct
    {
        const char* value;
        bool on;
    } cases[] = {{"0", true}, {" 0 ", true}, {"00", true}, {"1", false}, {"-1", false}, {"x", true}, {"", true}};
    for (const auto& c : cases) {
        pugi::xml_document document;
        const QByteArray attributes = QByteArray("set04=\"") + c.value + "\" set06=\"" + c.value + "\"";
        ASSERT_TRUE(SettingsFile::parse(settingsXml(attributes), document));
        const StageSettings settings = readStageSettings(document);
        EXPECT_EQ(settings.showStageTimer, c.on) << c.value;
        EXPECT_EQ(settings.cellTimerOn, c.on) << c.value;
    }
}

TEST(StageSettingsRead, valuesThatAreNotPositive16BitIntegers_useDefaults)
{
    for (const char* value : {"0", "-30", "32768", "abc", "", "3.5"}) {
        pugi::xml_document document;
        const QByteArray v(value);
        ASSERT_TRUE(
            SettingsFile::parse(settingsXml("set02=\"" + v + "\" set03=\"" + v + "\" set05=\"" + v + "\""), document));
        const StageSettings settings = readStageSettings(document);
        EXPECT_EQ(settings.digitsPerRow, 30) << value;
        EXPECT_EQ(settings.groupSize, 1) << value;
        EXPECT_EQ(settings.concentrationSeconds, 60) << value;
    }
    pugi::xml_document noSection;
    ASSERT_TRUE(SettingsFile::parse("<Ayarlar/>", noSection));
    EXPECT_EQ(readStageSettings(noSection).digitsPerRow, 30);
}

TEST(SettingsListsEntries, groupCountsAreTheProperDivisors)
{
    const QStringList columns = columnCountEntries();
    ASSERT_EQ(columns, (QStringList{QStringLiteral("30"), QStringLiteral("36"), QStringLiteral("40")}));
    for (int position = 0; position < 3; ++position) {
        const int count = columns[position].toInt();
        QStringList divisors;
        for (int d = 1; d < count; ++d) {
            if (count % d == 0)
                divisors.append(QString::number(d));
        }
        EXPECT_EQ(groupCountEntries(position), divisors) << count;
    }
    EXPECT_TRUE(groupCountEntries(-1).isEmpty());
    EXPECT_TRUE(groupCountEntries(3).isEmpty());
}

TEST(SettingsListValue, selectionRules)
{
    PickList list(QStringList{QStringLiteral("Yes"), QStringLiteral("No")});
    EXPECT_EQ(list.position(), -1);
    EXPECT_EQ(list.text(), QString());
    EXPECT_TRUE(list.selectText(QStringLiteral("No")));
    EXPECT_EQ(list.position(), 1);
    EXPECT_FALSE(list.selectText(QStringLiteral("no")));
    EXPECT_FALSE(list.setPosition(2));
    EXPECT_EQ(list.text(), QStringLiteral("No"));
    EXPECT_TRUE(list.setPosition(-1));
    EXPECT_EQ(list.text(), QString());
    list.setPosition(0);
    list.setEntries(QStringList{QStringLiteral("1")});
    EXPECT_EQ(list.position(), -1);
}
