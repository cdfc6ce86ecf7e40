// The progress view on a year of made-up training (10,000 sessions, 3 million keystrokes) in a real
// training.sqlite: reading every keystroke, counting each view, building each chart and opening the whole
// view, and the memory it takes. The history is written by a child process of this program, so that the
// memory figure is the view's own.
#include "BenchFigures.h"
#include "GeneratedHistory.h"
#include "SqliteTrainingStore.h"
#include "frmTraining/progress/ErrorHeatmapWidget.h"
#include "frmTraining/progress/ProgressCharts.h"
#include "frmTraining/progress/ProgressHistoryRead.h"
#include "frmTraining/progress/ProgressView.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/progress/Calibration.h"
#include "training/progress/ErrorHeatmap.h"
#include "training/progress/KnownDigits.h"
#include "training/progress/PaceSeries.h"
#include "training/progress/ReadinessForecast.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

namespace {

constexpr int Rounds = 7;

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double maxRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

std::vector<double> timed(const std::function<void()>& work, int rounds = Rounds)
{
    std::vector<double> samples;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        work();
        samples.push_back(milliseconds(timer));
    }
    return samples;
}

// Counting a view and building its chart in a view of the window's size, drawn once.
std::vector<double> chartBuilt(const std::function<QChart*()>& build)
{
    QChartView view(new QChart);
    view.resize(1200, 560);
    QImage image(view.size(), QImage::Format_RGB32);
    return timed([&] {
        QChart* old = view.chart();
        view.setChart(build());
        delete old;
        static_cast<QWidget&>(view).render(&image);
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    HistoryShape shape;
    shape.lastDay = trainingDay(QDateTime::currentDateTimeUtc()) - 1;
    if (argc == 3 && QByteArray(argv[1]) == "--write") {
        QElapsedTimer timer;
        timer.start();
        const GeneratedHistory history = generateHistory(shape);
        const double generated = milliseconds(timer);
        const bool ok = history.writeToFile(QString::fromLocal8Bit(argv[2]));
        std::printf(
            "history of %zu sessions, %zu keystrokes, %zu items, %zu reviews made in %.1f s, written in %.1f s\n",
            history.sessions.size(), history.keystrokes.size(), history.items.size(), history.reviews.size(),
            generated / 1000.0, (milliseconds(timer) - generated) / 1000.0);
        return ok ? 0 : 1;
    }

    QTemporaryDir dir;
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedChannels);
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write"), dir.path()});
    if (!writer.waitForFinished(-1) || writer.exitCode() != 0) {
        std::fprintf(stderr, "the history could not be written\n");
        return 1;
    }
    std::printf("training.sqlite: %.1f MB\n",
                double(QFileInfo(dir.filePath(QStringLiteral("training.sqlite"))).size()) / 1e6);

    const FakeTrainingClock clock(QDateTime::currentDateTimeUtc());
    const int today = trainingDay(clock.nowUtc());
    SqliteTrainingStore store(dir.path());
    if (!store.open().opened)
        return 1;
    store.waitForCheck();

    // The whole view as the window opens it: the keystrokes read on the store's thread, then everything
    // counted and drawn once.
    std::vector<double> firstShown;
    std::vector<double> opens;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        ProgressView view(store, TrainingNumber::Pi, clock);
        view.resize(1232, 656);
        view.show();
        view.grab();
        firstShown.push_back(milliseconds(timer));
        while (!view.isReady())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        view.grab();
        opens.push_back(milliseconds(timer));
    }

    // Before this program keeps copies of the history for the figures below.
    const double viewRss = maxRssMegabytes();

    std::vector<HistoryKeystroke> keystrokes;
    const std::vector<double> reads = timed([&] { keystrokes = store.keystrokeHistory(); }, 3);
    std::printf("%zu keystrokes of %zu bytes each\n", keystrokes.size(), sizeof(HistoryKeystroke));
    ProgressHistory history;
    const std::vector<double> assembled =
        timed([&] { history = readProgressHistory(store, std::vector<HistoryKeystroke>(keystrokes)); }, 3);
    std::vector<HistoryKeystroke>().swap(keystrokes);

    printTimings("progress: read 3,000,000 keystrokes from training.sqlite (store thread)", reads, "ms");
    printTimings("progress: sessions, reviews and schedule read and put together", assembled, "ms");
    printTimings("progress: view open on training.sqlite, drawn before the keystrokes come", firstShown, "ms");
    printTimings("progress: whole view open on training.sqlite, keystrokes read included", opens, "ms", 500.0);
    printTimings("progress: whole view open on a history read (counted, charts built, drawn)", timed([&] {
                     ProgressView view(history, TrainingNumber::Pi, today);
                     view.resize(1232, 656);
                     view.show();
                     view.grab();
                 }),
                 "ms", 500.0);

    const TrainingNumber pi = TrainingNumber::Pi;
    printTimings("progress chart: known digits over time (pi), counted and built",
                 chartBuilt([&] { return ProgressCharts::knownDigits(knownDigitsOverTime(history, pi), today); }), "ms",
                 200.0);
    PaceSeries pace;
    printTimings("progress chart: pace by day (pi), counted and built", chartBuilt([&] {
                     pace = paceOverTime(history, pi);
                     return ProgressCharts::paceByDay(pace);
                 }),
                 "ms", 200.0);
    printTimings("progress chart: pace by block (pi), counted and built",
                 chartBuilt([&] { return ProgressCharts::paceByBlock(paceOverTime(history, pi)); }), "ms", 200.0);
    const FsrsScheduler scheduler;
    printTimings("progress chart: readiness forecast (pi), counted and built", chartBuilt([&] {
                     return ProgressCharts::forecast(forecastReadiness(history.progress, pi, today + 90, scheduler));
                 }),
                 "ms", 200.0);
    printTimings("progress chart: calibration over every review, counted and built",
                 chartBuilt([&] { return ProgressCharts::calibration(calibrate(history.reviews, scheduler)); }), "ms",
                 200.0);
    {
        ErrorHeatmapWidget heatmap;
        heatmap.resize(1200, 560);
        QImage image(heatmap.size(), QImage::Format_RGB32);
        printTimings("progress: error heatmap of pi (32,767 cells), counted, coloured and drawn", timed([&] {
                         heatmap.setHeatmap(errorHeatmap(history, pi), history.notes);
                         heatmap.render(&image);
                     }),
                     "ms", 300.0);
    }
    std::vector<double> forecasts;
    for (int day = today; day < today + 200; ++day) {
        QElapsedTimer timer;
        timer.start();
        const ReadinessForecast forecast = forecastReadiness(history.progress, pi, day, scheduler);
        forecasts.push_back(milliseconds(timer));
        if (forecast.steps.empty())
            return 1;
    }
    printTimings("progress: forecast of pi for a date", forecasts, "ms", 10.0);
    printFigure("progress: max RSS with the view opened on training.sqlite (3,000,000 keystrokes)", viewRss, "MB",
                150.0);
    printFigure("progress: max RSS of this program at its end, with the copies the figures took", maxRssMegabytes(),
                "MB");
    return 0;
}
