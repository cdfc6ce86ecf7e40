// The journal's costs: building one edit line on the user-interface thread, appending it durably, the
// size of a full pi journal, and verifying it.
#include "BenchFigures.h"
#include "FullPiAttempt.h"

#include "files/AppendFile.h"
#include "journal/AttemptJournal.h"
#include "journal/JournalVerifier.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {
constexpr int Columns = 30;

double processorMilliseconds()
{
    timespec now = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void print(const char* what, const Figures& figures, const char* unit)
{
    std::printf("%-46s median %9.3f %s   p99 %9.3f %s   max %9.3f %s\n", what, figures.median, unit, figures.p99, unit,
                figures.max, unit);
}

// Every committed digit of a full pi sheet through the journal, timed one by one.
std::vector<double> editLineMicroseconds(QByteArray& journal)
{
    AttemptJournal builder;
    JournalStart start;
    start.numberPosition = 1;
    start.digits = QString(32'767, QLatin1Char('1'));
    journal = builder.start(start) + builder.countdownEnded(60'000);
    std::vector<double> samples;
    samples.reserve(32'760);
    QElapsedTimer timer;
    for (int index = 1; index <= 32'760; ++index) {
        const int row = (index - 1) / Columns + 1;
        const int column = (index - 1) % Columns + 1;
        const QString digit(QChar(u'0' + char16_t(index % 10)));
        timer.start();
        const QByteArray line = builder.edit({row, column, QString(), digit, 60'000 + qint64(index) * 800, {}});
        samples.push_back(double(timer.nsecsElapsed()) / 1000.0);
        journal += line;
    }
    return samples;
}

std::vector<double> appendMicroseconds(const QByteArray& journal, int lines)
{
    // In the working directory, on the disk a journal lands on, not on a memory file system.
    QTemporaryDir dir(QStringLiteral("bench_journal_XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("attempt_4711.journal"));
    std::vector<double> samples;
    QElapsedTimer timer;
    qsizetype begin = 0;
    for (int line = 0; line < lines; ++line) {
        const qsizetype end = journal.indexOf('\n', begin) + 1;
        const QByteArray bytes = journal.mid(begin, end - begin);
        begin = end;
        timer.start();
        if (!appendDurably(path, bytes).ok)
            std::printf("append failed\n");
        samples.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    return samples;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int verifyRounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 10;

    QByteArray editJournal;
    print("one edit line built (UI thread)", figures(editLineMicroseconds(editJournal)), "us");
    print("one line appended + fdatasync", figures(appendMicroseconds(editJournal, 500)), "us");

    const AttemptScript attempt = fullPiAttempt();
    const QByteArray journal = attempt.bytes();
    std::printf("full pi journal: %d events, %lld bytes = %.2f MB (budget 6 MB)\n", int(attempt.lines().size()),
                static_cast<long long>(journal.size()), double(journal.size()) / 1e6);

    std::vector<double> verify;
    std::vector<double> verifyProcessor;
    VerificationResult result;
    QElapsedTimer timer;
    for (int round = 0; round < verifyRounds; ++round) {
        const double processorBefore = processorMilliseconds();
        timer.start();
        result = verifyJournal(journal);
        verify.push_back(double(timer.nsecsElapsed()) / 1e6);
        verifyProcessor.push_back(processorMilliseconds() - processorBefore);
    }
    print("verify the full pi journal (budget 200 ms)", figures(verify), "ms");
    // On a machine shared with other work the wall time grows; the processor time of both threads does not.
    print("  processor time of that", figures(verifyProcessor), "ms");
    std::printf("verdict: %s, score %d\n", qPrintable(result.verdictText), result.score);
    return 0;
}
