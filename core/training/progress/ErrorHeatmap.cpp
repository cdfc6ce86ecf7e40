#include "training/progress/ErrorHeatmap.h"

#include "training/progress/KeystrokeGaps.h"

ErrorHeatmap errorHeatmap(const ProgressHistory& history, TrainingNumber number)
{
    ErrorHeatmap map;
    map.number = number;
    map.positions.resize(std::size_t(numberDigits(number).size()));

    std::vector<qint32> gaps;
    gaps.reserve(history.keystrokes.size());
    forEachKeystroke(history, [&](const HistorySession& session, const HistoryKeystroke&, qint32 gapMs) {
        if (timesRecall(session.activity))
            gaps.push_back(gapMs);
    });
    map.medianSeconds = percentileOf(gaps, 0.5) / 1000.0;
    map.slowSeconds = map.medianSeconds * SlowFactor;
    std::vector<qint32>().swap(gaps);

    const auto slowMs = qint32(map.slowSeconds * 1000.0);
    const int digits = int(map.positions.size());
    forEachKeystroke(history, [&](const HistorySession& session, const HistoryKeystroke& keystroke, qint32 gapMs) {
        if (session.number != number || keystroke.position < 1 || keystroke.position > digits)
            return;
        PositionErrors& cell = map.positions[keystroke.position - 1u];
        ++cell.typed;
        if (keystroke.wrong()) {
            ++cell.errors;
            if (keystroke.typed < 10)
                ++cell.wrongDigits[keystroke.typed];
        }
        if (timesRecall(session.activity) && gapMs > slowMs)
            ++cell.slow;
    });
    return map;
}
