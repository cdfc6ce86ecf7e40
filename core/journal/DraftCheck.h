#pragma once

#include "journal/VerificationResult.h"

#include <QString>

#include <optional>
#include <vector>

// A draft file compared with the journal: the draft is saved after every committed edit, so it must
// hold the answers and the used time the journal gives at its last edit.
struct DraftComparison
{
    std::optional<QString> unreadable; // the file could not be read at all
    std::vector<JournalProblem> problems;
};

DraftComparison compareWithDraft(const QString& draftPath, const VerificationResult& result,
                                 const std::vector<QString>& answersAtLastEdit,
                                 std::optional<double> usedSecondsAtLastEdit);
