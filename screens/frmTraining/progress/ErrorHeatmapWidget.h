#pragma once

#include "training/progress/ErrorHeatmap.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <map>

// Every position of a number as a cell of a grid, whole blocks a row, as many as keep the cells square:
// red as its error rate grows, blue as its slow recalls do, grey where nothing was ever typed. Pointing
// at a cell tells its position, the digits around it, the errors made there and its block's note.
class ErrorHeatmapWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ErrorHeatmapWidget)

public:
    explicit ErrorHeatmapWidget(QWidget* parent = nullptr);

    void setHeatmap(ErrorHeatmap map, std::map<QString, QString> notes);
    const ErrorHeatmap& heatmap() const { return m_map; }
    // One pixel a position, row by row.
    const QImage& cells() const { return m_cells; }
    int columns() const;
    // The position under `point`; 0 for none.
    int positionAt(const QPoint& point) const;
    // What pointing at `position` tells.
    QString describe(int position) const;

    static QRgb colourOf(const PositionErrors& cell);

signals:
    void pointed(int position, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void colourCells();
    QRect gridRect() const;
    void point(const QPoint& at);

    ErrorHeatmap m_map;
    std::map<QString, QString> m_notes;
    QImage m_cells;
    int m_pointed = 0;
};
