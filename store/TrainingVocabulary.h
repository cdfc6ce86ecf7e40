#pragma once

#include "TrainingRows.h"
#include "training/TrainingActivity.h"

#include <QDateTime>
#include <QString>

#include <optional>

// How the values of the rows are written in the database and its CSV exports: the words of the views
// (`sqrt2`, `learn`, `block`, ...) and times as ISO 8601 in UTC with milliseconds.

QString numberText(TrainingNumber number);
QString modeText(TrainingMode mode);
QString kindText(ItemKind kind);

std::optional<TrainingNumber> numberFromText(const QString& text);
std::optional<TrainingMode> modeFromText(const QString& text);
std::optional<ItemKind> kindFromText(const QString& text);

// A session's mode as the training rules name what the competitor does, and back; Progress keeps no
// sessions of its own and is kept as Learn.
TrainingActivity activityOf(TrainingMode mode);
TrainingMode modeOf(TrainingActivity activity);

// "2026-05-01T09:30:00.125Z"; one fixed width, so that the texts sort as the times do.
QString utcText(const QDateTime& time);
// The time of such a text; an invalid QDateTime for any other.
QDateTime utcFromText(const QString& text);
