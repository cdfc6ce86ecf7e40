#pragma once

#include <QImage>
#include <QWidget>

#include <array>

// The title-bar control strip of the settings window: background toggle, minimise, an inert maximise and
// close, 17 × 15 pixels each. What the clicks do is the window's business; the strip only asks.
class PFormKontrol final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PFormKontrol)

public:
    static constexpr int SlotWidth = 17;
    static constexpr int SlotHeight = 15;
    static constexpr int NormalRow = 179;
    static constexpr int HoverRow = 194;
    static constexpr int PressedRow = 209;

    explicit PFormKontrol(const QImage& skin, QWidget* parent = nullptr);

    // The slot under strip position x (y is not looked at): 1, 2 or 4, and 0 for none. The maximise slot
    // answers 0, so it behaves like empty space.
    static quint8 slotAt(double x);
    // The skin's x of a slot's sprites, the same in all three rows.
    static int spriteX(int slot);

    // Copies the four normal sprites into the strip's persistent image.
    void paintRestingImage();

    // HotControlSlot: the slot under the pointer as the last mouse move saw it, 0 for none; never 3.
    quint8 hotControlSlot() const { return m_hotControlSlot; }

signals:
    void toggleBackgroundRequested();
    void minimiseRequested();
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool holdsCapture() const;
    void drawSprite(QPainter& painter, int slot, int row) const;
    void showOnScreen(int slot, int row);
    void repaintNormalSprite(int slot);
    void click();

    QImage m_skin;
    QImage m_surface;
    // Sprite row drawn over each slot on the screen only (index 1 to 4), 0 where the image shows through.
    std::array<int, 5> m_screenRow{};
    quint8 m_hotControlSlot = 0;
};
