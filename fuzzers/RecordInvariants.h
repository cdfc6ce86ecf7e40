#pragma once

#include "FuzzSupport.h"
#include "RecordSamples.h"

#include "../tests/support/FakeClock.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"

#include <QLocale>

// What must hold for any bytes offered to the record loader as draft_record.xml.

inline void setUpRecord(AttemptRecordDocument& record)
{
    record.setLocale(QLocale::c());
}

// A record that was accepted: what the program serialises from it loads back and serialises to the same
// bytes; and the next save of the stage after this restore loads back as well.
inline void checkAcceptedRecord(AttemptRecordDocument& record, SheetShape shape)
{
    require(record.rowCount() == shape.rows && record.columnCount() == shape.columns, "accepted with another shape");
    const QByteArray serialised = record.serialize();
    AttemptRecordDocument reloaded;
    setUpRecord(reloaded);
    require(!reloaded.loadFromBytes(serialised, shape.rows, shape.columns), "a serialised record does not load back");
    require(reloaded.serialize() == serialised, "a serialised record does not serialise to the same bytes");

    // The stage copies the restored answers into its grid, the competitor types one more, the draft is saved.
    AnswerSheet grid;
    grid.reset(shape.rows, shape.columns);
    for (int row = 1; row <= shape.rows; ++row) {
        for (int column = 1; column <= shape.columns; ++column)
            grid.setCellText(row, column, record.cevap(row, column));
    }
    grid.setCellText(1, 1, QStringLiteral("7"));
    const float restored = record.usedTime().value_or(0.0f);
    const FakeClock clock(50000.0f);
    record.RecordAnswers(50000.0f - restored - 1.5f, 28800, clock, grid);
    const QByteArray saved = record.serialize();
    AttemptRecordDocument next;
    setUpRecord(next);
    require(!next.loadFromBytes(saved, shape.rows, shape.columns), "the save after a restore does not load back");
    require(next.cevap(1, 1) == QStringLiteral("7"), "the save after a restore lost the typed digit");
    require(next.usedTime().has_value(), "the save after a restore has no readable used_time");
}
