#pragma once

#include "skin/PersistentSurface.h"

#include <QColor>
#include <QString>

class QWidget;

// A picture box that shows one text in shadowed digits (drawShadowedText) on its persistent surface, in
// its owner's font: the stage's time display and concentration countdown. The same text paints the same
// pixels, so only a change is painted.
class ShadowedTextSurface final
{
public:
    ShadowedTextSurface(QWidget* owner, QColor background);

    void show(const QString& text);
    // The background alone; shownText() is then empty.
    void showBlank();
    // For the owner's resizeEvent: the surface takes the owner's size and `text` is drawn centred in
    // it, or the blank background for an empty text.
    void resize(const QString& text);

    QString shownText() const { return m_shownText; }

    // For the owner's paintEvent.
    void paintOnto(QPainter& painter, const QRect& exposed) const { m_surface.paintOnto(painter, exposed); }

private:
    QWidget* m_owner;
    QColor m_background;
    PersistentSurface m_surface;
    QString m_shownText;
    bool m_drawn = false;
};
