#pragma once

#include "training/progress/ProgressHistory.h"

#include <array>
#include <vector>

// What every keystroke ever typed at one position of a number says.
struct PositionErrors
{
    int typed = 0;
    int errors = 0;
    // Recalls whose time before this digit was well above the competitor's own median.
    int slow = 0;
    // How often each wrong digit was typed here, by digit.
    std::array<int, 10> wrongDigits{};

    double errorRate() const { return typed == 0 ? 0.0 : double(errors) / double(typed); }
    double slowRate() const { return typed == 0 ? 0.0 : double(slow) / double(typed); }
};

struct ErrorHeatmap
{
    TrainingNumber number = TrainingNumber::Pi;
    // One per digit of the number, position 1 first.
    std::vector<PositionErrors> positions;
    // The competitor's median time before a digit over every number, and the time above which a digit is slow.
    double medianSeconds = 0.0;
    double slowSeconds = 0.0;

    const PositionErrors& at(int position) const { return positions[std::size_t(position - 1)]; }
};

// A digit is slow when the time before it is more than this many times the competitor's median.
inline constexpr double SlowFactor = 2.5;

// Errors count every keystroke of the number; slow digits only those whose time is a recall's (see
// timesRecall()). Keystrokes at positions outside the number are passed over.
ErrorHeatmap errorHeatmap(const ProgressHistory& history, TrainingNumber number);
