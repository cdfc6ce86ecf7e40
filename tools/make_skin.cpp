// Draws the program's skin image, resources/skin.png: every frame, header, button and strip piece at the
// source rectangle the painting routines cut it from. Run it from the source tree after changing the art:
//   build/tools/make_skin resources/skin.png
#include "ButtonArt.h"
#include "EmblemArt.h"
#include "FrameArt.h"
#include "skin/Fonts.h"
#include "skin/SkinPieces.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerFallbackFonts();
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/skin.png");

    QImage skin(SkinPieces::SkinWidth, SkinPieces::SkinHeight, QImage::Format_RGB32);
    skin.fill(SkinPieces::InnerColour);
    paintWindowFrame(skin);
    paintCompetitionHeader(skin);
    paintHeaderBadge(skin);
    paintTimePanel(skin);
    paintControlFrame(skin);
    paintButtons(skin);
    paintStripSprites(skin);
    paintEmblem(skin);
    paintBanner(skin);

    // 24 bits per pixel, no alpha channel.
    if (!skin.convertToFormat(QImage::Format_RGB888).save(output, "PNG")) {
        std::fprintf(stderr, "make_skin: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
