#include "base/Clock.h"
#include "files/AtomicFile.h"
#include "files/ProgramDirectory.h"
#include "frmMain/frmMain.h"
#include "skin/Fonts.h"

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
} // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "korvalin: no display found (DISPLAY is not set); "
                     "run it on a desktop, or headless with: xvfb-run -s '-screen 0 1280x800x24' build/korvalin\n");
        return 1;
    }
    QApplication app(argc, argv);
    registerFallbackFonts();

    removeAbandonedTemporaryFiles(programDirectory());
    SystemClock clock;
    frmMain window(clock);
    if (!window.load())
        return 0;
    window.show();
    return app.exec();
}
