#include "training/progress/KnownDigits.h"

#include "training/TrainingItem.h"
#include "training/TrainingItems.h"

#include <algorithm>
#include <climits>
#include <map>

namespace {

void keepDay(std::vector<DayValue>& series, int day, int value)
{
    if (!series.empty() && series.back().day == day)
        series.back().value = std::max(series.back().value, value);
    else
        series.push_back({day, value});
}

std::vector<DayValue> knownDigits(const ProgressHistory& history, TrainingNumber number)
{
    const int blocks = blockCount(int(numberDigits(number).size()));
    std::vector<int> learnedDay(std::size_t(blocks) + 1, INT_MAX);
    for (const HistoryReview& review : history.reviews) {
        const auto parsed = parseItemId(review.itemId);
        if (!parsed || parsed->number != number || parsed->kind != ItemKind::Block || parsed->index < 1 ||
            parsed->index > blocks)
            continue;
        int& day = learnedDay[std::size_t(parsed->index)];
        day = std::min(day, review.day);
    }
    // Digits 1..end of block k are known from the day the last of blocks 1..k was learned.
    const int digitCount = int(numberDigits(number).size());
    std::map<int, int> reachByDay;
    int allLearnedBy = INT_MIN;
    for (int block = 1; block <= blocks && learnedDay[std::size_t(block)] != INT_MAX; ++block) {
        allLearnedBy = std::max(allLearnedBy, learnedDay[std::size_t(block)]);
        int& reach = reachByDay[allLearnedBy];
        reach = std::max(reach, std::min(block * BlockLength, digitCount));
    }
    std::vector<DayValue> series;
    for (const auto& [day, reach] : reachByDay)
        series.push_back({day, reach});
    return series;
}

} // namespace

KnownDigitsSeries knownDigitsOverTime(const ProgressHistory& history, TrainingNumber number)
{
    KnownDigitsSeries series;
    series.known = knownDigits(history, number);

    // A recital from digit 1 scores its keystrokes in order up to the first wrong or misplaced one.
    std::map<qint64, int> recitalScores;
    qint64 currentId = -1;
    int* score = nullptr;
    for (const HistoryKeystroke& keystroke : history.keystrokes) {
        if (keystroke.sessionId != currentId) {
            currentId = keystroke.sessionId;
            const HistorySession* session = history.session(currentId);
            const bool recital =
                session && session->number == number && session->firstPosition == 1 &&
                (session->activity == TrainingActivity::Recite || session->activity == TrainingActivity::Rehearse);
            score = recital ? &recitalScores[currentId] : nullptr;
        }
        if (!score)
            continue;
        if (keystroke.wrong() || keystroke.position != *score + 1)
            score = nullptr;
        else
            ++*score;
    }
    int best = 0;
    for (const HistorySession& session : history.sessions) {
        const auto score = recitalScores.find(session.sessionId);
        if (score == recitalScores.end())
            continue;
        if (session.activity == TrainingActivity::Rehearse) {
            keepDay(series.rehearsed, session.day, score->second);
        } else if (score->second > best) {
            best = score->second;
            keepDay(series.bestRecital, session.day, best);
        }
    }
    return series;
}
