#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QString>

class ScoreTable;

// The two rows and three columns of the score table gScore: the score under its caption, then the
// maximum and used times with their captions. Every cell carries its own font, colour and alignment.
class ScoreGridModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScoreGridModel)

public:
    static constexpr QRgb ScoreColor = qRgb(255, 0, 0);
    static constexpr double FontPointSize = 15.0;
    static constexpr double CaptionPointSize = 30.0;
    static constexpr double ScorePointSize = 36.0;

    ScoreGridModel(const ScoreTable& table, QObject* parent = nullptr);

    // Blanks a cell, for a time the attempt record cannot give.
    void clearText(int row, int column);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QFont cellFont(int row, int column) const;

    QString m_texts[2][3];
};
