#pragma once

#include "record/AttemptRecordDocument.h"

class AnswerSheet;
class CellTextSource;
class Clock;

// The record of the current attempt. Each recall stage rebuilds it; the results screen reads it after
// the stage has closed.
extern AttemptRecordDocument AttemptRecord;

// Replaces AttemptRecord with a fresh record of `selectedDigits` and returns its SpecialNumbers element.
pugi::xml_node BuildAttemptRecord(const QString& selectedDigits, int digitsPerRow);

// Copies the used time, the maximum time and every grid text into AttemptRecord; returns the used time
// (hundredths, not capped) for the stage's stageSeconds. The AnswerSheet form skips the virtual calls.
float RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock, const CellTextSource& grid);
float RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock, const AnswerSheet& grid);
