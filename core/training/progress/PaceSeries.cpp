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
    std::vector<std::vector<qint32>> byBlock(std::size_t(blockCount(int(numberDigits(number).size()))) + 1);
    // Millions of keystrokes, a few thousand sessions: the day's list is looked up once a session.
    const HistorySession* current = nullptr;
    std::vector<qint32>* dayGaps = nullptr;
    forEachKeystroke(history, [&](const HistorySession& session, const HistoryKeystroke& keystroke, qint32 gapMs) {
        if (session.number != number || !timesRecall(session.activity))
            return;
        if (&session != current) {
            current = &session;
            dayGaps = &byDay[session.day];
        }
        dayGaps->push_back(gapMs);
        const auto block = std::size_t((keystroke.position - 1) / BlockLength + 1);
        if (block < byBlock.size())
            byBlock[block].push_back(gapMs);
    });
    std::map<int, std::vector<qint32>> usedBlocks;
    for (std::size_t block = 1; block < byBlock.size(); ++block) {
        if (!byBlock[block].empty())
            usedBlocks.emplace(int(block), std::move(byBlock[block]));
    }
    return {pointsOf(byDay), pointsOf(usedBlocks)};
}
