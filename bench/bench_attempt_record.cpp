// Times the attempt record on the largest sheet (pi, 30 digits a row: 1,092 rows, 32,760 cells):
// building it, copying the answers after one typed digit, serialising it, and writing the bytes.

#include "BenchFigures.h"
#include "FakeClock.h"
#include "base/Clock.h"
#include "files/AtomicFile.h"
#include "record/AttemptRecordDocument.h"
#include "stage/AnswerSheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <random>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {
struct Runs
{
    std::vector<double> wall; // milliseconds
    std::vector<double> cpu;  // milliseconds of this thread's processor time, less disturbed by other load
};

// The goal, where there is one, is for the p99 of the wall time; the processor time shows how much of it
// other work on the machine took.
void report(const char* name, const Runs& runs, std::optional<double> goal = std::nullopt)
{
    const std::string what = std::string("attempt record pi/30: ") + name;
    printTimings(what, runs.wall, "ms", goal);
    printFigure((what + ", processor time p99").c_str(), figures(runs.cpu).p99, "ms");
}

double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

Runs timeRuns(int count, const std::function<void(int)>& run)
{
    Runs runs;
    for (int r = 0; r < count; ++r) {
        const double cpuStart = threadCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        run(r);
        const auto end = std::chrono::steady_clock::now();
        runs.cpu.push_back(threadCpuMilliseconds() - cpuStart);
        runs.wall.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return runs;
}

long minorPageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

QString syntheticDigits(int length)
{
    std::mt19937 random(31415);
    QString digits;
    for (int i = 0; i < length; ++i)
        digits.append(QChar(u'0' + char16_t(random() % 10)));
    return digits;
}

void plainWrite(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        std::printf("write failed\n");
    ::close(fd);
}
} // namespace

int main()
{
    constexpr int Columns = 30;
    const QString digits = syntheticDigits(32767);
    const int rows = int(digits.size()) / Columns;
    AttemptRecordDocument AttemptRecord;

    // The first builds touch fresh memory; in a virtual machine every first-touch page fault is costly.
    const long faultsBefore = minorPageFaults();
    const Runs first = timeRuns(1, [&](int) { AttemptRecord.BuildAttemptRecord(digits, Columns); });
    printFigure("attempt record pi/30: BuildAttemptRecord, first run", first.wall[0], "ms");
    std::printf("  %ld page faults\n", minorPageFaults() - faultsBefore);
    report("BuildAttemptRecord", timeRuns(60, [&](int) { AttemptRecord.BuildAttemptRecord(digits, Columns); }), 25.0);
    std::printf("  %d rows, %d cells\n", AttemptRecord.rowCount(), AttemptRecord.rowCount() * Columns);

    // A sheet half typed in, one more digit typed before each copy, as after every committed entry.
    AnswerSheet sheet;
    sheet.reset(rows, Columns);
    const int cells = rows * Columns;
    const int halfway = cells / 2;
    for (int k = 0; k < halfway; ++k)
        sheet.setCellText(k / Columns + 1, k % Columns + 1, digits.mid(k, 1));
    FakeClock clock(40000.0f);
    AttemptRecord.RecordAnswers(36000.0f, 28800, clock, sheet);
    int next = halfway;
    auto typeNext = [&] {
        sheet.setCellText(next / Columns + 1, next % Columns + 1, digits.mid(next, 1));
        next = (next + 1) % cells;
        clock.advance(1.37f);
    };
    report("RecordAnswers (AnswerSheet)",
           timeRuns(3000,
                    [&](int) {
                        typeNext();
                        AttemptRecord.RecordAnswers(36000.0f, 28800, clock, sheet);
                    }),
           0.5);
    const CellTextSource& source = sheet;
    report("RecordAnswers (CellTextSource)",
           timeRuns(3000,
                    [&](int) {
                        typeNext();
                        AttemptRecord.RecordAnswers(36000.0f, 28800, clock, source);
                    }),
           0.5);

    QByteArray bytes;
    report("serialize", timeRuns(300, [&](int) { bytes = AttemptRecord.serialize(); }), 1.5);
    std::printf("  %lld bytes\n", static_cast<long long>(bytes.size()));

    QTemporaryDir directory;
    const QString path = QDir(directory.path()).filePath(QStringLiteral("draft_record_1.xml"));
    report("plain write of those bytes (floor)", timeRuns(300, [&](int) { plainWrite(path, bytes); }));
    report("writeFileAtomically (with fsync)", timeRuns(40, [&](int) { writeFileAtomically(path, bytes); }));
    report("loadFromFile", timeRuns(40, [&](int) {
               if (AttemptRecord.loadFromFile(path, rows, Columns))
                   std::printf("load failed\n");
           }));
    return 0;
}
