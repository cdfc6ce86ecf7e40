#pragma once

#include "training/Rating.h"

#include <QChar>
#include <QtGlobal>

#include <optional>
#include <vector>

// One digit of a recall: a digit typed, or the hint key, which shows the expected digit instead.
struct RecallKeystroke
{
    int position = 0;
    QChar expected;
    QChar typed;
    // Since the recall began: for a block, when it was hidden; for a junction, when its cue was shown.
    qint64 ms = 0;
    bool hint = false;
};

struct ItemRecall
{
    int digitCount = 0;
    std::vector<RecallKeystroke> keystrokes;
};

// Every digit of the item typed right, without a hint. A recall that stops early is not correct.
bool isCorrectRecall(const ItemRecall& recall);

// Milliseconds per digit up to the last keystroke; none when nothing was typed.
std::optional<double> recallPace(const ItemRecall& recall);

// The median of earlier paces; none when there are none.
std::optional<double> medianPace(std::vector<double> paces);

// A recall is slow when its pace exceeds this many times the competitor's median pace for the item.
constexpr double SlowPaceFactor = 1.5;

// Graded from the keystrokes, never by the competitor: Again for any error, hint or unfinished recall;
// Hard when correct but slower than SlowPaceFactor times `medianPaceOfItem` (the median of the item's
// earlier correct recalls, none before the first); Good otherwise. Easy is never given here.
Rating gradeRecall(const ItemRecall& recall, std::optional<double> medianPaceOfItem);
