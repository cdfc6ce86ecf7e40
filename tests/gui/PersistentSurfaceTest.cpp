#include "skin/PersistentSurface.h"

#include <gtest/gtest.h>

namespace {
QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y);
}
} // namespace

TEST(PersistentSurface, persistentPainting_isPresentedOnTheScreen)
{
    PersistentSurface surface;
    surface.resize(QSize(20, 10), Qt::white);
    surface.paintPersistent([](QPainter& painter) { painter.fillRect(0, 0, 5, 5, Qt::blue); });
    EXPECT_EQ(at(surface.screen(), 2, 2), qRgb(0, 0, 255));
    EXPECT_EQ(at(surface.image(), 2, 2), qRgb(0, 0, 255));
}

TEST(PersistentSurface, transientLook_vanishesAtTheNextPresent)
{
    PersistentSurface surface;
    surface.resize(QSize(20, 10), Qt::white);
    surface.paintTransient([](QPainter& painter) { painter.fillRect(0, 0, 5, 5, Qt::red); });
    EXPECT_EQ(at(surface.screen(), 2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(at(surface.image(), 2, 2), qRgb(255, 255, 255)) << "a transient look reached the persistent image";
    surface.present();
    EXPECT_EQ(at(surface.screen(), 2, 2), qRgb(255, 255, 255));
}

TEST(PersistentSurface, resize_keepsWhatWasPaintedAndFillsTheNewArea)
{
    PersistentSurface surface;
    surface.resize(QSize(10, 10), Qt::white);
    surface.paintPersistent([](QPainter& painter) { painter.fillRect(0, 0, 10, 10, Qt::green); });
    surface.resize(QSize(20, 15), Qt::black);
    EXPECT_EQ(surface.size(), QSize(20, 15));
    EXPECT_EQ(at(surface.screen(), 9, 9), qRgb(0, 255, 0));
    EXPECT_EQ(at(surface.screen(), 15, 12), qRgb(0, 0, 0));
}

TEST(PersistentSurface, paintOnto_copiesTheExposedPartOfTheScreen)
{
    PersistentSurface surface;
    surface.resize(QSize(20, 10), Qt::white);
    surface.paintTransient([](QPainter& painter) { painter.fillRect(10, 0, 10, 10, Qt::red); });
    QImage target(20, 10, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    surface.paintOnto(painter, QRect(8, 0, 4, 10));
    painter.end();
    EXPECT_EQ(at(target, 7, 5), qRgb(0, 0, 0));
    EXPECT_EQ(at(target, 9, 5), qRgb(255, 255, 255));
    EXPECT_EQ(at(target, 11, 5), qRgb(255, 0, 0));
    EXPECT_EQ(at(target, 12, 5), qRgb(0, 0, 0));
}
