// Time to score a full pi sheet (32,760 cells) and prepare the text of every result cell.
#include "BenchFigures.h"
#include "results/Scoring.h"
#include "stage/AnswerSheet.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    AnswerSheet questions;
    AnswerSheet answers;
    questions.reset(819, 40);
    answers.reset(819, 40);
    for (int row = 1; row <= 819; ++row) {
        for (int column = 1; column <= 40; ++column) {
            const QString digit = QString::number((row * 40 + column) % 10);
            questions.setCellText(row, column, digit);
            // Every seventh answer wrong or empty, so both kinds of cell text are built.
            answers.setCellText(row, column, column % 7 ? digit : QString());
        }
    }
    std::vector<double> microseconds;
    int score = 0;
    QElapsedTimer timer;
    for (int round = 0; round < 100; ++round) {
        timer.start();
        const Scoring scoring(questions, answers);
        score += scoring.score();
        microseconds.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    printTimings("scoring of 32760 cells", microseconds, "us");
    std::printf("  (score %d)\n", score / 100);
    return 0;
}
