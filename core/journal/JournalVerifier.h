#pragma once

#include "journal/VerificationResult.h"

#include <QByteArray>
#include <QString>

struct VerifyOptions
{
    QString draftPath;    // a draft file to compare with the journal; none when empty
    QString expectedSeal; // the seal someone wrote down from the results screen; none when empty
};

// Checks a journal: its chain, its numbering, every event against the rules of the recall stage, the
// score of its answers against the recorded end, and optionally a draft and a written-down seal.
VerificationResult verifyJournalFile(const QString& journalPath, const VerifyOptions& options = {});
VerificationResult verifyJournal(const QByteArray& journal, const VerifyOptions& options = {});
