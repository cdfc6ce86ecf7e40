#include "frmSpecialNumber_Fin/ResultCellDelegate.h"

#include <QPainter>

namespace {
// The cell text keeps the grid's line break between question and answer.
const QString LineBreak = QStringLiteral("\r\n");
} // namespace

ResultCellDelegate::ResultCellDelegate(QObject* parent) : QAbstractItemDelegate(parent) {}

void ResultCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QColor>())
        painter->fillRect(option.rect, background.value<QColor>());

    const QString text = index.data(Qt::DisplayRole).toString();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    const qsizetype lineBreak = text.indexOf(LineBreak);
    if (lineBreak < 0) {
        painter->drawText(option.rect, Qt::AlignCenter, text);
        return;
    }
    // Two lines as one block centred in the cell; an empty answer leaves the second line blank.
    const QRectF cell(option.rect);
    const double lineHeight = option.fontMetrics.height();
    const double top = cell.top() + (cell.height() - 2.0 * lineHeight) / 2.0;
    const QRectF first(cell.left(), top, cell.width(), lineHeight);
    painter->drawText(first, Qt::AlignCenter, text.left(lineBreak));
    painter->drawText(first.translated(0.0, lineHeight), Qt::AlignCenter, text.mid(lineBreak + LineBreak.size()));
}

QSize ResultCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    // The table sizes its rows and columns itself; this is only what two lines of text would need.
    return QSize(option.fontMetrics.horizontalAdvance(QLatin1Char('0')) * 2, option.fontMetrics.height() * 2);
}
