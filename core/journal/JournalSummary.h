#pragma once

#include "journal/VerificationResult.h"

#include <QString>

// The short summary of a verified journal, one fact a line: score, used time, longest gap,
// corrections, restores, seal and verdict, then every problem found.
QString journalSummaryText(const VerificationResult& result);

// "0:12:34 (754.37 s)"
QString usedTimeSummary(double seconds);
// One restore for people: where and when, its cells, the time it added and where the draft came from.
QString restoreText(const RestoreEntry& restore);
// "7.25 s, before digit 45", or "none" before the second new digit.
QString longestGapSummary(const VerificationResult& result);
// The ways an attempt ends, as a person reads them.
QString endReasonText(EndReason reason);
// "2025-01-01 13:00:00 +01:00": the start as the journal's start line gives it.
QString startTimeText(const VerificationResult& result);
// The wall time of the end event in the same form, in the start's UTC offset (the offset may have changed
// since, but the moment is the same); empty without an end.
QString endTimeText(const VerificationResult& result);
