#pragma once

#include "journal/JournalEvents.h"
#include "settings/StageSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

enum class ProblemKind
{
    Altered,    // the journal contradicts itself: its chain, its numbering, or what it records
    BrokenRule, // the journal is whole, but the attempt it tells broke a rule
};

struct JournalProblem
{
    int event = 0; // 1-based event number; 0 when the problem concerns no single event
    ProblemKind kind = ProblemKind::Altered;
    QString message;
};

enum class Verdict
{
    Valid,       // whole, by the rules, and ended as recorded
    Incomplete,  // unchanged as far as it goes and by the rules, but without an end (a crash): no result
    BreaksRules, // whole, but the attempt broke a rule
    Altered,     // changed after it was written, or not what the program writes
    Unreadable,  // not a journal, or a file that could not be read
    NotASeal,    // the seal given to compare with is no seal; nothing was checked
};

// korvalin-verify's exit codes. A script that takes 0 for a pass must not pass an attempt without a
// result, so an incomplete journal has a code of its own.
namespace VerifyExitCode {
inline constexpr int Valid = 0;
inline constexpr int AlteredOrBroken = 1;
inline constexpr int CannotRead = 2; // also a command line, a seal or a report that is wrong
inline constexpr int Incomplete = 3;
// Whole and by the rules, but a rehearsal from training: never a pass for a record attempt.
inline constexpr int Rehearsal = 4;
} // namespace VerifyExitCode

// The first event: who made the attempt, where, when and under which settings.
struct AttemptHeader
{
    QString version;
    int numberPosition = 0;
    StageSettings settings;
    QString sourceName;
    QByteArray sourceSha256;
    QString startTime; // date and time with the UTC offset
    QString host;
    int draftNumber = 0;
    bool rehearsal = false; // started from training under the record rules, not a record attempt
};

struct RecordedEnd
{
    int event = 0;
    qint64 ms = 0;
    EndReason reason = EndReason::Finish;
    double usedSeconds = 0.0;
    int score = 0;
};

// What the journal tells of one cell. Times are milliseconds since the start; -1 where there is none.
struct CellHistory
{
    qint64 firstEntryMs = -1;
    qint64 lastEntryMs = -1; // the latest entry, from which the cell's lock runs
    qint64 lastChangeMs = -1;
    qint64 gapBeforeMs = -1; // for a new digit after the first: time since the previous new digit
    int corrections = 0;     // edits that replaced or removed an entered text
    bool restored = false;   // its answer came from a restored draft and was not typed over since
};

struct NewDigitGap
{
    int digitIndex = 0;
    int event = 0;
    qint64 gapMs = 0;
};

struct CorrectionEntry
{
    int event = 0;
    qint64 ms = 0;
    int row = 0;
    int column = 0;
    QString oldText;
    QString newText;
};

// Cells one after another in the sheet's order, as 0-based indexes from `first` to `last`.
struct CellRun
{
    std::size_t first = 0;
    std::size_t last = 0;
};

struct RestoreEntry
{
    int event = 0;
    qint64 ms = 0;
    QString draftSha256;
    int cellsChanged = 0;
    double addedSeconds = 0.0;
    // The attempt the draft came from and its journal's seal, where the program could tell them.
    std::optional<int> draftNumber;
    QString draftSeal;
    // Answers on the sheet that the draft replaced by other ones: what an arbiter looks at first.
    std::vector<CorrectionEntry> overwritten;
    // The cells it changed, in runs; and the first and the last of them, as (row, column).
    std::vector<CellRun> cellRuns;
    std::pair<int, int> firstCell{0, 0};
    std::pair<int, int> lastCell{0, 0};
};

struct VerificationResult
{
    Verdict verdict = Verdict::Unreadable;
    QString verdictText;
    std::vector<JournalProblem> problems;
    int events = 0; // complete lines read
    bool partialLastLine = false;
    QByteArray seal; // SHA-256 of the last complete line

    AttemptHeader header;
    std::optional<RecordedEnd> end;
    qint64 endWallMs = 0; // the wall time of the end event, when there is one

    // The sheet as the journal leaves it, row-major; rows and columns count from 1.
    int rows = 0;
    int columns = 0;
    std::vector<QString> questions;
    std::vector<QString> answers;
    std::vector<unsigned char> correct;
    std::vector<CellHistory> cells;

    // Replayed from the journal and the digit source, as the results screen would show them.
    int score = 0;
    double usedSeconds = 0.0;
    qint64 longestGapMs = -1;
    int longestGapDigit = 0;
    std::vector<NewDigitGap> gaps;
    std::vector<CorrectionEntry> corrections;
    std::vector<RestoreEntry> restores;
    // Things an arbiter should look at that are no verdict, such as a time of day that was set during
    // the attempt: the journal's own times (ms) decide the rules, the time of day only reads along.
    QStringList warnings;

    // Whether the journal was read and checked, so that there is something to report.
    bool wasChecked() const { return verdict != Verdict::Unreadable && verdict != Verdict::NotASeal; }

    int exitCode() const
    {
        switch (verdict) {
        case Verdict::Valid:
            return header.rehearsal ? VerifyExitCode::Rehearsal : VerifyExitCode::Valid;
        case Verdict::Incomplete:
            return VerifyExitCode::Incomplete;
        case Verdict::BreaksRules:
        case Verdict::Altered:
            return VerifyExitCode::AlteredOrBroken;
        case Verdict::Unreadable:
        case Verdict::NotASeal:
            break;
        }
        return VerifyExitCode::CannotRead;
    }
};
