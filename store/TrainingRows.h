#pragma once

#include "training/TrainingItem.h"
#include "training/TrainingNumber.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// What goes into the training store and comes out of it: one type per view of the database, with the
// view's columns as members. Times are UTC. The numbers and the kinds of item are the training rules' own.

enum class TrainingMode
{
    Learn,
    Review,
    Recite,
    Drill,
    Rehearse,
};

// A row of session_summary. `seconds` is the session's length: as its end gave it, or until its end
// comes, the time of its last keystroke. `typed` counts the digits typed, `correct` those equal to the
// number's digit at their position.
struct StoredSession
{
    qint64 sessionId = 0;
    TrainingMode mode = TrainingMode::Learn;
    TrainingNumber number = TrainingNumber::Pi;
    int firstPosition = 1;
    QDateTime startedUtc;
    double seconds = 0.0;
    int typed = 0;
    int correct = 0;

    friend bool operator==(const StoredSession&, const StoredSession&) = default;
};

// A row of keystroke_log: one digit typed. `seq` counts the session's keystrokes from 1, `position` the
// digits after the point from 1; `ms` is the time since the session's start.
struct StoredKeystroke
{
    qint64 sessionId = 0;
    int seq = 1;
    int position = 1;
    int expected = 0;
    int typed = 0;
    qint64 ms = 0;

    friend bool operator==(const StoredKeystroke&, const StoredKeystroke&) = default;
};

// A row of item_state: where an item stands in the review schedule. Positions are those of its first
// and last digit, inclusive.
struct StoredItemState
{
    QString itemId;
    TrainingNumber number = TrainingNumber::Pi;
    ItemKind kind = ItemKind::Block;
    int firstPosition = 1;
    int lastPosition = 1;
    double stability = 0.0;
    double difficulty = 0.0;
    QDateTime dueUtc;
    int reps = 0;
    int lapses = 0;

    friend bool operator==(const StoredItemState&, const StoredItemState&) = default;
};

// A row of review_log. `rating` is 1 Again, 2 Hard, 3 Good or 4 Easy.
struct StoredReview
{
    QString itemId;
    qint64 sessionId = 0;
    QDateTime reviewedUtc;
    int rating = 3;

    friend bool operator==(const StoredReview&, const StoredReview&) = default;
};

// The competitor's note on an item (a mnemonic image, a journey's locus), shown when the item fails. No
// view shows notes: they are the competitor's own words, not part of the history other programs read.
struct StoredNote
{
    QString itemId;
    QString text;

    friend bool operator==(const StoredNote&, const StoredNote&) = default;
};
