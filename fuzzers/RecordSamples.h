#pragma once

#include "../tests/core/AttemptRecordTestSupport.h"
#include "../tests/support/FakeClock.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"

#include <QByteArray>
#include <QLocale>

// Attempt records as the program writes them, shared by the record targets and the seed writer.

struct SheetShape
{
    int rows;
    int columns;
};

// The shapes the record targets load against: tiny ones the fuzzer can fill, and the largest sheet
// (pi with 30 digits a row).
inline constexpr SheetShape SmallShapes[] = {{2, 3}, {5, 5}};
inline constexpr SheetShape LargestShape = {1092, 30};

// A draft of `shape` as the stage saves it after `answered` committed digits, `usedSeconds` into the stage.
// Without answers it is the record as built, before any save: no time attributes.
inline QByteArray savedRecord(SheetShape shape, int answered, float usedSeconds)
{
    const QString digits = syntheticDigits(shape.rows * shape.columns);
    AttemptRecordDocument record;
    record.setLocale(QLocale::c());
    record.BuildAttemptRecord(digits, shape.columns);
    if (answered > 0) {
        AnswerSheet sheet;
        sheet.reset(shape.rows, shape.columns);
        for (int k = 0; k < answered && k < shape.rows * shape.columns; ++k) {
            // Every seventh answer wrong, and the last one emptied again, as a competitor leaves them.
            const QChar digit = k % 7 == 6 ? QLatin1Char('0' + (digits.at(k).digitValue() + 1) % 10) : digits.at(k);
            sheet.setCellText(k / shape.columns + 1, k % shape.columns + 1, QString(digit));
        }
        if (answered > 1)
            sheet.setCellText((answered - 1) / shape.columns + 1, (answered - 1) % shape.columns + 1, QString());
        const FakeClock clock(40000.0f + usedSeconds);
        record.RecordAnswers(40000.0f, 28800, clock, sheet);
    }
    return record.serialize();
}
