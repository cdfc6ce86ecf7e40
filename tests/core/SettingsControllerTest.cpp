#include "SettingsTestSupport.h"

#include "settings/SettingsFile.h"

#include <QDir>

using Texts = std::vector<QString>;

namespace {
QString qs(const char* text)
{
    return QString::fromUtf8(text);
}

const Texts DefaultTexts = {qs("Digits of SQRT(2)"), qs("30"), qs("1"), qs("Yes"), qs("60"), qs("Yes")};
} // namespace

using SettingsControllerTest = SettingsFixture;

TEST_F(SettingsControllerTest, firstRun_createsDefaultFileAndShowsDefaults)
{
    WriteResult result{false, qs("not run")};
    const auto controller = loadedController(&result);

    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(settingsBytes().toStdString(), "<?xml version='1.0' encoding='iso-8859-9'?>\n"
                                             "<Ayarlar language=\"1\">\n"
                                             "\t<SpecialNumbers set01=\"0\" set02=\"30\" set03=\"1\" set04=\"0\" "
                                             "set05=\"60\" set06=\"0\" />\n"
                                             "</Ayarlar>\n");
    EXPECT_EQ(listTexts(*controller), DefaultTexts);
    EXPECT_EQ(controller->list(SettingsListId::GroupCount).entries(), qs("1,2,3,5,6,10,15").split(QLatin1Char(',')));
    ASSERT_EQ(m_typeSelections.size(), 1u);
    EXPECT_EQ(m_typeSelections[0], std::make_pair(0, qs("Digits of SQRT(2)")));
    EXPECT_TRUE(controller->isLoading());
}

TEST_F(SettingsControllerTest, ayarlarFile_isUsedAsFoundAndNotWrittenDuringLoad)
{
    const QByteArray original = settingsXml(R"(set01="2" set02="36" set03="9" set04="1" set05="15" set06="0")", "7");
    writeSettings(original);

    const auto controller = loadedController();

    EXPECT_EQ(settingsBytes(), original);
    EXPECT_EQ(listTexts(*controller),
              (Texts{qs("Digits of Number \"e\""), qs("36"), qs("9"), qs("No"), qs("15"), qs("Yes")}));
    EXPECT_EQ(m_typeSelections.back(), std::make_pair(2, qs("Digits of Number \"e\"")));

    controller->finishLoading();
    ASSERT_TRUE(controller->StoreSettings().ok);
    EXPECT_TRUE(settingsBytes().contains(R"(<Ayarlar language="7">)"));
}

TEST_F(SettingsControllerTest, unusableFile_isReplacedByDefaults)
{
    const QByteArray unusable[] = {
        "",
        "<Ayarlar language=\"1\"><SpecialNumbers set01=\"1\"",
        "<?xml version='1.0'?><Settings><SpecialNumbers set01=\"1\" /></Settings>",
        "<ayarlar><SpecialNumbers set01=\"1\" /></ayarlar>",
        "not xml at all",
        QByteArray("\x00\x01\x02\xFF", 4),
    };
    for (const QByteArray& bytes : unusable) {
        writeSettings(bytes);
        const auto controller = loadedController();
        EXPECT_EQ(stored("set01"), "0") << bytes.toStdString();
        EXPECT_EQ(storedAttributes().size(), 6u) << bytes.toStdString();
        EXPECT_EQ(listTexts(*controller), DefaultTexts) << bytes.toStdString();
    }
}

TEST_F(SettingsControllerTest, settingsPathIsADirectory_reportsWriteFailureAndKeepsDefaults)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("settings.xml")));
    WriteResult result;
    const auto controller = loadedController(&result);

    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(listTexts(*controller), DefaultTexts);
}

TEST_F(SettingsControllerTest, columnCount30To40_withGroup3_fallsBackTo1AndStores)
{
    writeSettings(settingsXml(R"(set01="0" set02="30" set03="3" set04="0" set05="60" set06="0")"));
    const auto controller = loadedController();
    controller->finishLoading();
    ASSERT_EQ(controller->list(SettingsListId::GroupCount).text(), qs("3"));

    std::vector<QStringList> replaced;
    std::vector<std::pair<SettingsListId, int>> moved;
    QObject::connect(controller.get(), &SettingsController::listEntriesReplaced,
                     [&](SettingsListId list, const QStringList& entries) {
                         EXPECT_EQ(list, SettingsListId::GroupCount);
                         replaced.push_back(entries);
                     });
    QObject::connect(controller.get(), &SettingsController::listPositionChanged,
                     [&](SettingsListId list, int position) { moved.emplace_back(list, position); });

    const WriteResult result = controller->columnCountPicked(2);

    EXPECT_TRUE(result.ok) << result.error.toStdString();
    const QStringList forty = qs("1,2,4,5,8,10,20").split(QLatin1Char(','));
    EXPECT_EQ(replaced, std::vector<QStringList>{forty});
    EXPECT_EQ(controller->list(SettingsListId::GroupCount).entries(), forty);
    EXPECT_EQ(controller->list(SettingsListId::GroupCount).text(), qs("1"));
    EXPECT_EQ(moved, (std::vector<std::pair<SettingsListId, int>>{{SettingsListId::ColCount, 2},
                                                                  {SettingsListId::GroupCount, 0}}));
    EXPECT_EQ(stored("set02"), "40");
    EXPECT_EQ(stored("set03"), "1");
}

TEST_F(SettingsControllerTest, columnCount30To36_keepsGroup6)
{
    writeSettings(settingsXml(R"(set01="0" set02="30" set03="1" set04="0" set05="60" set06="0")"));
    const auto controller = loadedController();
    controller->finishLoading();
    ASSERT_TRUE(controller->groupCountPicked(4).ok);
    ASSERT_EQ(stored("set03"), "6");

    ASSERT_TRUE(controller->columnCountPicked(1).ok);

    EXPECT_EQ(controller->list(SettingsListId::GroupCount).text(), qs("6"));
    EXPECT_EQ(stored("set02"), "36");
    EXPECT_EQ(stored("set03"), "6");
}

TEST_F(SettingsControllerTest, typeTimersAndConcentration_reachFileOnlyWithStore)
{
    const auto controller = loadedController();
    controller->finishLoading();
    const QByteArray before = settingsBytes();

    EXPECT_TRUE(controller->listPicked(SettingsListId::Type, 1).ok);
    EXPECT_TRUE(controller->listPicked(SettingsListId::Timer, 1).ok);
    EXPECT_TRUE(controller->listPicked(SettingsListId::ConTime, 3).ok);
    EXPECT_TRUE(controller->listPicked(SettingsListId::CellTimer, 1).ok);

    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(m_typeSelections.back(), std::make_pair(1, qs("Digits of \"Pi\"")));

    ASSERT_TRUE(controller->StoreSettings().ok);
    EXPECT_EQ(storedAttributes(),
              (std::vector<std::pair<std::string, std::string>>{
                  {"set01", "1"}, {"set02", "30"}, {"set03", "1"}, {"set04", "1"}, {"set05", "10"}, {"set06", "1"}}));
}

TEST_F(SettingsControllerTest, pickingSameTypeAgain_selectsItAgain)
{
    const auto controller = loadedController();
    controller->listPicked(SettingsListId::Type, 0);
    controller->listPicked(SettingsListId::Type, 0);
    EXPECT_EQ(m_typeSelections.size(), 3u);
}

TEST_F(SettingsControllerTest, pickOutsideList_isIgnored)
{
    const auto controller = loadedController();
    controller->finishLoading();
    const QByteArray before = settingsBytes();
    for (const SettingsListId id : AllSettingsLists) {
        controller->listPicked(id, -1);
        controller->listPicked(id, controller->list(id).count());
    }
    EXPECT_EQ(listTexts(*controller), DefaultTexts);
    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(m_typeSelections.size(), 1u);
}

TEST_F(SettingsControllerTest, timerAndCellTimer_restoreIndependently)
{
    const struct
    {
        const char* set04;
        const char* set06;
        const char* timer;
        const char* cellTimer;
    } cases[] = {{"0", "1", "Yes", "No"}, {"1", "0", "No", "Yes"}, {"1", "1", "No", "No"}, {"0", "0", "Yes", "Yes"}};
    for (const auto& c : cases) {
        {
            const auto controller = loadedController();
            controller->finishLoading();
            controller->listPicked(SettingsListId::Timer, QByteArray(c.set04).toInt());
            controller->listPicked(SettingsListId::CellTimer, QByteArray(c.set06).toInt());
            ASSERT_TRUE(controller->StoreSettings().ok);
        }
        ASSERT_EQ(stored("set04"), c.set04);
        ASSERT_EQ(stored("set06"), c.set06);
        const auto next = loadedController();
        EXPECT_EQ(next->list(SettingsListId::Timer).text(), qs(c.timer)) << c.set04 << c.set06;
        EXPECT_EQ(next->list(SettingsListId::CellTimer).text(), qs(c.cellTimer)) << c.set04 << c.set06;
    }
}

TEST_F(SettingsControllerTest, picksWhileLoading_storeNothing)
{
    writeSettings(settingsXml(R"(set01="0" set02="36" set03="9" set04="0" set05="60" set06="0")"));
    const auto controller = std::make_unique<SettingsController>();
    ASSERT_TRUE(controller->LoadSettings().ok);
    ASSERT_TRUE(QFile::remove(settingsPath()));

    EXPECT_TRUE(controller->RestoreLists().ok);
    EXPECT_TRUE(controller->columnCountPicked(2).ok);
    EXPECT_TRUE(controller->groupCountPicked(3).ok);
    EXPECT_FALSE(settingsExists());

    controller->finishLoading();
    EXPECT_TRUE(controller->groupCountPicked(4).ok);
    EXPECT_EQ(stored("set02"), "40");
    EXPECT_EQ(stored("set03"), "8");
}

TEST_F(SettingsControllerTest, storedGroupCount_notThePreviouslyShownOne_isReselected)
{
    writeSettings(settingsXml(R"(set01="0" set02="30" set03="5" set04="0" set05="60" set06="0")"));
    const auto controller = loadedController();
    // While loading the pick is not stored, so the document still holds 5.
    controller->groupCountPicked(1);
    controller->finishLoading();

    ASSERT_TRUE(controller->columnCountPicked(2).ok);
    EXPECT_EQ(controller->list(SettingsListId::GroupCount).text(), qs("5"));
}

// A bad or missing value falls back to that list's own default; the other lists keep their values.
TEST_F(SettingsControllerTest, badStoredValue_fallsBackPerList)
{
    const char* const baseline[] = {R"(set01="1")", R"(set02="36")", R"(set03="4")",
                                    R"(set04="1")", R"(set05="10")", R"(set06="1")"};
    const Texts baselineTexts = {qs("Digits of \"Pi\""), qs("36"), qs("4"), qs("No"), qs("10"), qs("No")};
    const struct
    {
        int attribute;
        const char* replacement; // empty: the attribute is missing
        Texts expected;
    } cases[] = {
        {0, R"(set01="3")", {DefaultTexts[0], qs("36"), qs("4"), qs("No"), qs("10"), qs("No")}},
        {0, R"(set01="-1")", {DefaultTexts[0], qs("36"), qs("4"), qs("No"), qs("10"), qs("No")}},
        {0, R"(set01="one")", {DefaultTexts[0], qs("36"), qs("4"), qs("No"), qs("10"), qs("No")}},
        {0, "", {DefaultTexts[0], qs("36"), qs("4"), qs("No"), qs("10"), qs("No")}},
        {1, R"(set02="32")", {baselineTexts[0], qs("30"), qs("1"), qs("No"), qs("10"), qs("No")}},
        {1, R"(set02="30 ")", {baselineTexts[0], qs("30"), qs("1"), qs("No"), qs("10"), qs("No")}},
        {1, "", {baselineTexts[0], qs("30"), qs("1"), qs("No"), qs("10"), qs("No")}},
        {2, R"(set03="5")", {baselineTexts[0], qs("36"), qs("1"), qs("No"), qs("10"), qs("No")}},
        {2, R"(set03="36")", {baselineTexts[0], qs("36"), qs("1"), qs("No"), qs("10"), qs("No")}},
        {2, "", {baselineTexts[0], qs("36"), qs("1"), qs("No"), qs("10"), qs("No")}},
        {3, R"(set04="2")", {baselineTexts[0], qs("36"), qs("4"), qs("Yes"), qs("10"), qs("No")}},
        {3, R"(set04="No")", {baselineTexts[0], qs("36"), qs("4"), qs("Yes"), qs("10"), qs("No")}},
        {3, "", {baselineTexts[0], qs("36"), qs("4"), qs("Yes"), qs("10"), qs("No")}},
        {4, R"(set05="6")", {baselineTexts[0], qs("36"), qs("4"), qs("No"), qs("60"), qs("No")}},
        {4, R"(set05="")", {baselineTexts[0], qs("36"), qs("4"), qs("No"), qs("60"), qs("No")}},
        {4, "", {baselineTexts[0], qs("36"), qs("4"), qs("No"), qs("60"), qs("No")}},
        {5, R"(set06="-1")", {baselineTexts[0], qs("36"), qs("4"), qs("No"), qs("10"), qs("Yes")}},
        {5, R"(set06="1.0")", {baselineTexts[0], qs("36"), qs("4"), qs("No"), qs("10"), qs("Yes")}},
        {5, "", {baselineTexts[0], qs("36"), qs("4"), qs("No"), qs("10"), qs("Yes")}},
    };
    for (const auto& c : cases) {
        QByteArray attributes;
        for (int i = 0; i < 6; ++i)
            attributes += QByteArray(i == c.attribute ? c.replacement : baseline[i]) + ' ';
        writeSettings(settingsXml(attributes));
        m_typeSelections.clear();

        const auto controller = loadedController();

        EXPECT_EQ(listTexts(*controller), c.expected) << attributes.toStdString();
        EXPECT_EQ(m_typeSelections.back().second, c.expected[0]) << attributes.toStdString();
    }
}

TEST_F(SettingsControllerTest, missingSpecialNumbers_restoresDefaultsAndStoreAddsIt)
{
    writeSettings("<?xml version='1.0' encoding='iso-8859-9'?><Ayarlar language=\"2\"/>");
    const auto controller = loadedController();
    EXPECT_EQ(listTexts(*controller), DefaultTexts);

    controller->finishLoading();
    ASSERT_TRUE(controller->columnCountPicked(2).ok);

    EXPECT_EQ(storedAttributes(),
              (std::vector<std::pair<std::string, std::string>>{
                  {"set01", "0"}, {"set02", "40"}, {"set03", "1"}, {"set04", "0"}, {"set05", "60"}, {"set06", "0"}}));
    EXPECT_TRUE(settingsBytes().contains(R"(<Ayarlar language="2">)"));
}

TEST_F(SettingsControllerTest, store_rewritesAllSixAttributes)
{
    writeSettings(settingsXml(R"(set06="1" set02="40" extra="kept" set01="2")"));
    const auto controller = loadedController();
    controller->finishLoading();

    ASSERT_TRUE(controller->StoreSettings().ok);

    EXPECT_EQ(storedAttributes(), (std::vector<std::pair<std::string, std::string>>{{"set06", "1"},
                                                                                    {"set02", "40"},
                                                                                    {"extra", "kept"},
                                                                                    {"set01", "2"},
                                                                                    {"set03", "1"},
                                                                                    {"set04", "0"},
                                                                                    {"set05", "60"}}));
}

TEST_F(SettingsControllerTest, unwritableDirectory_reportsFailureAndKeepsChosenValues)
{
    // A directory below a plain file cannot be created or written, even by the superuser.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setProgramDirectory(m_dir.filePath(QStringLiteral("blocker/program")));

    WriteResult loadResult;
    const auto controller = loadedController(&loadResult);
    EXPECT_FALSE(loadResult.ok);
    EXPECT_TRUE(loadResult.error.contains(QStringLiteral("blocker"))) << loadResult.error.toStdString();
    EXPECT_EQ(listTexts(*controller), DefaultTexts);

    controller->finishLoading();
    controller->listPicked(SettingsListId::ConTime, 0);
    const WriteResult pickResult = controller->columnCountPicked(1);

    EXPECT_FALSE(pickResult.ok);
    EXPECT_FALSE(pickResult.error.isEmpty());
    EXPECT_EQ(controller->list(SettingsListId::ColCount).text(), qs("36"));
    const pugi::xml_node section = SettingsFile::section(controller->SettingsDocument());
    EXPECT_STREQ(section.attribute("set02").value(), "36");
    EXPECT_STREQ(section.attribute("set05").value(), "3");
}

TEST_F(SettingsControllerTest, handEditedForeignNames_storedFileLoadsBackWithTheSameChoices)
{
    // Names with a character Latin-5 has no byte for, the euro sign (written ~ below), a byte-order mark (^)
    // or bytes that are not UTF-8 in a file marked as UTF-8, cannot be stored; the store leaves them out.
    // Written as a character reference, the file would not parse on the next start.
    const struct
    {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"element, UTF-8 declared",
         R"(<?xml version="1.0" encoding="UTF-8"?><Ayarlar language="1"><Not~ /><SpecialNumbers #/></Ayarlar>)"},
        {"attribute, byte-order mark", "\xEF\xBB\xBF"
                                       R"(<Ayarlar language="1" x~="1"><SpecialNumbers #/></Ayarlar>)"},
        {"attribute name cut off inside a UTF-8 sequence, byte-order mark",
         "\xEF\xBB\xBF<Ayarlar x\xE5=\"1\"><SpecialNumbers #/></Ayarlar>"},
        {"element named like the section, before it",
         R"(<Ayarlar><SpecialNumbers~ set01="0" set02="36"/><SpecialNumbers #/></Ayarlar>)"},
        {"attribute named like a setting", R"(<Ayarlar><SpecialNumbers # set01~="0"/></Ayarlar>)"},
        {"element name beginning with a byte-order mark",
         R"(<Ayarlar><^SpecialNumbers set01="0" set02="36"/><SpecialNumbers #/></Ayarlar>)"},
        {"nested element and processing instruction",
         R"(<Ayarlar><?pi~ x?><SpecialNumbers #><a><b~ c="1"><d/></b~></a></SpecialNumbers></Ayarlar>)"},
    };
    for (const auto& c : cases) {
        writeSettings(QByteArray(c.bytes)
                          .replace("~", "\xE2\x82\xAC")
                          .replace("^", "\xEF\xBB\xBF")
                          .replace("#", R"(set01="2" set02="40" set03="8" set04="1" set05="3" set06="1")"));
        const auto first = loadedController();
        const Texts shown = listTexts(*first);
        ASSERT_EQ(shown[1], qs("40")) << c.name << ": the hand-edited file was not read";
        first->finishLoading();
        ASSERT_TRUE(first->StoreSettings().ok) << c.name;
        const QByteArray stored = settingsBytes();

        const auto next = loadedController();
        EXPECT_EQ(listTexts(*next), shown) << c.name;
        EXPECT_EQ(settingsBytes(), stored) << c.name << ": the next start replaced the stored file";
        EXPECT_FALSE(stored.contains("&#")) << c.name;
    }
}
