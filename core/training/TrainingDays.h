#pragma once

#include <QDateTime>

// The scheduler counts whole days on the competitor's own calendar (their local time zone): a block
// learned late in the evening is due on a later date there, wherever UTC's date changes.

// The local calendar day of `moment`, as a day number (the Julian day).
int trainingDay(const QDateTime& moment);
// The moment, in UTC, at which local day `day` begins: what item_state's due_utc holds for a due day.
QDateTime startOfTrainingDay(int day);
