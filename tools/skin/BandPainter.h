#pragma once

#include <QImage>
#include <QPainterPath>

#include <functional>

// Colour of one sub-sample: `band` is the whole number of pixels between the sample and the edge of the
// region (0 = the outermost pixel row inside it), or -1 outside it; x and y are skin coordinates.
using BandProfile = std::function<QRgb(int band, double x, double y)>;

// Paints every pixel of `area` (skin coordinates) as the average of the sub-samples, 8 x 8 to a skin
// pixel, coloured by `profile`; on a picture of device pixel ratio 2 each of its four pixels averages its
// own 4 x 4. An edge that runs along whole-pixel boundaries comes out in exact colours, so straight frame
// lines tile without seams, while curves are antialiased.
void paintBands(QImage& skin, const QRect& area, const QPainterPath& region, const BandProfile& profile);
