#pragma once

#include "journal/JournalEvents.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// What an arbiter needs of an attempt: its journal and the journal's seal. Without a whole journal there
// is no seal, and journalProblem says why.
struct AttemptEvidence
{
    int draftNumber = 0;
    QString journalPath;
    QByteArray seal;
    QString journalProblem;
    bool rehearsal = false;
};

// A finished attempt as the results screen shows it: everything it needs, so that it reads nothing else.
struct AttemptOutcome
{
    EndReason reason = EndReason::Finish;
    int score = 0;
    // The times the record holds; none where the record cannot give one.
    std::optional<float> usedSeconds;
    std::optional<float> maxSeconds;
    // The type list's text of the number, and the sheet's shape.
    QString caption;
    int rows = 0;
    int digitsPerRow = 0;
    // Row-major, rows x digitsPerRow each.
    std::vector<QString> questions;
    std::vector<QString> answers;
    AttemptEvidence evidence;
};
