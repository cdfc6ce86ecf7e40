// Time of the locked-digit scan that runs after every committed digit, on a full pi sheet
// (819 rows of 40 cells). Prints median and p99 in microseconds for the cheapest and dearest cases.
#include "BenchFigures.h"
#include "stage/AnswerSheet.h"
#include "stage/LockedDigitCheck.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rows = 819;
constexpr int Columns = 40;
constexpr int Runs = 400;

void report(const char* name, const AnswerSheet& answers, const AnswerSheet& questions, float now)
{
    std::vector<double> micros;
    micros.reserve(Runs);
    bool found = false;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        found = LockedDigitCheck().hasWrongLockedDigit(answers, questions, 600.0f, now) || found;
        micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    printTimings(std::string("locked-digit scan, pi/40, ") + name, micros, "us");
    if (found)
        std::printf("  (a wrong locked digit was found)\n");
}

} // namespace

int main()
{
    AnswerSheet questions;
    AnswerSheet answers;
    questions.reset(Rows, Columns);
    answers.reset(Rows, Columns);
    for (int row = 1; row <= Rows; ++row)
        for (int column = 1; column <= Columns; ++column)
            questions.setCellText(row, column, QString::number((row * 3 + column) % 10));

    report("empty sheet", answers, questions, 5000.0f);

    for (int row = 1; row <= Rows; ++row) {
        for (int column = 1; column <= Columns; ++column) {
            answers.setCellText(row, column, questions.cellText(row, column));
            answers.setStamp(row, column, 1000.0f);
        }
    }
    report("all filled, none locked yet", answers, questions, 1100.0f);
    report("all filled, all locked and correct", answers, questions, 5000.0f);
    return 0;
}
