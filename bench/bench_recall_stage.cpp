// Options: --no-run skips (c), --run-only runs only (c).
// The recall stage on a pi sheet of 30 digits a row, offscreen: (a) START to the stage shown and laid out,
// (b) one committed digit from the key press to the end of the locked-digit check, on a fresh sheet and on
// a sheet whose every other cell is filled and locked, (c) the processor time of a running stage over 30 s
// with every clock on and the display counting down.
#include "BenchFigures.h"
#include "FakeClock.h"
#include "base/Clock.h"
#include "digits/SpecialNumbers.h"
#include "files/ProgramDirectory.h"
#include "frmMain/frmMain.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"
#include "record/AttemptRecordDocument.h"
#include "settings/SettingsLists.h"
#include "skin/Fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {
constexpr int Starts = 30;
constexpr int Digits = 1000;
constexpr int RunSeconds = 30;

// START to a stage ready for the competitor, and the user-interface time of one committed digit.
constexpr double StartGoalMilliseconds = 100.0;
constexpr double DigitGoalMicroseconds = 900.0;

// The headless platform cannot raise windows; its complaints about that only bury the figures.
QtMessageHandler previousHandler = nullptr;
void quietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(u"This plugin does not support") && previousHandler)
        previousHandler(type, context, message);
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::unique_ptr<frmMain> loadedSettingsWindow(Clock& clock)
{
    auto main = std::make_unique<frmMain>(clock);
    main->setScreenGeometryProvider([] { return QRect(0, 0, 1280, 1024); }, [] { return QRect(0, 0, 1280, 984); });
    if (!main->load())
        return nullptr;
    main->settings().listPicked(SettingsListId::Type, 1);     // pi
    main->settings().listPicked(SettingsListId::ColCount, 0); // 30 a row
    main->settings().listPicked(SettingsListId::GroupCount, 3);
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get()))
        return nullptr;
    return main;
}

frmSpecialNumber_Main* pressStart(frmMain& main)
{
    QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("btnStart")), Qt::LeftButton);
    return main.findChild<frmSpecialNumber_Main*>(QStringLiteral("frmSpecialNumber_Main"));
}

// START, then wait for the stage's own activation, which starts its countdown.
frmSpecialNumber_Main* startActiveStage(frmMain& main)
{
    frmSpecialNumber_Main* stage = pressStart(main);
    if (!stage || !QTest::qWaitFor([stage] { return stage->isActiveWindow(); })) {
        std::fprintf(stderr, "bench_recall_stage: the stage did not open\n");
        std::exit(1);
    }
    return stage;
}

void closeStage(frmSpecialNumber_Main* stage)
{
    stage->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void benchStart(frmMain& main)
{
    std::vector<double> warm;
    double cold = 0.0;
    for (int run = 0; run < Starts; ++run) {
        QElapsedTimer timer;
        timer.start();
        frmSpecialNumber_Main* stage = pressStart(main);
        // The first paint of the laid-out stage.
        QCoreApplication::processEvents();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (!stage || !stage->isVisible()) {
            std::fprintf(stderr, "bench_recall_stage: START opened no stage\n");
            return;
        }
        (run == 0 ? cold : warm.emplace_back()) = ms;
        closeStage(stage);
    }
    printFigure("recall stage (a): START to stage shown and laid out, first run", cold, "ms", StartGoalMilliseconds);
    printTimings("recall stage (a): START to stage shown, later runs", warm, "ms", StartGoalMilliseconds, true);
}

// Every digit goes to a different part of the sheet; the grid scrolls there before the timed key press.
// Paced: the previous draft is on disk before the next key, as with a competitor's typing (a draft
// write takes milliseconds, a digit comes every few hundred). Otherwise the digits come back to back.
std::vector<double> typeSpreadDigits(frmSpecialNumber_Main& stage, int stride, int offset, bool paced = true)
{
    AnswerGrid& grid = stage.grid();
    const int rows = grid.dataRowCount();
    std::vector<double> samples;
    for (int digit = 0; digit < Digits; ++digit) {
        const int index = (digit * stride + offset) % (rows * 30);
        const int row = index / 30 + 1;
        const int column = index % 30 + 1;
        grid.setCurrentCell(row, column);
        const char key = char('0' + stage.attempt().AttemptRecord().questions().cellText(row, column).toInt());
        QWidget* focus = QApplication::focusWidget();
        QElapsedTimer timer;
        timer.start();
        QTest::keyPress(focus, key);
        samples.push_back(double(timer.nsecsElapsed()) / 1e3);
        QTest::keyRelease(QApplication::focusWidget(), key);
        if (stage.hasEnded())
            break;
        if (paced)
            stage.drafts().waitForPendingWrite();
    }
    return samples;
}

void benchDigits(frmMain& main, FakeClock& clock)
{
    frmSpecialNumber_Main* stage = startActiveStage(main);
    std::printf("    sheet: %d rows x 30, %lld digits selected\n", stage->grid().dataRowCount(),
                static_cast<long long>(stage->attempt().source().digits.length()));
    clock.advance(float(stage->state().concentrationSeconds));
    stage->concentrationTick();
    const int cells = stage->grid().dataRowCount() * 30;
    printTimings("recall stage (b): key press to locked-digit check, fresh sheet",
                 typeSpreadDigits(*stage, cells / Digits, 0), "us", DigitGoalMicroseconds, true);
    printTimings("recall stage (b): the same, digits back to back", typeSpreadDigits(*stage, cells / Digits, 2, false),
                 "us", DigitGoalMicroseconds, true);
    closeStage(stage);

    // Every cell but the typed ones holds its correct digit and is locked: the check compares them all.
    // They are entered as edits the attempt rules on, all at one moment.
    stage = startActiveStage(main);
    RunningAttempt& attempt = stage->attempt();
    const int stride = cells / Digits;
    for (int index = 0; index < cells; ++index) {
        if (index % stride == 1 && index / stride < Digits)
            continue;
        const int row = index / 30 + 1;
        const int column = index % 30 + 1;
        attempt.mayOpen(row, column);
        attempt.enterText(row, column, attempt.AttemptRecord().questions().cellText(row, column));
        attempt.editEnded(row, column);
    }
    stage->grid().answers().sheetTextsChanged();
    // Their journal lines and drafts are on disk before the timed keys.
    stage->drafts().waitForPendingWrite();
    clock.advance(600.0f);
    stage->concentrationTick();
    printTimings("recall stage (b): key press to locked-digit check, all else locked",
                 typeSpreadDigits(*stage, stride, 1), "us", DigitGoalMicroseconds, true);
    if (stage->hasEnded())
        std::printf("    (the stage ended early: a locked digit was wrong)\n");
    closeStage(stage);
}

void benchRunningStage(frmMain& main)
{
    frmSpecialNumber_Main* stage = startActiveStage(main);
    // Through the 3-second countdown.
    QTest::qWait(int(stage->state().concentrationSeconds) * 1000 + 300);
    if (!stage->state().countDown || stage->hasEnded()) {
        std::fprintf(stderr, "bench_recall_stage: the stage is not counting down\n");
        return;
    }
    // A new digit every 5 seconds keeps the per-digit clock and its bar running without reaching 15 s.
    int next = 0;
    const auto typeNext = [&] {
        const int row = next / 30 + 1;
        const int column = next % 30 + 1;
        stage->grid().setCurrentCell(row, column);
        QTest::keyClick(QApplication::focusWidget(),
                        char('0' + stage->attempt().AttemptRecord().questions().cellText(row, column).toInt()));
        ++next;
    };
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, typeNext);
    typist.start(5000);
    typeNext();

    QEventLoop loop;
    QTimer::singleShot(RunSeconds * 1000, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds();
    loop.exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    std::printf("(c) running stage, %.1f s wall: %.3f s processor time (%d digits typed)%s\n", elapsed, cpu, next,
                stage->hasEnded() ? " - ENDED EARLY" : "");
    printFigure("recall stage (c): running stage, share of one core", 100.0 * cpu / elapsed, "%");
    typist.stop();
    closeStage(stage);
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(quietMessageHandler);
    QApplication app(argc, argv);
    registerFallbackFonts();
    const QStringList arguments = QCoreApplication::arguments();
    QTemporaryDir directory;
    setProgramDirectory(directory.path());

    FakeClock fakeClock(36000.0f);
    if (!arguments.contains(QStringLiteral("--run-only"))) {
        std::unique_ptr<frmMain> main = loadedSettingsWindow(fakeClock);
        if (!main)
            return 1;
        benchStart(*main);
        benchDigits(*main, fakeClock);
    }
    if (arguments.contains(QStringLiteral("--no-run")))
        return 0;
    SystemClock systemClock;
    std::unique_ptr<frmMain> main = loadedSettingsWindow(systemClock);
    if (!main)
        return 1;
    main->settings().listPicked(SettingsListId::ConTime, 0); // 3 seconds
    benchRunningStage(*main);
    return 0;
}
