#pragma once

#include "TrainingRows.h"
#include "training/progress/HistoryKeystroke.h"

#include <QString>
#include <QtGlobal>

#include <vector>

class TrainingStore;

// How much history to make up: its days end on `lastDay` (a training day), and its sessions and
// keystrokes are spread over them as evenly as they go.
struct HistoryShape
{
    int lastDay = 2461400;
    int days = 365;
    int sessions = 10000;
    qint64 keystrokes = 3000000;
    unsigned seed = 1;
};

// A competitor's made-up years, for benchmarks, screenshots and tests of views that need a long history:
// π one new block a day, e and √2 every other and third day, each day's due items reviewed through the
// real scheduler with recalls as likely as its forecast says, and sessions of every mode. A few
// positions are hard (more errors, slower digits), so the heatmap has something to show. The same shape
// always makes the same history.
struct GeneratedHistory
{
    std::vector<StoredSession> sessions;
    // By session, then in the order typed.
    std::vector<HistoryKeystroke> keystrokes;
    std::vector<StoredItemState> items;
    std::vector<StoredReview> reviews;
    std::vector<StoredNote> notes;

    // Hands the whole history to `store`, keystroke by keystroke, as the training window would have.
    void writeTo(TrainingStore& store) const;
    // Writes it into `folder`/training.sqlite, made anew, straight into the store's tables in one
    // transaction: through the store, one commit per keystroke, three million would take hours. False
    // when that failed, said on the standard error.
    bool writeToFile(const QString& folder) const;
};

GeneratedHistory generateHistory(const HistoryShape& shape = {});
