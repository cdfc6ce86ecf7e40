// Paints the settings window in both looks, with the recall stage laid over the competition look, and
// the background gradient, into PNG files for a visual check of the skin:
//   build/tools/skin_preview /tmp
#include "skin/Fonts.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace SkinPieces;

namespace {
const QSize Window(1280, 800);
const QRect SettingsPanel(265, 495, 750, 265);

QImage settingsLook(bool competitionMode)
{
    QImage image(Window, QImage::Format_RGB32);
    image.fill(InnerColour);
    QPainter painter(&image);
    paintSettingsLook(painter, Window, competitionMode);
    if (!competitionMode)
        DrawControlFrame(painter, SettingsPanel);
    // The title-bar strip in its resting look, 72 pixels in from the right edge.
    const int stripX[4] = {SpriteBackgroundToggleX, SpriteMinimiseX, SpriteInertMaximiseX, SpriteCloseX};
    for (int slot = 0; slot < 4; ++slot)
        painter.drawImage(QPoint(Window.width() - 72 + 17 * slot, 4), skinImage(),
                          stripSprite(stripX[slot], SpriteRowNormal));
    return image;
}

void paintButton(QPainter& painter, const QRect& box, const ButtonPieces& pieces, const QString& caption)
{
    for (int i = 0; i < box.width() / 10.0; ++i)
        painter.drawImage(box.topLeft() + QPoint(10 * i, 0), skinImage(), pieces.middleTile);
    painter.drawImage(box.topLeft(), skinImage(), pieces.leftCap);
    painter.drawImage(box.topLeft() + QPoint(box.width() - 20, 0), skinImage(), pieces.rightCap);
    QFont font(tahomaFamily());
    font.setPointSizeF(12.75);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, caption);
}

// The recall stage as it lies over the competition look, 25 pixels below the top.
QImage stageOverCompetitionLook()
{
    QImage image = settingsLook(true);
    const QSize stage(Window.width(), Window.height() - 25);
    QImage surface(stage, QImage::Format_RGB32);
    surface.fill(InnerColour);
    QPainter painter(&surface);
    PaintStageFrame(painter, stage, QStringLiteral("SPECIAL NUMBERS (PI)"), QStringLiteral("RECALL STAGE"), 190);
    const int x = (stage.width() - 350) / 2 + 130;
    painter.drawImage(QPoint(x, 26), skinImage(), TimePanelLeft);
    for (int m = 0; m < 106; ++m)
        painter.drawImage(QPoint(x + 69 + 2 * m, 26), skinImage(), TimePanelMiddle);
    painter.drawImage(QPoint(x + 281, 26), skinImage(), TimePanelRight);
    painter.setFont(QFont(tahomaFamily(), 26, QFont::Bold));
    painter.setPen(Qt::white);
    painter.drawText(QRect(x + 71, 2, 212, 81), Qt::AlignCenter, QStringLiteral("0:12:34"));
    painter.setPen(QColor(11, 3, 103));
    painter.drawText(QRect(x + 69, 0, 212, 81), Qt::AlignCenter, QStringLiteral("0:12:34"));
    const QRect grid(33, 94, stage.width() - 66, stage.height() - 120);
    painter.fillRect(grid, Qt::white);
    DrawControlFrame(painter, grid);
    paintButton(painter, QRect(grid.right() + 1 - 140, 34, 140, 50), ButtonNormal, QStringLiteral("FINISH"));
    paintButton(painter, QRect(grid.right() + 1 - 290, 34, 140, 50), ButtonHover, QStringLiteral("BACK"));
    painter.end();
    QPainter(&image).drawImage(QPoint(0, 25), surface);
    return image;
}

bool save(const QImage& image, const QDir& directory, const QString& name)
{
    const QString path = directory.filePath(name);
    const bool saved = image.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
    return saved;
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerFallbackFonts();
    const QImage probe(1, 1, QImage::Format_RGB32);
    std::printf("title font %s, line height T = %d\n", qPrintable(QFontInfo(settingsTitleFont()).family()),
                QFontMetrics(settingsTitleFont(), &probe).height());
    const QDir directory(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath());
    const QImage gradient =
        PaintBackgroundGradient(Window, QColor(80, 0, 0), QColor(0, 80, 0), QColor(0, 0, 80), QColor(40, 40, 0));
    const bool ok = save(settingsLook(false), directory, QStringLiteral("korvalin_settings_look.png")) &&
                    save(settingsLook(true), directory, QStringLiteral("korvalin_competition_look.png")) &&
                    save(stageOverCompetitionLook(), directory, QStringLiteral("korvalin_recall_stage.png")) &&
                    save(gradient, directory, QStringLiteral("korvalin_background.png"));
    return ok ? 0 : 1;
}
