#pragma once

#include "TrainingRows.h"
#include "TrainingView.h"

#include <QByteArray>

// CSV exports of the views, as RFC 4180 has them: a header line of the view's column names, commas,
// lines ended by CR LF, and a field in double quotes (its quotes doubled) when it holds a comma, a quote
// or a line end. Numbers are written in full with a point; times and words as the database has them.

QByteArray csvHeader(TrainingView view);

void appendCsvRow(QByteArray& csv, const StoredSession& row);
void appendCsvRow(QByteArray& csv, const StoredKeystroke& row);
void appendCsvRow(QByteArray& csv, const StoredItemState& row);
void appendCsvRow(QByteArray& csv, const StoredReview& row);
