#pragma once

class QImage;

// The settings screen's decoration and the small mark in the competition header: a spiral of the digits
// of the three special numbers, one arm each.
void paintEmblem(QImage& skin);
void paintBanner(QImage& skin);
void paintHeaderBadge(QImage& skin);
