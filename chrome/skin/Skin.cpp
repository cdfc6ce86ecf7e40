#include "skin/Skin.h"

#include "skin/SkinPieces.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QtGlobal>

#include <future>

// The resource lives in a static library, so it must be registered by hand before the first load.
static void registerSkinResource()
{
    Q_INIT_RESOURCE(skin);
}

namespace {
QImage loadSkin(const QString& resource, int scale)
{
    registerSkinResource();
    QImage loaded(resource);
    if (loaded.isNull())
        return loaded;
    // RGB32 is the format QPainter blits fastest onto widget and image surfaces.
    loaded = loaded.convertToFormat(QImage::Format_RGB32);
    loaded.setDevicePixelRatio(scale);
    return loaded;
}

std::future<QImage>& preloaded2x()
{
    static std::future<QImage> image;
    return image;
}

// The 2x picture serves the built-in skin only: a skin a test paints by hand has no larger twin.
const QImage& pictureFor(const QImage& skin, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0 || skin.cacheKey() != skinImage().cacheKey() || skinImage2x().isNull())
        return skin;
    return skinImage2x();
}
} // namespace

const QImage& skinImage()
{
    static const QImage image = [] {
        QImage loaded = loadSkin(QStringLiteral(":/skin.png"), 1);
        if (loaded.isNull()) {
            // Only a broken build gets here; a plain inner-colour picture keeps the screens usable.
            qWarning("skin image missing from the resources");
            loaded = QImage(SkinPieces::SkinWidth, SkinPieces::SkinHeight, QImage::Format_RGB32);
            loaded.fill(SkinPieces::InnerColour);
        }
        return loaded;
    }();
    return image;
}

const QImage& skinImage2x()
{
    static const QImage image =
        preloaded2x().valid() ? preloaded2x().get() : loadSkin(QStringLiteral(":/skin@2x.png"), 2);
    return image;
}

void preloadSkinImage(qreal devicePixelRatio)
{
    // Four times the pixels of the 1x picture: decoding it is the largest single step of a scaled start.
    if (devicePixelRatio > 1.0 && !preloaded2x().valid())
        preloaded2x() = std::async(std::launch::async, [] { return loadSkin(QStringLiteral(":/skin@2x.png"), 2); });
}

void blitSkinPiece(QPainter& painter, QPointF at, const QImage& skin, const QRectF& piece)
{
    const qreal deviceRatio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    const QImage& picture = pictureFor(skin, deviceRatio);
    const qreal scale = picture.devicePixelRatio();
    if (scale == 1.0) {
        painter.drawImage(at, picture, piece);
        return;
    }
    const QRectF target(at, piece.size());
    const QRectF source(piece.topLeft() * scale, piece.size() * scale);
    if (deviceRatio == scale) {
        painter.drawImage(target, picture, source);
        return;
    }
    // A screen between the two scales gets the larger picture shrunk smoothly, not every other pixel.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture, source);
    painter.restore();
}
