#pragma once

#include "settings/StageSettings.h"

#include <QString>

#include <optional>
#include <vector>

// What the owner of a running attempt tells the journal. Times are milliseconds since the start event
// on a monotonic clock; the journal adds the wall-clock time itself.

enum class EndReason
{
    Finish,           // FINISH, confirmed
    StageTime,        // the 8-hour limit
    DigitTime,        // 15 seconds on one new digit
    WrongLockedDigit, // a locked digit was wrong at the last entry
    Back,             // BACK, confirmed: abandoned without results
    Cancel,           // CANCEL during the countdown, confirmed: abandoned without results
};

enum class BoxKind
{
    Leave,  // "Do you want to go back?" of BACK and CANCEL
    Finish, // "Do you want to finish this stage?"
};

enum class BoxAnswer
{
    Yes,
    No,
};

enum class AnsweredBy
{
    User,
    Countdown, // the box answered No by itself
    StageEnd,  // a rule ended the stage under the open box, which was closed with it
};

struct JournalStart
{
    int numberPosition = 0; // the type list's position: 0 sqrt(2), 1 pi, 2 e
    StageSettings settings;
    QString sourceName; // the type list's text of the number
    QString digits;     // the whole digit string of the number; the journal keeps its SHA-256
    int draftNumber = 0;
    QString hostName; // empty: this machine's name
    // A rehearsal from training, under the same rules: its journal says so, so that it never passes for
    // a record attempt.
    bool rehearsal = false;
};

struct JournalEdit
{
    int row = 0;
    int column = 0;
    QString oldText;
    QString newText;
    qint64 ms = 0; // when the edit was committed
    // When the cell editor opened, if earlier: the lock is decided then, not at the commit.
    std::optional<qint64> openedMs;
};

struct CellChange
{
    int row = 0;
    int column = 0;
    QString oldText;
    QString newText;
};

struct JournalRestore
{
    QString draftSha256; // of the bytes of the loaded draft_record.xml, as sha256Hex gives it
    std::vector<CellChange> changes;
    float addedSeconds = 0.0f; // the used time the draft brought
    qint64 ms = 0;
    // The attempt whose draft it is, when a draft_record_N.xml beside it holds the same bytes, and the
    // seal of that attempt's journal when there is one.
    std::optional<int> draftNumber;
    QString draftSeal;
};

struct JournalBox
{
    BoxKind kind = BoxKind::Finish;
    BoxAnswer answer = BoxAnswer::No;
    AnsweredBy by = AnsweredBy::User;
    qint64 askedMs = 0;
    qint64 ms = 0; // when it was answered
};

struct JournalEnd
{
    EndReason reason = EndReason::Finish;
    float usedSeconds = 0.0f; // as recorded for the results
    int score = 0;            // as the results show it; for an abandoned attempt, of the answers at that moment
    qint64 ms = 0;
};
