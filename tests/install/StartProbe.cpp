// The program's start as main.cpp makes it, followed by what an operator does first: START (answering a
// box about the data folder with Yes, or No with --refuse-start), the countdown run out on a fake clock
// and one digit typed, so that a draft is saved. Copied into an installed prefix's bin folder, it is
// placed as the installed program is, and so chooses its data folder as that program does.
// It prints "data folder: PATH", "stage: opened" or "stage: not opened", and "box: TEXT" per box shown.
#include "FakeClock.h"
#include "base/Clock.h"
#include "boxes/ScriptedDialog.h"
#include "boxes/modMsgBox.h"
#include "files/DataFolder.h"
#include "frmMain/frmMain.h"
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"
#include "skin/Fonts.h"
#include "start/CommandLine.h"
#include "start/ProgramIdentity.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {
QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Every box that opens is reported and answered; none may hold the probe up.
void answerEveryBox(QTimer& guard, int answer)
{
    guard.setInterval(50);
    QObject::connect(&guard, &QTimer::timeout, [answer] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            const auto* text = dialog->findChild<QLabel*>(QStringLiteral("messageText"));
            say(QStringLiteral("box: ") + (text ? text->text() : dialog->objectName()).replace(u'\n', u' '));
            dialog->done(answer);
        }
    });
    guard.start();
}
} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments = argumentsOf(argc, argv);
    const bool refuseStart = arguments.removeAll(QStringLiteral("--refuse-start")) > 0;
    const CommandLine command = parseCommandLine(arguments);
    if (command.action != CommandLine::Action::Run) {
        std::fprintf(stderr, "%s\n", qPrintable(command.message));
        return command.exitCode;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    identifyProgram();
    QApplication app(argc, argv);
    say(QStringLiteral("data folder: ") + useDataFolderOfThisProgram(command.dataDirectory).path);
    registerFallbackFonts();

    QTimer guard;
    answerEveryBox(guard, refuseStart ? MsgBoxNo : MsgBoxYes);
    FakeClock clock(36000.0f);
    frmMain window(clock);
    if (!window.load())
        return 3;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 3;

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnStart")), Qt::LeftButton);
    auto* stage = window.findChild<frmSpecialNumber_Main*>(QStringLiteral("frmSpecialNumber_Main"));
    say(stage ? QStringLiteral("stage: opened") : QStringLiteral("stage: not opened"));
    if (stage) {
        if (!QTest::qWaitFor([stage] { return stage->isActiveWindow() && !stage->awaitsFirstActivation(); }))
            return 3;
        clock.advance(float(stage->state().concentrationSeconds));
        stage->concentrationTick();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
    }
    // The stage's draft writer finishes its writes as the windows go.
    return 0;
}
