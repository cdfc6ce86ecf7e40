// Time from handing a draft to the writer until it is durably on disk (written, fsynced, renamed,
// directory synced), for a record of a full pi sheet, and the cost of the hand-over on the caller.
#include "BenchFigures.h"
#include "files/DraftWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
QByteArray record(int number)
{
    QByteArray bytes = "<?xml version='1.0' encoding='utf-8'?>\n<Korvalin><SpecialNumbers>\n";
    for (int row = 1; row <= 819; ++row) {
        bytes += "<Satir_" + QByteArray::number(row) + '>';
        for (int column = 1; column <= 40; ++column) {
            const char digit = char('0' + (row * 40 + column + number) % 10);
            bytes += "<Soru_" + QByteArray::number(column) + " soru=\"" + digit + "\" cevap=\"" + digit + "\"/>";
        }
        bytes += "</Satir_" + QByteArray::number(row) + ">\n";
    }
    return bytes + "</SpecialNumbers></Korvalin>\n";
}

constexpr double DurableGoalMicroseconds = 3500.0;
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("draft_record_4711.xml"));
    const QByteArray versions[2] = {record(0), record(1)};
    std::printf("record size %lld bytes, %d rounds, directory %s\n", static_cast<long long>(versions[0].size()), rounds,
                qPrintable(dir.path()));

    DraftWriter writer;
    std::vector<double> handOver;
    std::vector<double> durable;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        writer.submit(path, versions[round % 2]);
        handOver.push_back(double(timer.nsecsElapsed()) / 1000.0);
        writer.waitForIdle();
        durable.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    printTimings("draft writer: submit() on the caller's thread", handOver, "us");
    printTimings("draft writer: submit to durably on disk", durable, "us", DurableGoalMicroseconds);

    std::vector<double> direct;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        writeFileAtomically(path, versions[round % 2]);
        direct.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    printTimings("draft writer: writeFileAtomically alone", direct, "us");
    return 0;
}
