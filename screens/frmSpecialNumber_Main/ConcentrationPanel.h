#pragma once

#include "skin/ShadowedTextSurface.h"

#include <QString>
#include <QWidget>

class SkinButton;

// The concentration countdown panel `picConcentration`: the seconds left in big shadowed digits over
// the answer grid, with CANCEL `btnCancel` near its bottom edge. The stage sets its font.
class ConcentrationPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConcentrationPanel)

public:
    static constexpr double FontPointSize = 150.0;

    explicit ConcentrationPanel(QWidget* parent = nullptr);

    SkinButton& cancelButton() { return *m_cancel; }
    // 150 x 50, centred, its top 80 pixels above the panel's bottom edge.
    void placeCancelButton();

    void showShadowedText(const QString& text) { m_text.show(text); }
    QString shownText() const { return m_text.shownText(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ShadowedTextSurface m_text;
    SkinButton* m_cancel;
    bool m_cancelPlaced = false;
};
