// Draws the program's icons from the mark of its emblem: PNGs for the sizes of the hicolor icon theme
// and a scalable SVG, named by the program's desktop id. Run it from the source tree after changing the
// emblem:
//   build/tools/make_icons packaging/icons
#include "EmblemArt.h"
#include "start/ProgramIdentity.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {
constexpr int PngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int SvgSize = 256;

// The mark fills the icon but for a margin the theme's icons keep; small icons keep a 1-pixel ring.
void drawIcon(QPainter& painter, int size)
{
    const double margin = size <= 32 ? 0.5 : size / 32.0;
    const double scale = (size / 2.0 - margin) / EmblemBadgeRadius;
    drawEmblemBadge(painter, QPointF(size / 2.0, size / 2.0), scale, 1.0);
}

QString iconPath(const QString& root, const QString& sizeFolder, const QString& suffix)
{
    const QString folder = QDir(root).filePath(QStringLiteral("hicolor/%1/apps").arg(sizeFolder));
    QDir().mkpath(folder);
    return QDir(folder).filePath(programDesktopId() + suffix);
}

bool writePng(const QString& root, int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        QPainter painter(&icon);
        drawIcon(painter, size);
    }
    return icon.save(iconPath(root, QStringLiteral("%1x%1").arg(size), QStringLiteral(".png")), "PNG");
}

bool writeSvg(const QString& root)
{
    QSvgGenerator svg;
    svg.setFileName(iconPath(root, QStringLiteral("scalable"), QStringLiteral(".svg")));
    svg.setSize(QSize(SvgSize, SvgSize));
    svg.setViewBox(QRect(0, 0, SvgSize, SvgSize));
    svg.setTitle(QStringLiteral("KORVALIN"));
    svg.setDescription(QStringLiteral("The digits of the square root of 2, pi and e in three spiral arms"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    drawIcon(painter, SvgSize);
    return painter.end();
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("packaging/icons");
    bool ok = writeSvg(root);
    for (const int size : PngSizes)
        ok = writePng(root, size) && ok;
    if (!ok)
        std::fprintf(stderr, "make_icons: cannot write the icons under %s\n", qPrintable(root));
    return ok ? 0 : 1;
}
