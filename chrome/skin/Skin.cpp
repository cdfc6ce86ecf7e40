#include "skin/Skin.h"

#include "skin/SkinPieces.h"

#include <QImage>
#include <QtGlobal>

// The resource lives in a static library, so it must be registered by hand before the first load.
static void registerSkinResource()
{
    Q_INIT_RESOURCE(skin);
}

const QImage& skinImage()
{
    static const QImage image = [] {
        registerSkinResource();
        QImage loaded(QStringLiteral(":/skin.png"));
        if (loaded.isNull()) {
            // Only a broken build gets here; a plain inner-colour picture keeps the screens usable.
            qWarning("skin image missing from the resources");
            loaded = QImage(SkinPieces::SkinWidth, SkinPieces::SkinHeight, QImage::Format_RGB32);
            loaded.fill(SkinPieces::InnerColour);
        }
        // RGB32 is the format QPainter blits fastest onto widget and image surfaces.
        return loaded.convertToFormat(QImage::Format_RGB32);
    }();
    return image;
}
