#pragma once

class QImage;

// Frame artwork of the skin: each routine draws its pieces at their source rectangles.
void paintWindowFrame(QImage& skin);
void paintCompetitionHeader(QImage& skin);
void paintTimePanel(QImage& skin);
void paintControlFrame(QImage& skin);
