#include "SqliteTrainingStore.h"
#include "base/Clock.h"
#include "files/AtomicFile.h"
#include "files/DataFolder.h"
#include "files/ProgramDirectory.h"
#include "frmMain/frmMain.h"
#include "frmTraining/RehearsalLauncher.h"
#include "frmTraining/StoreRecorder.h"
#include "frmTraining/frmTraining.h"
#include "skin/Fonts.h"
#include "skin/Skin.h"
#include "start/CommandLine.h"
#include "start/ProgramIdentity.h"
#include "training/TrainingClock.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
bool displayAvailable()
{
    const auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// --help also says where this copy of the program keeps its files; that needs no display either.
int answerWithoutWindow(const CommandLine& command, int argc, char* argv[])
{
    if (command.action == CommandLine::Action::Refuse) {
        std::fprintf(stderr, "%s\n", qPrintable(command.message));
        return command.exitCode;
    }
    QString text = command.message;
    if (command.action == CommandLine::Action::ShowHelp) {
        QCoreApplication app(argc, argv);
        identifyProgram();
        text += QStringLiteral("\nSettings, drafts and the training history are kept in: %1\n")
                    .arg(chooseDataFolderOfThisProgram(command.dataDirectory).path);
    }
    std::fputs(qPrintable(text), stdout);
    return command.exitCode;
}

// Training keeps its history in training.sqlite in the data folder; a record attempt never opens it.
int train(const TrainingStart& start, QApplication& app)
{
    // The second desktop entry, "KORVALIN Training", is named so (packaging/CMakeLists.txt).
    QGuiApplication::setDesktopFileName(programDesktopId() + QStringLiteral(".Training"));
    SqliteTrainingStore store(programDirectory());
    const StoreOpening opening = store.open();
    SystemTrainingClock clock;
    // A rehearsal runs the record stage on the program's own clock and writes its outcome to the history.
    SystemClock stageClock;
    StoreRecorder recorder(store);
    RehearsalLauncher rehearsals(stageClock, recorder);
    frmTraining window(start, store, opening, clock);
    window.setRehearsalLauncher(&rehearsals);
    window.show();
    return app.exec();
}
} // namespace

int main(int argc, char* argv[])
{
    const CommandLine command = parseCommandLine(argumentsOf(argc, argv));
    if (command.action != CommandLine::Action::Run)
        return answerWithoutWindow(command, argc, argv);
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "korvalin: no display found (DISPLAY is not set); "
                     "run it on a desktop, or headless with: xvfb-run -s '-screen 0 1280x800x24' build/korvalin\n");
        return 1;
    }
    identifyProgram();
    QApplication app(argc, argv);
    preloadSkinImage(app.devicePixelRatio());
    QGuiApplication::setDesktopFileName(programDesktopId());
    useDataFolderOfThisProgram(command.dataDirectory);
    registerFallbackFonts();

    removeAbandonedTemporaryFiles(programDirectory());
    if (command.training)
        return train(*command.training, app);
    SystemClock clock;
    frmMain window(clock);
    if (!window.load())
        return 0;
    window.show();
    return app.exec();
}
