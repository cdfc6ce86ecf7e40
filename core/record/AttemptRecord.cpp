#include "record/AttemptRecord.h"

#include "stage/AnswerSheet.h"

AttemptRecordDocument AttemptRecord;

pugi::xml_node BuildAttemptRecord(const QString& selectedDigits, int digitsPerRow)
{
    return AttemptRecord.build(selectedDigits, digitsPerRow);
}

float RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock, const CellTextSource& grid)
{
    return AttemptRecord.recordAnswers(stageStartTime, maxStageSeconds, clock, grid);
}

float RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock, const AnswerSheet& grid)
{
    return AttemptRecord.recordAnswers(stageStartTime, maxStageSeconds, clock, grid);
}
