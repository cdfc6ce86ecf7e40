#include "training/progress/PaceSeries.h"

#include "training/TrainingItems.h"
#include "training/progress/KeystrokeGaps.h"

#include <map>

namespace {

std::vector<PacePoint> pointsOf(std::map<int, std::vector<qint32>>& gapsByKey)
{
    std::vector<PacePoint> points;
    points.reserve(gapsByKey.size());
    for (auto& [key, gaps] : gapsByKey) {
        const int digits = int(gaps.size());
        const double median = percentileOf(gaps, 0.5) / 1000.0;
        points.push_back({key, median, percentileOf(gaps, 0.9) / 1000.0, digits});
        std::vector<qint32>().swap(gaps);
    }
    return points;
}

} // namespace

PaceSeries paceOverTime(const ProgressHistory& history, TrainingNumber number)
{
    std::map<int, std::vector<qint32>> byDay;
    std::map<int, std::vector<qint32>> byBlock;
    forEachKeystroke(history, [&](const HistorySession& session, const HistoryKeystroke& keystroke, qint32 gapMs) {
        if (session.number != number || !timesRecall(session.activity))
            return;
        byDay[session.day].push_back(gapMs);
        byBlock[(keystroke.position - 1) / BlockLength + 1].push_back(gapMs);
    });
    return {pointsOf(byDay), pointsOf(byBlock)};
}
