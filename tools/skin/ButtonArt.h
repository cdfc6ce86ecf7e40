#pragma once

class QImage;

// The three 180 x 50 button pictures and the title-bar strip sprites.
void paintButtons(QImage& skin);
void paintStripSprites(QImage& skin);
