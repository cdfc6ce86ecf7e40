#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

// A button painted from the skin image: the normal look lives in the button's persistent image, the hover
// and pressed looks are drawn over it on the screen until the next persistent repaint. While the pointer is
// over it the button holds the mouse capture, so it still sees the move that takes the pointer away.
class SkinButton final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SkinButton)

public:
    SkinButton(const QImage& skin, const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    const QFont& captionFont() const { return m_captionFont; }

    // ButtonHot: 1 while the last mouse move saw the pointer over the button; gates the click.
    quint8 buttonHot() const { return m_buttonHot; }

    // Buttons that must never keep the keyboard focus hand it straight on to target.
    void passFocusTo(QWidget* target);

signals:
    // Emitted only through the click gate, after the resting look is back.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool holdsCapture() const;
    void paintResting();
    void showOnScreen(const QString& state);
    void clickGate();

    QImage m_skin;
    QString m_caption;
    QFont m_captionFont;
    QImage m_surface;
    QString m_screenState;
    quint8 m_buttonHot = 0;
    QPointer<QWidget> m_focusTarget;
};
