#pragma once

#include <QAbstractItemDelegate>

// Paints a cell of the question table: its background colour and its text centred, a question over
// an answer on two lines when the text holds a line break. Kept lean because a full screen of the
// table is several hundred cells.
class ResultCellDelegate final : public QAbstractItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultCellDelegate)

public:
    explicit ResultCellDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
