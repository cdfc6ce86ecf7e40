#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

class QWidget;

// The persistent image of a window or picture box. Painting routines draw into it with paintPersistent(),
// which presents the result; the owner's paintEvent shows it with paintOnto(). Looks painted with
// paintTransient() (hover and pressed looks) reach the screen only and vanish at the next present().
class PersistentSurface final
{
public:
    explicit PersistentSurface(QWidget* owner = nullptr);

    // Grows or shrinks the image, keeping what was painted; new area gets `fill`. The image has as many
    // pixels as the owner's screen shows for `size` logical pixels.
    void resize(QSize size, QColor fill);
    QSize size() const;

    const QImage& image() const { return m_image; }
    const QImage& screen() const { return m_screen; }

    template <typename Paint> void paintPersistent(Paint&& paint)
    {
        {
            QPainter painter(&m_image);
            paint(painter);
        }
        present();
    }

    template <typename Paint> void paintTransient(Paint&& paint)
    {
        {
            QPainter painter(&m_screen);
            paint(painter);
        }
        requestRepaint();
    }

    // Shows the persistent image on the screen, dropping any transient look.
    void present();

    // For the owner's paintEvent.
    void paintOnto(QPainter& painter, const QRect& exposed) const;

private:
    void requestRepaint();

    QWidget* m_owner;
    QImage m_image;
    QImage m_screen;
};
