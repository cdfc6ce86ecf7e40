#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The used stage time of an attempt: measured from two clock readings, rounded to hundredths with
// halves to even. A negative difference means midnight has passed since the stage started.
float measureUsedSeconds(float stageStartTime, float now);

// The text of a used time as the attempt record stores it: the shortest decimal that gives back the
// single-precision value (never more than 7 significant digits for a time up to 28800 s), no exponent,
// no trailing zeros, no group separator, and the locale's decimal separator.
QString usedTimeText(float seconds, const QLocale& locale = QLocale::system());

// Reads a used time text back with the same locale. Accepts digits with at most one decimal separator
// of that locale and nothing else, so a text written under another locale is refused, not misread.
std::optional<float> parseUsedTimeText(const QString& text, const QLocale& locale = QLocale::system());
