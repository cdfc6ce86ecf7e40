#pragma once

#include "base/CellTextSource.h"

#include <QString>

#include <vector>

// Scores an attempt and prepares the text of every result cell. The score counts the correct answers
// from the first cell on, up to the first wrong or empty one; correct cells after that are still marked
// correct but do not count. Results live in flat row-major arrays: a pi sheet has 32,760 cells.
// Rows and columns count from 1.
class Scoring final
{
public:
    // The sheet is the shape of `questions`; an answer cell outside `answers` counts as empty.
    Scoring(const CellTextSource& questions, const CellTextSource& answers);

    int score() const { return m_score; }
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }

    bool isCorrect(int row, int column) const { return m_correct[flat(row, column)] != 0; }
    // The question digit alone when the answer is correct, otherwise the question over the answer.
    const QString& displayText(int row, int column) const { return m_texts[flat(row, column)]; }

    static QString explanationText();

private:
    std::size_t flat(int row, int column) const
    {
        return std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1);
    }

    int m_rows = 0;
    int m_columns = 0;
    int m_score = 0;
    std::vector<unsigned char> m_correct;
    std::vector<QString> m_texts;
};
