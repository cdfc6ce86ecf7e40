// Time to build today's training queue over every item of the three numbers, all learned, and to find the
// shortest unique cue of every position of pi's 32,767 digits, which a recital or a position drill needs
// before it can start at any digit.
#include "BenchFigures.h"
#include "training/DailyQueue.h"
#include "training/ShortestCues.h"
#include "training/TrainingItems.h"

#include <QElapsedTimer>

#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int Today = 20000;

// Every item learned, last reviewed within its interval or past it, so that about a tenth is due.
std::vector<ItemProgress> learnedItems(const FsrsScheduler& scheduler)
{
    std::mt19937 random(528);
    std::uniform_real_distribution<double> stability(0.5, 400.0);
    std::uniform_real_distribution<double> difficulty(1.0, 10.0);
    std::vector<ItemProgress> progress;
    for (const TrainingItem& item : allTrainingItems()) {
        ItemSchedule schedule;
        schedule.memory = {stability(random), difficulty(random)};
        const int interval = scheduler.model().intervalDays(schedule.memory.stability);
        schedule.lastReviewDay = Today - int(random() % unsigned(interval + interval / 9 + 1));
        schedule.dueDay = schedule.lastReviewDay + interval;
        schedule.reps = 5;
        progress.push_back({item, schedule});
    }
    return progress;
}

void timeQueue(const char* what, const std::vector<ItemProgress>& progress, const FsrsScheduler& scheduler,
               const QueueSettings& settings)
{
    std::vector<double> micros;
    std::size_t queued = 0;
    for (int run = 0; run < 500; ++run) {
        QElapsedTimer timer;
        timer.start();
        const DayQueue queue = buildDayQueue(progress, Today, scheduler, settings);
        micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
        queued = queue.entries.size();
    }
    printTimings(what, micros, "us", 5000.0);
    std::printf("  (%zu of %zu items queued)\n", queued, progress.size());
}

void timeCues(const char* name, TrainingNumber number)
{
    const QString& digits = numberDigits(number);
    std::vector<double> millis;
    int longest = 0;
    for (int run = 0; run < 20; ++run) {
        QElapsedTimer timer;
        timer.start();
        const ShortestCues cues(digits);
        millis.push_back(double(timer.nsecsElapsed()) / 1e6);
        longest = cues.longestCue();
    }
    printTimings(std::string("shortest unique cue of every position, ") + name + ", " + std::to_string(digits.size()) +
                     " digits",
                 millis, "ms", 100.0);
    std::printf("  (longest cue %d digits)\n", longest);
}

} // namespace

int main()
{
    const FsrsScheduler scheduler;
    const std::vector<ItemProgress> progress = learnedItems(scheduler);
    timeQueue("today's queue, 528 blocks and 525 junctions, no cap", progress, scheduler, QueueSettings{});
    timeQueue("today's queue, 528 blocks and 525 junctions, 30-minute cap", progress, scheduler,
              QueueSettings{1, 30.0});

    timeCues("pi", TrainingNumber::Pi);
    timeCues("e", TrainingNumber::E);
    timeCues("sqrt2", TrainingNumber::Sqrt2);

    const ShortestCues cues(numberDigits(TrainingNumber::Pi));
    std::mt19937 random(32767);
    std::vector<double> nanos;
    int total = 0;
    for (int run = 0; run < 10000; ++run) {
        const int position = 1 + int(random() % 32767u);
        QElapsedTimer timer;
        timer.start();
        total += cues.cueFor(position)->length;
        nanos.push_back(double(timer.nsecsElapsed()));
    }
    printTimings("cue of one position of pi, once the table is built", nanos, "ns");
    std::printf("  (mean cue %.2f digits)\n", double(total) / 10000.0);
    return 0;
}
