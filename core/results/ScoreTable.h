#pragma once

#include <QString>

// The texts of the two-row, three-column score table of the results screen: the score under its
// caption in column 0, the time captions in column 1 and the clock texts of the times in column 2.
class ScoreTable final
{
public:
    static constexpr int RowCount = 2;
    static constexpr int ColumnCount = 3;

    ScoreTable(int score, float maxSeconds, float usedSeconds);

    // Rows and columns count from 0, as the table has no header cells.
    const QString& text(int row, int column) const { return m_texts[row][column]; }

    // The score rounded to hundredths, which for a count of digits is the whole number itself.
    static QString scoreText(int score);

private:
    QString m_texts[RowCount][ColumnCount];
};
