// Draws the program's skin images: resources/skin.png and, every piece at twice the size for screens
// scaled by 2, resources/skin@2x.png. Every frame, header, button and strip piece lies at the source
// rectangle the painting routines cut it from. Run it from the source tree after changing the art:
//   build/tools/make_skin resources/skin.png
#include "ButtonArt.h"
#include "EmblemArt.h"
#include "FrameArt.h"
#include "skin/Fonts.h"
#include "skin/SkinPieces.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {
QImage drawSkin(int scale)
{
    QImage skin(SkinPieces::SkinWidth * scale, SkinPieces::SkinHeight * scale, QImage::Format_RGB32);
    skin.setDevicePixelRatio(scale);
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
    return skin;
}

bool save(const QImage& skin, const QString& path)
{
    // 24 bits per pixel, no alpha channel.
    if (skin.convertToFormat(QImage::Format_RGB888).save(path, "PNG"))
        return true;
    std::fprintf(stderr, "make_skin: cannot write %s\n", qPrintable(path));
    return false;
}

// skin.png -> skin@2x.png, the name Qt gives the double-size variant of an image.
QString doubleSizeName(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerFallbackFonts();
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/skin.png");
    return save(drawSkin(1), output) && save(drawSkin(2), doubleSizeName(output)) ? 0 : 1;
}
