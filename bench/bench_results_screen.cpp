// Times opening the results screen on the largest sheet (pi, 30 digits a row: 1,092 rows, 32,760 cells):
// building the results, laying the window out at 1280 x 775, showing it and painting it once.
// The first opening is shown apart: it also pays for glyphs and styles no earlier screen has used.
// With a file name as argument it also saves a picture of the screen there.

#include "BenchFigures.h"
#include "FakeClock.h"
#include "base/Clock.h"
#include "buttons/SkinButton.h"
#include "digits/SpecialNumbers.h"
#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"
#include "skin/Fonts.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "stage/AnswerSheet.h"
#include "stage/AttemptOutcome.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int DigitsPerRow = 30;
constexpr double OpenGoalMilliseconds = 150.0;

// Pi with 30 a row, correct up to digit 75, then every seventh answer wrong and every eleventh left empty.
AttemptOutcome partlyWrongAttempt()
{
    AttemptOutcome outcome;
    const QString& digits = digitsForResourceKey(resourceKeyForPosition(1));
    outcome.caption = specialNumberEntries().at(1);
    outcome.rows = int(digits.size()) / DigitsPerRow;
    outcome.digitsPerRow = DigitsPerRow;
    outcome.usedSeconds = 754.37f;
    outcome.maxSeconds = 28800.0f;
    for (int index = 1; index <= outcome.rows * DigitsPerRow; ++index) {
        const QString question = digits.mid(index - 1, 1);
        QString answer = question;
        if (index > 75 && index % 7 == 0)
            answer = QString(QChar(u'0' + (question.at(0).unicode() - u'0' + 3) % 10));
        else if (index > 75 && index % 11 == 0)
            answer.clear();
        outcome.questions.push_back(question);
        outcome.answers.push_back(answer);
    }
    return outcome;
}

// What the settings screen and the recall stage have loaded before the first results screen opens:
// the skin, the frame fonts and a shown grid view with its style.
void warmUpLikeEarlierScreens(QWidget& owner)
{
    QImage frame(1280, 775, QImage::Format_RGB32);
    QPainter painter(&frame);
    PaintStageFrame(painter, frame.size(), QStringLiteral("SPECIAL NUMBERS (PI)"), QStringLiteral("RECALL STAGE"), 190);
    QStandardItemModel model(5, 5);
    QTableView grid(&owner);
    QFont font(tahomaFamily());
    font.setPointSizeF(15.75);
    grid.setFont(font);
    grid.setModel(&model);
    SkinButton button(skinImage(), QStringLiteral("FINISH"), &owner);
    button.resize(140, 50);
    owner.show();
    QApplication::processEvents();
    owner.hide();
}

frmSpecialNumber_Fin* openScreen(QWidget& owner, const AttemptOutcome& outcome)
{
    auto* screen = new frmSpecialNumber_Fin(&owner, outcome, [] {});
    screen->setGeometry(0, 25, 1280, 775);
    screen->show();
    // The first paint is part of opening the screen.
    QApplication::processEvents();
    return screen;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFallbackFonts();

    const AttemptOutcome outcome = partlyWrongAttempt();
    QWidget owner;
    owner.resize(1280, 800);

    warmUpLikeEarlierScreens(owner);

    std::vector<double> milliseconds;
    QElapsedTimer timer;
    for (int run = 0; run < 40; ++run) {
        timer.start();
        frmSpecialNumber_Fin* screen = openScreen(owner, outcome);
        milliseconds.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (run == 0 && argc > 1)
            screen->grab().save(QString::fromLocal8Bit(argv[1]));
        delete screen;
    }
    const double first = milliseconds.front();
    milliseconds.erase(milliseconds.begin());
    std::printf("results screen of %d cells, %zu openings after the first\n", outcome.rows * outcome.digitsPerRow,
                milliseconds.size());
    printFigure("results screen: open, first time", first, "ms", OpenGoalMilliseconds);
    printTimings("results screen: open, later times", milliseconds, "ms", OpenGoalMilliseconds);
    return 0;
}
