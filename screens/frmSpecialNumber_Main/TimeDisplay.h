#pragma once

#include "skin/ShadowedTextSurface.h"

#include <QString>
#include <QWidget>

#include <functional>

// The stage's time display `picTime`: the used or remaining stage time as shadowed text. A click
// toggles what the stage shows in it; the display never takes the keyboard focus.
class TimeDisplay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeDisplay)

public:
    static constexpr double FontPointSize = 36.0;

    explicit TimeDisplay(QWidget* parent = nullptr);

    // The text drawn after every resize: the maximum time, or an empty text for a blank display.
    void setResizeText(std::function<QString()> text) { m_resizeText = std::move(text); }

    void showShadowedText(const QString& text) { m_text.show(text); }
    // The text on the display; empty while it is blank.
    QString shownText() const { return m_text.shownText(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ShadowedTextSurface m_text;
    std::function<QString()> m_resizeText;
};
