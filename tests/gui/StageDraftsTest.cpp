#include "frmSpecialNumber_Main/StageDrafts.h"
#include "../core/AttemptRecordTestSupport.h"
#include "FakeClock.h"
#include "base/Clock.h"
#include "boxes/ScriptedDialog.h"
#include "boxes/modMsgBox.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "record/AttemptRecordDocument.h"
#include "skin/Fonts.h"
#include "stage/AnswerSheet.h"
#include "stage/RunningAttempt.h"
#include "stage/StageClocks.h"
#include "stage/StageState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int Rows = 4;
constexpr int Columns = 6;
constexpr int DraftNumber = 4711;
constexpr float RecallStart = 1000.0f;
constexpr float Countdown = 60.0f;

// A shown stage window with a 4 x 6 answer grid wired to the attempt as the recall stage wires it: the
// attempt decides whether a cell opens and rules on every ended edit, which saves a draft.
class StageDraftsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_directory.isValid());
        clock.set(RecallStart - Countdown);

        m_stage = std::make_unique<QWidget>();
        m_stage->resize(600, 300);
        grid = new AnswerGrid(m_stage.get());
        grid->setSheet(*attempt);
        grid->setGeometry(10, 10, 580, 250);
        AnswerGridHooks hooks;
        hooks.beforeEdit = [this](int row, int column, bool& cancel) { cancel = !attempt->mayOpen(row, column); };
        hooks.afterEdit = [this](int row, int column) { attempt->editEnded(row, column); };
        grid->setHooks(hooks);
        drafts = new StageDrafts(m_stage.get(), *grid, *attempt, [this] { ++groupRedraws; });
        m_stage->show();
        m_stage->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_stage.get()));
        grid->setFocus();
    }

    void TearDown() override
    {
        EXPECT_EQ(ScriptedDialog::scriptedStepsLeft(), 0);
        ScriptedDialog::clearScript();
        m_stage.reset();
        setProgramDirectory(QString());
    }

    // The countdown runs from RecallStart - Countdown to RecallStart; the clock then stands a minute into the recall.
    void startRecall()
    {
        clock.set(RecallStart - Countdown);
        attempt->startCountdown();
        clock.set(RecallStart);
        ASSERT_TRUE(attempt->concentrationTick().finished);
        clock.set(RecallStart + 60.0f);
    }

    // A digit typed into (row, column) of the grid: its editor opens, commits and closes at once.
    void typeAt(int row, int column, char digit)
    {
        grid->setCurrentCell(row, column);
        press(digit);
    }

    // The draft file's name is fixed when the attempt starts, so the program directory is set first.
    std::unique_ptr<RunningAttempt> makeAttempt()
    {
        setProgramDirectory(m_directory.path());
        StageSettings settings;
        settings.digitsPerRow = Columns;
        settings.concentrationSeconds = int(Countdown);
        return std::make_unique<RunningAttempt>(settings, DigitSource{0, QString(), syntheticDigits(Rows * Columns)},
                                                DraftNumber, clock);
    }

    QString draftPath() const { return QDir(m_directory.path()).filePath(QStringLiteral("draft_record_4711.xml")); }
    QString restorePath() const { return QDir(m_directory.path()).filePath(QStringLiteral("draft_record.xml")); }

    // The stage's draft file once the writer is done, parsed.
    std::unique_ptr<pugi::xml_document> writtenDraft()
    {
        drafts->waitForPendingWrite();
        return draftOnDisk();
    }

    // The stage's draft file as it is on disk now, parsed.
    std::unique_ptr<pugi::xml_document> draftOnDisk() const
    {
        auto document = std::make_unique<pugi::xml_document>();
        const pugi::xml_parse_result parsed = document->load_file(QFile::encodeName(draftPath()).constData());
        EXPECT_EQ(parsed.status, pugi::status_ok) << parsed.description();
        return document;
    }

    static pugi::xml_node specialNumbers(const pugi::xml_document& document)
    {
        return document.child("Korvalin").child("SpecialNumbers");
    }

    // Every cevap of the draft against the grid's text of the same cell.
    void expectDraftHoldsGrid(const pugi::xml_document& document) const
    {
        const pugi::xml_node numbers = specialNumbers(document);
        for (int i = 1; i <= Rows; ++i) {
            const pugi::xml_node row = numbers.child(("Satir_" + std::to_string(i)).c_str());
            for (int j = 1; j <= Columns; ++j) {
                const pugi::xml_node cell = row.child(("Soru_" + std::to_string(j)).c_str());
                EXPECT_EQ(QString::fromUtf8(cell.attribute("cevap").value()), gridText(i, j)) << i << "," << j;
            }
        }
    }

    QString gridText(int row, int column) const { return grid->answers().sheet().cellText(row, column); }

    // A saved attempt of the grid's shape whose answers fill the first row with "9"; used_time as given.
    static QByteArray restoreFile(int rows = Rows, float usedSeconds = 600.0f)
    {
        AttemptRecordDocument saved;
        saved.setLocale(QLocale::c());
        saved.BuildAttemptRecord(syntheticDigits(rows * Columns), Columns);
        AnswerSheet sheet;
        sheet.reset(rows, Columns);
        for (int j = 1; j <= Columns; ++j)
            sheet.setCellText(1, j, QStringLiteral("9"));
        saved.RecordAnswers(0.0f, 28800, FakeClock(usedSeconds), sheet);
        return saved.serialize();
    }

    void writeRestoreFile(const QByteArray& bytes) const
    {
        QFile file(restorePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    bool restoredIntoGrid() const { return gridText(1, 1) == QStringLiteral("9"); }

    bool pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        return drafts->handleKeyPress(&event);
    }

    static void press(char key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }
    static void press(Qt::Key key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }

    QLabel* notice() const { return m_stage->findChild<QLabel*>(QStringLiteral("draftNotice")); }

    QTemporaryDir m_directory;
    FakeClock clock;
    std::unique_ptr<RunningAttempt> attempt = makeAttempt();
    const StageState& state = attempt->state();
    std::unique_ptr<QWidget> m_stage;
    AnswerGrid* grid = nullptr;
    StageDrafts* drafts = nullptr;
    int groupRedraws = 0;
};

TEST_F(StageDraftsTest, everyCommittedEdit_rewritesTheDraftWithTheGridAfterIt)
{
    startRecall();
    const struct
    {
        const char* what;
        std::function<void()> edit;
        const char* cellText;
    } steps[] = {
        {"digit", [] { press('7'); }, "7"},
        {"emptied",
         [this] {
             grid->setCurrentCell(1, 1);
             press(Qt::Key_Backspace);
             press(Qt::Key_Return);
         },
         ""},
        {"typed again", [] { press('4'); }, "4"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        clock.advance(5.0f);
        step.edit();
        ASSERT_EQ(gridText(1, 1), QString::fromLatin1(step.cellText));
        const auto draft = writtenDraft();
        expectDraftHoldsGrid(*draft);
        const float used = clock.seconds() - RecallStart;
        EXPECT_EQ(std::string(specialNumbers(*draft).attribute("used_time").value()), std::to_string(int(used)));
        EXPECT_STREQ(specialNumbers(*draft).attribute("max_time").value(), "28800");
        EXPECT_FLOAT_EQ(state.stageSeconds, used);
    }
    // The question digits stay in the draft beside the answers.
    EXPECT_EQ(
        QString::fromUtf8(specialNumbers(*writtenDraft()).child("Satir_2").child("Soru_3").attribute("soru").value()),
        syntheticDigits(Rows * Columns).mid(Columns + 2, 1));
    EXPECT_TRUE(drafts->noticeText().isEmpty());
}

TEST_F(StageDraftsTest, draftSavedWhileTheDisplayCountsDown_holdsTheUsedTime)
{
    startRecall();
    ASSERT_TRUE(state.countDown);
    ASSERT_TRUE(state.showStageTimer);
    clock.set(RecallStart + 90.0f);
    EXPECT_EQ(attempt->stageTick().displayText, QStringLiteral("7:58:30"));
    EXPECT_FLOAT_EQ(state.stageSeconds, 90.0f);

    typeAt(1, 1, '5');
    EXPECT_STREQ(specialNumbers(*writtenDraft()).attribute("used_time").value(), "90");
    EXPECT_FLOAT_EQ(state.stageSeconds, 90.0f);
}

TEST_F(StageDraftsTest, accessCodePrompt_opensOnlyForCtrlF12AndLoadsOnlyForTheExactCode)
{
    startRecall();
    writeRestoreFile(restoreFile());
    const struct
    {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::optional<QString> typed; // none: Cancel
        bool prompts;
        bool loads;
    } cases[] = {
        {"Ctrl+Shift+F12", Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("qvz"), false, false},
        {"Ctrl+Alt+F12", Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("qvz"), false, false},
        {"F12 alone", Qt::Key_F12, Qt::NoModifier, QStringLiteral("qvz"), false, false},
        {"Ctrl+F11", Qt::Key_F11, Qt::ControlModifier, QStringLiteral("qvz"), false, false},
        {"capitals", Qt::Key_F12, Qt::ControlModifier, QStringLiteral("QVZ"), true, false},
        {"trailing blank", Qt::Key_F12, Qt::ControlModifier, QStringLiteral("qvz "), true, false},
        {"too short", Qt::Key_F12, Qt::ControlModifier, QStringLiteral("qv"), true, false},
        {"OK on an empty text", Qt::Key_F12, Qt::ControlModifier, QString(), true, false},
        {"Cancel", Qt::Key_F12, Qt::ControlModifier, std::nullopt, true, false},
        {"exact code", Qt::Key_F12, Qt::ControlModifier, QStringLiteral("qvz"), true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString title;
        QString prompt;
        ScriptedDialog::scriptNext([&](QDialog& dialog) {
            title = dialog.windowTitle();
            prompt = dialog.findChild<QLabel*>(QStringLiteral("promptLabel"))->text();
            if (!c.typed) {
                dialog.reject();
                return;
            }
            dialog.findChild<QLineEdit*>(QStringLiteral("promptText"))->setText(*c.typed);
            dialog.accept();
        });
        EXPECT_EQ(pressKey(c.key, c.modifiers), c.key == Qt::Key_F12 && c.modifiers == Qt::ControlModifier);
        EXPECT_EQ(ScriptedDialog::scriptedStepsLeft(), c.prompts ? 0 : 1);
        ScriptedDialog::clearScript();
        if (c.prompts) {
            EXPECT_EQ(title, QStringLiteral("KORVALIN"));
            EXPECT_EQ(prompt, QStringLiteral("Draft kayıt yükleme kodunu giriniz:"));
        }
        EXPECT_EQ(restoredIntoGrid(), c.loads);
        EXPECT_EQ(groupRedraws, c.loads ? 1 : 0);
    }
}

TEST_F(StageDraftsTest, restoredUsedTime_movesTheStageClockBack)
{
    startRecall();
    clock.set(RecallStart + 30.0f);
    typeAt(3, 2, '5');
    clock.set(RecallStart + 60.0f);
    writeRestoreFile(restoreFile(Rows, 600.0f));

    drafts->loadDraft();
    EXPECT_FLOAT_EQ(state.stageStartTime, RecallStart - 600.0f);
    for (int j = 1; j <= Columns; ++j)
        EXPECT_EQ(gridText(1, j), QStringLiteral("9"));
    // Texts come from the draft; stamps stay those of this stage.
    EXPECT_EQ(gridText(3, 2), QString());
    EXPECT_FLOAT_EQ(grid->answers().sheet().stamp(3, 2), RecallStart + 30.0f);
    EXPECT_EQ(groupRedraws, 1);
    EXPECT_EQ(attempt->AttemptRecord().usedTime(), 600.0f);

    EXPECT_EQ(attempt->stageTick().displayText, QStringLiteral("7:49:00"));
    attempt->toggleCountDown();
    EXPECT_EQ(attempt->stageTick().displayText, QStringLiteral("0:11:00"));

    typeAt(4, 1, '8');
    EXPECT_STREQ(specialNumbers(*writtenDraft()).attribute("used_time").value(), "660");
}

TEST_F(StageDraftsTest, restoreWithoutUsedTime_leavesTheStageClock)
{
    startRecall();
    QByteArray bytes = restoreFile();
    bytes.replace("used_time=\"600\"", "");
    writeRestoreFile(bytes);
    drafts->loadDraft();
    EXPECT_TRUE(restoredIntoGrid());
    EXPECT_FLOAT_EQ(state.stageStartTime, RecallStart);
}

TEST_F(StageDraftsTest, restoreDuringTheCountdown_keepsTheCountdownAndCarriesTheUsedTimeIntoTheRecall)
{
    clock.set(RecallStart);
    attempt->startCountdown();
    writeRestoreFile(restoreFile(Rows, 600.0f));

    clock.set(RecallStart + 10.0f);
    drafts->loadDraft();
    EXPECT_TRUE(restoredIntoGrid());
    EXPECT_FLOAT_EQ(state.stageStartTime, RecallStart);
    EXPECT_FLOAT_EQ(attempt->pendingRestoredSeconds(), 600.0f);
    // A digit typed under the countdown panel saves the restored time, not the countdown's.
    typeAt(2, 1, '3');
    EXPECT_STREQ(specialNumbers(*writtenDraft()).attribute("used_time").value(), "600");

    clock.set(RecallStart + 30.0f);
    const ConcentrationFrame halfway = attempt->concentrationTick();
    EXPECT_FALSE(halfway.finished);
    EXPECT_EQ(halfway.text, QStringLiteral("30"));
    clock.set(RecallStart + 60.0f);
    ASSERT_TRUE(attempt->concentrationTick().finished);
    EXPECT_FLOAT_EQ(attempt->pendingRestoredSeconds(), 0.0f);

    attempt->toggleCountDown();
    clock.set(RecallStart + 120.0f);
    EXPECT_EQ(attempt->stageTick().displayText, QStringLiteral("0:11:00"));
}

TEST_F(StageDraftsTest, unusableRestoreFile_changesNothingAndSaysWhy)
{
    startRecall();
    typeAt(2, 2, '1');
    drafts->waitForPendingWrite();
    const QByteArray recordBefore = attempt->AttemptRecord().serialize();
    QByteArray wrongRoot = restoreFile();
    wrongRoot.replace("Korvalin", "Record");
    const QByteArray valid = restoreFile();
    const struct
    {
        const char* what;
        std::optional<QByteArray> bytes; // none: no file
        const char* reason;
    } cases[] = {
        {"missing", std::nullopt, "does not exist"},
        {"truncated", valid.left(valid.size() / 2), "not a well-formed"},
        {"wrong root", wrongRoot, "Record"},
        {"one row short", restoreFile(Rows - 1), "Satir_4"},
        {"one row too many", restoreFile(Rows + 1), "Satir_5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(restorePath());
        if (c.bytes)
            writeRestoreFile(*c.bytes);
        drafts->loadDraft();
        EXPECT_EQ(attempt->AttemptRecord().serialize(), recordBefore);
        EXPECT_EQ(gridText(2, 2), QStringLiteral("1"));
        EXPECT_EQ(gridText(1, 1), QString());
        EXPECT_FLOAT_EQ(state.stageStartTime, RecallStart);
        EXPECT_EQ(groupRedraws, 0);
        ASSERT_TRUE(notice()->isVisible());
        EXPECT_TRUE(notice()->text().contains(QLatin1String(c.reason))) << notice()->text().toStdString();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    writeRestoreFile(valid);
    drafts->loadDraft();
    EXPECT_TRUE(restoredIntoGrid());
    EXPECT_FALSE(notice()->isVisible());
}

TEST_F(StageDraftsTest, failedSave_showsANoticeUntilASaveSucceeds)
{
    startRecall();
    // A directory that is not empty where the draft should be: no file can take its place.
    const QString blocker = draftPath();
    ASSERT_TRUE(QDir().mkpath(QDir(blocker).filePath(QStringLiteral("inside"))));

    ASSERT_FALSE(notice()->isVisible());
    typeAt(1, 1, '3');
    drafts->waitForPendingWrite();
    ASSERT_TRUE(notice()->isVisible());
    EXPECT_TRUE(drafts->noticeText().contains(QLatin1String("could not be saved")));
    EXPECT_TRUE(drafts->noticeText().contains(QDir::toNativeSeparators(blocker)));
    EXPECT_TRUE(m_stage->rect().contains(notice()->geometry()));
    m_stage->resize(500, 400);
    EXPECT_TRUE(m_stage->rect().contains(notice()->geometry()));
    EXPECT_EQ(notice()->geometry().bottom(), 400 - 1 - StageDrafts::NoticeMargin);
    EXPECT_FLOAT_EQ(state.stageSeconds, 60.0f);

    ASSERT_TRUE(QDir(blocker).removeRecursively());
    typeAt(1, 2, '4');
    expectDraftHoldsGrid(*writtenDraft());
    EXPECT_FALSE(notice()->isVisible());
    EXPECT_TRUE(drafts->noticeText().isEmpty());
}

TEST_F(StageDraftsTest, failedJournalEntry_showsANoticeAndIsWrittenWithTheNextOne)
{
    // A directory where the journal should be: nothing can be appended to it.
    const QString journal = attempt->journalPath();
    ASSERT_TRUE(QDir().mkpath(journal));
    startRecall();
    typeAt(1, 1, '3');
    drafts->waitForPendingWrite();
    EXPECT_TRUE(drafts->noticeText().contains(QLatin1String("journal could not be written")))
        << drafts->noticeText().toStdString();
    EXPECT_FALSE(drafts->noticeText().contains(QLatin1String("draft could not be saved")));

    ASSERT_TRUE(QDir(journal).removeRecursively());
    typeAt(1, 2, '4');
    drafts->waitForPendingWrite();
    EXPECT_TRUE(drafts->noticeText().isEmpty());
    QFile file(journal);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The start, the end of the countdown, the edit whose entry failed and the next one: nothing is
    // missing from the chain.
    EXPECT_EQ(file.readAll().count('\n'), 4);
}

TEST_F(StageDraftsTest, stageEnding_leavesTheNewestDraftOnDiskAndTakesNoMoreEntries)
{
    startRecall();
    typeAt(1, 1, '2');
    drafts->stageEnding();
    expectDraftHoldsGrid(*draftOnDisk());
    EXPECT_TRUE(attempt->isDraftWriteIdle());

    // A key that reaches the grid while the stage closes changes neither the sheet nor the draft.
    typeAt(1, 2, '6');
    EXPECT_EQ(gridText(1, 2), QString());
    EXPECT_TRUE(attempt->isDraftWriteIdle());
    expectDraftHoldsGrid(*draftOnDisk());
}

// The parameter: OK was pressed in the same moment the stage ended, rather than the code only typed.
class StageEndingTest : public StageDraftsTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(StageEndingTest, stageEndingUnderTheOpenPrompt_closesItAndLoadsNothing)
{
    startRecall();
    writeRestoreFile(restoreFile());
    bool closedByEnding = false;
    ScriptedDialog::scriptNext([this, &closedByEnding](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("promptText"))->setText(QStringLiteral("qvz"));
        if (GetParam())
            dialog.accept();
        drafts->stageEnding();
        closedByEnding = !dialog.isVisible();
    });
    EXPECT_TRUE(pressKey(Qt::Key_F12, Qt::ControlModifier));
    EXPECT_TRUE(closedByEnding);
    EXPECT_FALSE(restoredIntoGrid());
    EXPECT_EQ(groupRedraws, 0);

    // Nothing reaches the ended stage afterwards either.
    drafts->loadDraft();
    EXPECT_FALSE(restoredIntoGrid());
    ScriptedDialog::scriptNext([](QDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(pressKey(Qt::Key_F12, Qt::ControlModifier));
    EXPECT_EQ(ScriptedDialog::scriptedStepsLeft(), 1);
    ScriptedDialog::clearScript();
}

INSTANTIATE_TEST_SUITE_P(CodeTypedOrConfirmed, StageEndingTest, ::testing::Bool());

TEST(PromptClose, closeOpenPrompt_cancelsTheOpenPromptOnly)
{
    EXPECT_FALSE(closeOpenPrompt());
    QWidget owner;
    owner.show();
    bool closed = false;
    ScriptedDialog::scriptNext([&closed](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("promptText"))->setText(QStringLiteral("typed"));
        closed = closeOpenPrompt();
    });
    EXPECT_EQ(PromptForText(&owner, QStringLiteral("KORVALIN"), QStringLiteral("?")), QString());
    EXPECT_TRUE(closed);
    EXPECT_FALSE(closeOpenPrompt());
}

} // namespace
