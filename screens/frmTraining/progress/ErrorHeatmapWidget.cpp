#include "frmTraining/progress/ErrorHeatmapWidget.h"

#include "frmTraining/TrainingLook.h"
#include "training/TrainingItems.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor Unseen(214, 214, 214);
// A fifth of the recalls wrong, or half of them slow, is as red or as blue as a cell gets.
constexpr double FullErrorRate = 0.2;
constexpr double FullSlowRate = 0.5;
constexpr int DigitsAround = 5;

QRgb towards(QColor to, double share)
{
    const auto mix = [share](int from, int target) { return int(from + (target - from) * share + 0.5); };
    return qRgb(mix(255, to.red()), mix(255, to.green()), mix(255, to.blue()));
}

QString times(int count)
{
    return count == 1   ? QStringLiteral("once")
           : count == 2 ? QStringLiteral("twice")
                        : QStringLiteral("%1 times").arg(count);
}

} // namespace

ErrorHeatmapWidget::ErrorHeatmapWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("errorHeatmap"));
    setMouseTracking(true);
    setMinimumSize(200, 120);
}

QRgb ErrorHeatmapWidget::colourOf(const PositionErrors& cell)
{
    if (cell.typed == 0)
        return Unseen.rgb();
    const double errors = std::min(1.0, cell.errorRate() / FullErrorRate);
    const double slow = std::min(1.0, cell.slowRate() / FullSlowRate);
    return errors >= slow ? towards(QColor(200, 0, 0), errors) : towards(QColor(20, 70, 200), slow);
}

int ErrorHeatmapWidget::columns() const
{
    // Cells about square over the widget, and whole blocks a row.
    const double shape = double(std::max(1, width())) / std::max(1, height());
    const double square = std::sqrt(double(m_map.positions.size()) * shape);
    return std::max(1, int(std::lround(square / BlockLength))) * BlockLength;
}

void ErrorHeatmapWidget::setHeatmap(ErrorHeatmap map, std::map<QString, QString> notes)
{
    m_map = std::move(map);
    m_notes = std::move(notes);
    m_pointed = 0;
    colourCells();
}

void ErrorHeatmapWidget::colourCells()
{
    const int count = int(m_map.positions.size());
    const int width = columns();
    const int rows = std::max(1, (count + width - 1) / width);
    m_cells = QImage(width, rows, QImage::Format_RGB32);
    m_cells.fill(palette().color(QPalette::Window));
    for (int i = 0; i < count; ++i) {
        auto* line = reinterpret_cast<QRgb*>(m_cells.scanLine(i / width));
        line[i % width] = colourOf(m_map.positions[std::size_t(i)]);
    }
    update();
}

void ErrorHeatmapWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_cells.isNull() && columns() != m_cells.width())
        colourCells();
}

QRect ErrorHeatmapWidget::gridRect() const
{
    if (m_cells.isNull())
        return {};
    // Whole pixels a cell where they fit, so that every cell shows alike.
    const int cellWidth = std::max(1, width() / m_cells.width());
    const int cellHeight = std::max(1, std::min(cellWidth * 2, height() / m_cells.height()));
    const QSize size(m_cells.width() * cellWidth, m_cells.height() * cellHeight);
    return QRect(QPoint((width() - size.width()) / 2, 0), size);
}

int ErrorHeatmapWidget::positionAt(const QPoint& point) const
{
    const QRect grid = gridRect();
    if (!grid.contains(point))
        return 0;
    const int column = (point.x() - grid.left()) * m_cells.width() / grid.width();
    const int row = (point.y() - grid.top()) * m_cells.height() / grid.height();
    const int position = row * m_cells.width() + column + 1;
    return position <= int(m_map.positions.size()) ? position : 0;
}

QString ErrorHeatmapWidget::describe(int position) const
{
    if (position < 1 || position > int(m_map.positions.size()))
        return {};
    const QString& digits = numberDigits(m_map.number);
    const int block = (position - 1) / BlockLength + 1;
    QString around;
    for (int p = std::max(1, position - DigitsAround); p <= std::min(int(digits.size()), position + DigitsAround);
         ++p) {
        const QChar digit = digits.at(p - 1);
        around += p == position ? QStringLiteral("[") + digit + u']' : QString(digit);
    }
    const PositionErrors& cell = m_map.at(position);
    QString text = QStringLiteral("Digit %1 (block %2): %3")
                       .arg(QLocale(QLocale::English).toString(position))
                       .arg(block)
                       .arg(around);
    if (cell.typed == 0) {
        text += QStringLiteral(" - never typed");
    } else {
        text += QStringLiteral(" - typed %1, %2 %3")
                    .arg(times(cell.typed))
                    .arg(cell.errors)
                    .arg(cell.errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"));
        QStringList wrong;
        for (int digit = 0; digit < 10; ++digit) {
            if (cell.wrongDigits[std::size_t(digit)] > 0)
                wrong << QStringLiteral("%1 %2").arg(digit).arg(times(cell.wrongDigits[std::size_t(digit)]));
        }
        if (!wrong.isEmpty())
            text += QStringLiteral(" (") + wrong.join(QStringLiteral(", ")) + u')';
        text += QStringLiteral(", %1 slow (over %2 s)").arg(cell.slow).arg(m_map.slowSeconds, 0, 'f', 1);
    }
    const auto note = m_notes.find(QStringLiteral("%1/block/%2").arg(numberName(m_map.number)).arg(block));
    if (note != m_notes.end() && !note->second.isEmpty())
        text += QStringLiteral(". Note: ") + note->second;
    return text;
}

void ErrorHeatmapWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect grid = gridRect();
    if (grid.isEmpty())
        return;
    painter.drawImage(grid, m_cells);
    if (m_pointed > 0) {
        const int index = m_pointed - 1;
        const double cellWidth = double(grid.width()) / m_cells.width();
        const double cellHeight = double(grid.height()) / m_cells.height();
        const QRectF cell(grid.left() + (index % m_cells.width()) * cellWidth,
                          grid.top() + (index / m_cells.width()) * cellHeight, cellWidth, cellHeight);
        painter.setPen(QPen(QColor(TrainingLook::TextColour), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(-2, -2, 2, 2));
    }
}

void ErrorHeatmapWidget::point(const QPoint& at)
{
    const int position = positionAt(at);
    if (position == 0 || position == m_pointed)
        return;
    m_pointed = position;
    update();
    emit pointed(position, describe(position));
}

void ErrorHeatmapWidget::mouseMoveEvent(QMouseEvent* event)
{
    point(event->position().toPoint());
}

void ErrorHeatmapWidget::mousePressEvent(QMouseEvent* event)
{
    point(event->position().toPoint());
}
