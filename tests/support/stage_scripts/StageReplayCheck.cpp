#include "StageReplayCheck.h"

#include "files/ProgramDirectory.h"
#include "journal/AttemptReplay.h"
#include "journal/JournalFormat.h"
#include "journal/JournalHash.h"
#include "journal/JournalVerifier.h"
#include "record/AttemptRecordDocument.h"
#include "rules/AttemptRules.h"
#include "stage/AnswerSheet.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr int DraftNumber = 4711;
const QString RestoredFileName = QStringLiteral("draft_record.xml");
constexpr int MaxReportedCells = 5;

GridCell cellOfIndex(const RecallStageDriver& stage, int digitIndex)
{
    const int cells = stage.rowCount() * stage.columnCount();
    const int index = std::clamp(digitIndex, 1, cells);
    return {(index - 1) / stage.columnCount() + 1, (index - 1) % stage.columnCount() + 1};
}

int indexOfCell(const RecallStageDriver& stage, GridCell cell)
{
    return (cell.row - 1) * stage.columnCount() + cell.column;
}

QString question(const RecallStageDriver& stage, GridCell cell)
{
    return stage.digits().mid(indexOfCell(stage, cell) - 1, 1);
}

QChar wrongDigit(const RecallStageDriver& stage, GridCell cell)
{
    return QChar(u'0' + char16_t((question(stage, cell).toInt() + 1) % 10));
}

// The cell after the furthest one the stage has stamped, where the competitor goes on.
int frontIndex(const RecallStageDriver& stage)
{
    const int cells = stage.rowCount() * stage.columnCount();
    for (int index = cells; index >= 1; --index) {
        if (stage.lastEntryMs(index) >= 0)
            return std::min(index + 1, cells);
    }
    return 1;
}

void writeRestoreFile(const QByteArray& bytes)
{
    QFile file(programFilePath(RestoredFileName));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A draft of this sheet, as the program writes them: the stage's answers with `cells` changed.
QByteArray draftOf(const RecallStageDriver& stage, int digitsPerRow, const std::vector<DraftCell>& cells,
                   float usedSeconds)
{
    AttemptRecordDocument draft;
    draft.setLocale(QLocale::c());
    draft.BuildAttemptRecord(stage.digits(), digitsPerRow);
    AnswerSheet answers;
    answers.reset(draft.rowCount(), digitsPerRow);
    if (digitsPerRow == stage.columnCount()) {
        for (int row = 1; row <= stage.rowCount(); ++row) {
            for (int column = 1; column <= stage.columnCount(); ++column)
                answers.setCellText(row, column, stage.answer({row, column}));
        }
    }
    const int front = frontIndex(stage);
    for (const DraftCell& change : cells) {
        const GridCell cell = cellOfIndex(stage, front + change.frontOffset);
        const QString text = change.text == DraftText::Right   ? question(stage, cell)
                             : change.text == DraftText::Wrong ? QString(wrongDigit(stage, cell))
                                                               : QString();
        answers.setCellText(cell.row, cell.column, text);
    }
    draft.RecordAnswers(0.0f, MaxStageSeconds, FakeClock(usedSeconds), answers);
    return draft.serialize();
}

// The cell whose lock comes next, within one typing pause from now once moved by `offsetMs`, and when.
std::optional<std::pair<GridCell, qint64>> nextLockEdge(const RecallStageDriver& stage, qint64 offsetMs)
{
    std::optional<std::pair<GridCell, qint64>> edge;
    const int cells = stage.rowCount() * stage.columnCount();
    for (int index = 1; index <= cells; ++index) {
        if (stage.lastEntryMs(index) < 0)
            continue;
        const qint64 at = stage.lastEntryMs(index) + LockAfterMs + offsetMs;
        if (at > stage.nowMs() && at < stage.nowMs() + MaxDigitMs && (!edge || at < edge->second))
            edge = std::make_pair(cellOfIndex(stage, index), at);
    }
    return edge;
}

void pressKey(RecallStageDriver& stage, int key)
{
    const GridCell cell = stage.currentCell();
    switch (key) {
    case 0:
        stage.pressBackspace();
        break;
    case 1:
        stage.pressEditKey();
        break;
    case 2:
        stage.typeDigit(question(stage, cell).at(0));
        break;
    default:
        stage.typeDigit(wrongDigit(stage, cell));
        break;
    }
}

void play(RecallStageDriver& stage, const StageScript& script, const StageAction& action, StageReplayCheck& check)
{
    if (action.kind == StageActionKind::RevisitAtLock) {
        const auto edge = nextLockEdge(stage, action.waitMs);
        if (!edge)
            return;
        stage.runClocksTo(edge->second);
        stage.moveTo(edge->first);
        pressKey(stage, action.amount);
        return;
    }
    stage.runClocksTo(stage.nowMs() + action.waitMs);
    const GridCell cell = stage.currentCell();
    switch (action.kind) {
    case StageActionKind::TypeRight:
        stage.typeDigit(question(stage, cell).at(0));
        break;
    case StageActionKind::TypeWrong:
        stage.typeDigit(wrongDigit(stage, cell));
        break;
    case StageActionKind::Backspace:
        stage.pressBackspace();
        break;
    case StageActionKind::Enter:
        stage.pressEnter();
        break;
    case StageActionKind::EditKey:
        stage.pressEditKey();
        break;
    case StageActionKind::MoveBy:
        stage.moveTo(cellOfIndex(stage, indexOfCell(stage, cell) + action.amount));
        break;
    case StageActionKind::MoveToFront:
        stage.moveTo(cellOfIndex(stage, frontIndex(stage)));
        break;
    case StageActionKind::AskFinish:
        stage.askFinish(action.yes, action.answerAfterMs);
        break;
    case StageActionKind::AskLeave:
        stage.askLeave(action.yes, action.answerAfterMs);
        break;
    case StageActionKind::RestoreDraft:
        writeRestoreFile(draftOf(stage, script.digitsPerRow, action.cells, action.restoredSeconds));
        check.restoresAccepted += stage.restoreDraft() ? 1 : 0;
        break;
    case StageActionKind::RestoreOwn:
        if (const QByteArray own = stage.ownDraft(); !own.isEmpty()) {
            writeRestoreFile(own);
            check.restoresAccepted += stage.restoreDraft() ? 1 : 0;
        }
        break;
    case StageActionKind::RestoreMisfit:
        writeRestoreFile(draftOf(stage, script.digitsPerRow == 30 ? 36 : 30, {}, 10.0f));
        check.restoresAccepted += stage.restoreDraft() ? 1 : 0;
        break;
    case StageActionKind::ToggleTime:
        stage.clickTimeDisplay();
        break;
    case StageActionKind::RevisitAtLock:
        break;
    }
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void compareLocks(const RecallStageDriver::Ending& stage, const VerificationResult& replay, QStringList& disagreements)
{
    // The replay cannot tell a lock within its timing allowance of the end; such cells may go either way.
    int differing = 0;
    for (std::size_t cell = 0; cell < replay.cells.size() && cell < stage.locked.size(); ++cell) {
        const qint64 lastEntry = replay.cells[cell].lastEntryMs;
        const qint64 age = lastEntry >= 0 ? replay.end->ms - lastEntry : -1;
        const bool surely = lastEntry >= 0 && isLockedAtAgeMs(age - AttemptReplay::TimingAllowanceMs);
        const bool perhaps = lastEntry >= 0 && isLockedAtAgeMs(age + AttemptReplay::TimingAllowanceMs);
        if ((stage.locked[cell] && !perhaps) || (!stage.locked[cell] && surely)) {
            if (++differing <= MaxReportedCells)
                disagreements << QStringLiteral("cell %1: the stage %2 it locked; the replay's last entry is %3 ms "
                                                "before the end")
                                     .arg(cell + 1)
                                     .arg(stage.locked[cell] ? QStringLiteral("found") : QStringLiteral("did not find"))
                                     .arg(age);
        }
    }
}

void compare(const RecallStageDriver::Ending& stage, const VerificationResult& replay, QStringList& disagreements)
{
    if (replay.verdict != Verdict::Valid)
        disagreements << QStringLiteral("verdict: ") + replay.verdictText;
    if (!replay.end) {
        disagreements << QStringLiteral("the replay found no end");
        return;
    }
    if (replay.end->reason != stage.reason)
        disagreements << QStringLiteral("end: the stage ended by %1, the journal by %2")
                             .arg(nameOf(stage.reason), nameOf(replay.end->reason));
    if (replay.score != stage.score)
        disagreements << QStringLiteral("score: the stage's %1, the replay's %2").arg(stage.score).arg(replay.score);
    // An abandoned attempt shows no used time; the journal's end holds what the stage measured.
    const double stageUsed = stage.usedSeconds.value_or(replay.end->usedSeconds);
    if (std::abs(stageUsed - replay.usedSeconds) > AttemptReplay::UsedTimeToleranceSeconds)
        disagreements << QStringLiteral("used time: the stage's %1 s, the replay's %2 s")
                             .arg(stageUsed, 0, 'f', 2)
                             .arg(replay.usedSeconds, 0, 'f', 2);
    if (replay.answers != stage.answers) {
        const auto differs =
            std::mismatch(stage.answers.begin(), stage.answers.end(), replay.answers.begin(), replay.answers.end());
        disagreements
            << QStringLiteral("answers: first differing cell %1").arg(differs.first - stage.answers.begin() + 1);
    }
    compareLocks(stage, replay, disagreements);
}
} // namespace

QString StageReplayCheck::report(const StageScript& script) const
{
    QStringList lines = disagreements;
    if (stage)
        lines << QStringLiteral("the stage ended by %1 with score %2").arg(nameOf(stage->reason)).arg(stage->score);
    lines << QStringLiteral("script:") << describe(script);
    return lines.join(u'\n');
}

StageReplayCheck playAndVerify(const StageScript& script, const QString& programDirectory)
{
    setProgramDirectory(programDirectory);
    StageReplayCheck check;
    // A journal is appended to: what an earlier run left must go first.
    RecallStageDriver stage(script, DraftNumber);
    for (const QString& path : {stage.journalPath(), stage.draftPath(), programFilePath(RestoredFileName)})
        QFile::remove(path);

    stage.open();
    for (const StageAction& action : script.actions) {
        if (stage.hasEnded())
            break;
        play(stage, script, action, check);
    }
    // Nobody touches the stage any more: its clocks end it, at the latest when the stage time is up.
    constexpr qint64 LongerThanAnyAttempt = (qint64(MaxStageSeconds) + 3'600) * 1'000;
    stage.runClocksTo(stage.nowMs() + LongerThanAnyAttempt);
    check.editorsRefused = stage.refusedOpenings();
    check.stage = stage.ending();
    if (!check.stage) {
        check.disagreements << QStringLiteral("the stage never ended");
        return check;
    }

    VerifyOptions& options = check.options;
    if (QFile::exists(stage.draftPath()))
        options.draftPath = stage.draftPath();
    options.expectedSeal = shortSeal(stage.seal());
    check.journalPath = stage.journalPath();
    check.replay = verifyJournal(readFile(check.journalPath), options);
    compare(*check.stage, check.replay, check.disagreements);
    return check;
}
