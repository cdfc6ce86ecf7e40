// The end of every committed edit on a pi sheet (1092 x 30), through the real answer grid and the running
// attempt, offscreen: the time the user-interface thread spends in editEnded() (the journal line, the entry
// rules, the draft save and the locked-digit rule), and the time from that call until the writer reports the
// draft durably on disk (its signal, as the stage's notice sees it).
// Measured at the start of the sheet and near its end, where the record is largest. Saves during which the
// thread lost its processor to other work are counted, to tell the cost of a save from a busy machine.
#include "../tests/core/AttemptRecordTestSupport.h"
#include "BenchFigures.h"
#include "base/Clock.h"
#include "digits/SpecialNumbers.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "skin/Fonts.h"
#include "stage/RunningAttempt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {
constexpr int Rows = 1092;
constexpr int Columns = 30;
constexpr int DigitsPerRun = 400;
constexpr int WarmUpDigits = 10;
constexpr int PiResourceKey = 103;

// Processor time of the calling thread: what the save costs, without the waits of a shared machine.
double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Involuntary context switches of the calling thread so far: the times another thread got its processor.
long preemptions()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nivcsw;
}

struct Bench
{
    AnswerGrid& grid;
    RunningAttempt& attempt;
    const QString& digits;
    bool written = false;
    qint64 writtenAt = 0;
    QElapsedTimer timer;

    // Commits the digits of cells [first, first + count) one after the other, each as the stage does.
    void run(const char* label, int first, int count)
    {
        std::vector<double> uiThread;
        std::vector<double> uiThreadCpu;
        std::vector<double> uiThreadRunning; // saves during which no other thread took the processor
        std::vector<double> onDisk;
        for (int k = first; k < first + count; ++k) {
            const int row = k / Columns + 1;
            const int column = k % Columns + 1;
            grid.answers().setCellText(row, column, digits.mid(k, 1));
            // The repaint of the changed cell comes first, so that the signal is not queued behind it.
            QCoreApplication::processEvents();
            written = false;
            const long preemptionsBefore = preemptions();
            const double cpuStart = threadCpuMilliseconds();
            const qint64 start = timer.nsecsElapsed();
            attempt.editEnded(row, column);
            const qint64 returned = timer.nsecsElapsed();
            const double cpuUsed = threadCpuMilliseconds() - cpuStart;
            const bool preempted = preemptions() != preemptionsBefore;
            while (!written)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (k - first < WarmUpDigits)
                continue;
            uiThread.push_back(double(returned - start) / 1e6);
            uiThreadCpu.push_back(cpuUsed);
            if (!preempted)
                uiThreadRunning.push_back(double(returned - start) / 1e6);
            onDisk.push_back(double(writtenAt - start) / 1e6);
        }
        std::printf("%s (%d digits)\n", label, count - WarmUpDigits);
        const std::string what = std::string("stage drafts, ") + label;
        printTimings(what + ": editEnded() (journal, draft, lock rule) on the UI thread", uiThread, "ms", 2.0, true);
        printTimings(what + ": the same, UI thread's processor time", uiThreadCpu, "ms", 2.0, true);
        printTimings(what + ": the same, saves not preempted", uiThreadRunning, "ms", 2.0, true);
        std::printf("  %zu of %zu saves were preempted by other work on this machine\n",
                    uiThread.size() - uiThreadRunning.size(), uiThread.size());
        printTimings(what + ": editEnded() to the draft durably on disk", onDisk, "ms", 20.0, true);
    }
};
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFallbackFonts();
    QTemporaryDir directory;
    if (!directory.isValid())
        return 1;
    setProgramDirectory(directory.path());

    QString digits = digitsForResourceKey(PiResourceKey).left(Rows * Columns);
    if (digits.size() < Rows * Columns) {
        std::printf("pi digits not available; using a synthetic digit string\n");
        digits = syntheticDigits(Rows * Columns);
    }
    SystemClock clock;
    StageSettings settings;
    settings.digitsPerRow = Columns;
    RunningAttempt attempt(settings, DigitSource{1, QStringLiteral("Digits of PI"), digits}, 4711, clock);
    attempt.startCountdown();

    QWidget stage;
    stage.resize(1280, 800);
    auto* grid = new AnswerGrid(&stage);
    grid->setSheet(attempt);
    grid->setGeometry(47, 94, 1185, 680);
    new StageDrafts(&stage, *grid, attempt, [] {});
    stage.show();
    QCoreApplication::processEvents();

    Bench bench{*grid, attempt, digits, false, 0, QElapsedTimer()};
    bench.timer.start();
    QObject::connect(&attempt, &RunningAttempt::draftWritten, [&bench](bool ok, const QString& error) {
        if (!ok)
            std::fprintf(stderr, "draft write failed: %s\n", qPrintable(error));
        bench.writtenAt = bench.timer.nsecsElapsed();
        bench.written = true;
    });

    std::printf("draft of a %d x %d sheet in %s\n", Rows, Columns, qPrintable(directory.path()));
    bench.run("first digits", 0, DigitsPerRun + WarmUpDigits);
    // Fill all but the last cells at once, as if the competitor had typed them, then commit the rest.
    const int last = Rows * Columns - DigitsPerRun - WarmUpDigits;
    for (int k = DigitsPerRun + WarmUpDigits; k < last; ++k)
        attempt.enterText(k / Columns + 1, k % Columns + 1, digits.mid(k, 1));
    bench.run("last digits, nearly full", last, DigitsPerRun + WarmUpDigits);
    std::printf("draft file size at the end: %lld bytes\n",
                static_cast<long long>(QFileInfo(programFilePath(QStringLiteral("draft_record_4711.xml"))).size()));
    return 0;
}
