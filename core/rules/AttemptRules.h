#pragma once

#include <QString>
#include <QtGlobal>

#include <algorithm>

// The rules of a record attempt, judged by the running stage as the attempt goes on and again by the
// journal's replay afterwards. Both call these functions, so the two can never judge by different rules.
// Ages and gaps are whole milliseconds, as the journal keeps them; used times are seconds, as the attempt
// record and the results keep them. The unit is in every name.

// The fixed limits of the discipline.
constexpr int MaxStageSeconds = 8 * 60 * 60;
constexpr qint64 MaxDigitMs = 15'000;
constexpr qint64 LockAfterMs = 600'000;

// What a digit is: one of the ten ASCII digits; the digits of other writing systems are none.
constexpr bool isDigitCharacter(int characterCode)
{
    return characterCode >= '0' && characterCode <= '9';
}
// The text of a cell that holds a digit: exactly one digit character.
bool isDigitText(const QString& text);

// An entry is an ended edit that leaves a text in its cell. Only an entry stamps its cell, so only an
// entry starts the cell's lock over; an edit that empties a cell is none, and neither is a restored draft.
inline bool isEntry(const QString& committedText)
{
    return !committedText.isEmpty();
}

// The digit index (1-based, in reading order) before the first digit: every index is at or beyond it.
constexpr int NoDigitYet = -1;

/// A new digit: an entry at or beyond every digit entered before it, that is at or past @p nextDigitIndex.
/// It starts the per-digit clock over, and the next new digit must lie past it (nextDigitIndexAfter).
bool isNewDigit(const QString& committedText, int digitIndex, int nextDigitIndex);
constexpr int nextDigitIndexAfter(int newDigitIndex)
{
    return newDigitIndex + 1;
}

/// A cell locks @p lockAfterMs after its last entry and cannot be opened again. @p entryAgeMs is the
/// time since that entry; a cell never entered has a negative age and never locks.
constexpr bool isLockedAtAgeMs(qint64 entryAgeMs, qint64 lockAfterMs = LockAfterMs)
{
    return entryAgeMs >= lockAfterMs;
}

/// An answer is wrong when it is not its question digit; an emptied cell is wrong too. The
/// wrong-locked-digit rule is judged after every ended edit, an emptied cell included: once the answer
/// of a locked cell is wrong, that edit ends the attempt.
inline bool isWrongAnswer(const QString& answer, const QString& question)
{
    return answer != question;
}

// The per-digit clock runs from the latest new digit; once it reaches the limit the attempt ends.
constexpr bool digitTimeIsUpAfterMs(qint64 sinceNewDigitMs)
{
    return sinceNewDigitMs >= MaxDigitMs;
}

// The stage clock: once the used time reaches the maximum the stage is over.
constexpr bool stageTimeIsUpAtUsedSeconds(double usedSeconds)
{
    return usedSeconds >= MaxStageSeconds;
}
/// The used time counts from the end of the countdown, and restored drafts add theirs. Under the
/// countdown a draft holds the restored time alone, but an attempt that ends there has used the
/// countdown so far as well.
constexpr bool countdownCountsAsUsed(bool attemptEnds)
{
    return attemptEnds;
}
// The used time an attempt records: never more than the maximum stage time.
constexpr double cappedUsedSeconds(double usedSeconds)
{
    return std::min(usedSeconds, double(MaxStageSeconds));
}

// The stage's clock reads seconds. Cut to whole milliseconds, a time reaches a positive limit of whole
// milliseconds exactly when its seconds reach it (a float times 1000 is exact in double precision). Inline:
// the locked-digit rule converts the age of every cell of the sheet after every entry.
constexpr qint64 wholeMilliseconds(double seconds)
{
    return static_cast<qint64>(seconds * 1000.0);
}
