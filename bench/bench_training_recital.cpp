// Recite in the real training window on a real training store in a temporary folder, offscreen: a recital
// made ready at starting digits spread over all of pi's 32,767 (the session, its window of the grid, the
// first paint), and one digit typed from the key press to the end of its handling on the user-interface
// thread (the keystroke handed to the store included) and to the end of the repaint that shows it.
#include "BenchFigures.h"
#include "SqliteTrainingStore.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmTraining/RecitalView.h"
#include "frmTraining/TrainingGrid.h"
#include "frmTraining/frmTraining.h"
#include "skin/Fonts.h"
#include "training/TrainingClock.h"
#include "training/TrainingRecorder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <vector>

namespace {
constexpr int Starts = 2000;
constexpr int Digits = 3000;

constexpr double ReadyGoalMilliseconds = 100.0;
constexpr double FeedbackGoalMilliseconds = 16.0;
constexpr double UiWorkGoalMicroseconds = 900.0;

QtMessageHandler previousHandler = nullptr;
void quietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(u"This plugin does not support") && previousHandler)
        previousHandler(type, context, message);
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    previousHandler = qInstallMessageHandler(quietMessageHandler);
    registerFallbackFonts();

    QTemporaryDir folder;
    SqliteTrainingStore store(folder.path());
    const StoreOpening opening = store.open();
    if (!opening.opened) {
        std::fprintf(stderr, "bench_training_recital: the store did not open: %s\n", qPrintable(opening.message));
        return 1;
    }
    SystemTrainingClock clock;
    const int length = int(numberDigits(TrainingNumber::Pi).size());

    QElapsedTimer timer;
    timer.start();
    frmTraining window({TrainingActivity::Recite, TrainingNumber::Pi, length}, store, opening, clock);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        std::fprintf(stderr, "bench_training_recital: the window did not become active\n");
        return 1;
    }
    printFigure("recite: training window opened at pi's last digit and shown", double(timer.nsecsElapsed()) / 1e6,
                "ms");
    auto* recital = qobject_cast<RecitalView*>(window.view());
    if (!recital) {
        std::fprintf(stderr, "bench_training_recital: the window shows no recital\n");
        return 1;
    }

    // Every starting digit, the session and its window of the sheet alone.
    {
        struct : TrainingRecorder
        {
            qint64 startSession(TrainingActivity, TrainingNumber, int, const QDateTime&) override { return 1; }
            void digitTyped(const TypedDigit&) override {}
            void sessionFinished(qint64, double) override {}
            void itemReviewed(const ItemReview&) override {}
            void noteWritten(const QString&, const QString&) override {}
        } nowhere;
        std::vector<double> sessions;
        for (int position = 1; position <= length; ++position) {
            timer.start();
            const RecitalSession session(TrainingNumber::Pi, position, std::nullopt, clock, nowhere);
            sessions.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        printTimings("recite: session and window at each of pi's 32,767 starting digits", sessions, "ms",
                     ReadyGoalMilliseconds, true);
    }

    // Starting digits spread evenly from the first to the last, each one painted before the next.
    std::vector<double> ready;
    for (int start = 0; start < Starts; ++start) {
        const int position = 1 + int((long long)start * (length - 1) / (Starts - 1));
        timer.start();
        recital->start(position, std::nullopt);
        recital->repaint();
        QCoreApplication::processEvents();
        ready.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("    %d starting digits from 1 to %d\n", Starts, length);
    printTimings("recite: a recital ready and painted at a starting digit", ready, "ms", ReadyGoalMilliseconds, true);

    // Right digits from the first, through several moves of the grid's window.
    recital->start(1, std::nullopt);
    recital->takeFocus();
    QCoreApplication::processEvents();
    const QString& digits = numberDigits(TrainingNumber::Pi);
    std::vector<double> handled;
    std::vector<double> painted;
    for (int i = 0; i < Digits; ++i) {
        const char key = char(digits[i].toLatin1());
        QWidget* focus = QApplication::focusWidget();
        timer.start();
        QTest::keyPress(focus, key);
        handled.push_back(double(timer.nsecsElapsed()) / 1e3);
        QCoreApplication::processEvents();
        painted.push_back(double(timer.nsecsElapsed()) / 1e6);
        QTest::keyRelease(QApplication::focusWidget(), key);
    }
    if (recital->session().typed() != Digits || recital->session().phase() != RecitalSession::Phase::Reciting) {
        std::fprintf(stderr, "bench_training_recital: the recital took %d of %d digits\n", recital->session().typed(),
                     Digits);
        return 1;
    }
    std::printf("    %d digits of pi from the first, the grid's window moved %d times\n", Digits,
                recital->session().windowVersion() - 1);
    printTimings("recite: key press to digit handled on the UI thread", handled, "us", UiWorkGoalMicroseconds, true);
    printTimings("recite: key press to feedback painted", painted, "ms", FeedbackGoalMilliseconds, true);
    store.waitForIdle();
    return 0;
}
