// Writing the report (PDF and CSV) of a full pi attempt, and its parts. Pass a path to keep the PDF, and a
// second one to keep the journal.
#include "BenchFigures.h"
#include "FullPiAttempt.h"

#include "attempt/AttemptReport.h"
#include "attempt/AttemptReportJob.h"
#include "chart/GapChart.h"
#include "csv/AttemptCsv.h"
#include "journal/JournalVerifier.h"
#include "pdf/AttemptPdf.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {
void time(const char* what, int rounds, const std::function<void()>& work, std::optional<double> goalMs = {})
{
    std::vector<double> samples;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        work();
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    printTimings(what, samples, "ms", goalMs);
}

// The command an arbiter runs, from its start to its exit: loading Qt and the fonts counts too.
void runVerifier(const QString& journal, const QString& pdf, const QString& csv)
{
    QProcess verifier;
    verifier.start(QStringLiteral(KORVALIN_VERIFY_PATH),
                   {journal, QStringLiteral("--report"), pdf, QStringLiteral("--csv"), csv});
    if (!verifier.waitForFinished(60'000) || verifier.exitCode() != 0)
        std::printf("korvalin-verify failed: %s\n", verifier.readAllStandardError().constData());
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString journal =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("attempt.journal"));
    QFile journalFile(journal);
    if (!journalFile.open(QIODevice::WriteOnly) || journalFile.write(fullPiAttempt().bytes()) < 0)
        return 1;
    journalFile.close();
    const VerificationResult result = verifyJournalFile(journal);
    std::printf("verdict: %s, score %d, %zu gaps\n", qPrintable(result.verdictText), result.score, result.gaps.size());

    const QString pdf = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("attempt.pdf"));
    const QString csv = dir.filePath(QStringLiteral("attempt.csv"));
    constexpr int Rounds = 7;
    time("verify the journal (any thread)", Rounds, [&] { verifyJournalFile(journal); });
    QPicture chart;
    time("chart (GUI thread)", Rounds, [&] { chart = drawGapChart(result, ReportGapChartSize); });
    QByteArray pdfBytes;
    time("PDF from the chart (any thread)", Rounds,
         [&] { pdfBytes = attemptPdf(result, chart, QStringLiteral("bench")); });
    time("CSV (any thread)", Rounds, [&] { attemptCsv(result); });
    time("whole report written", Rounds, [&] {
        const AttemptReportResult written = writeAttemptReport(journal, pdf, csv);
        if (!written.ok)
            std::printf("report not written: %s\n", qPrintable(written.error));
    });
    // What the program runs when an attempt ends: only the chart holds up the GUI thread.
    time("job, start to finished()", Rounds, [&] {
        AttemptReportJob job;
        job.start(journal, pdf, csv);
        while (!job.isFinished())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!job.ok())
            std::printf("report not written: %s\n", qPrintable(job.error()));
    });
    time(
        "korvalin-verify --report --csv, start to exit", Rounds, [&] { runVerifier(journal, pdf, csv); }, 300.0);
    std::printf("PDF %lld bytes at %s\n", static_cast<long long>(pdfBytes.size()), qPrintable(pdf));
    return 0;
}
