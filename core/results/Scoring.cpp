#include "results/Scoring.h"

Scoring::Scoring(const CellTextSource& questions, const CellTextSource& answers)
    : m_rows(questions.rowCount()), m_columns(questions.columnCount())
{
    const std::size_t cells = std::size_t(m_rows) * std::size_t(m_columns);
    m_correct.reserve(cells);
    m_texts.reserve(cells);

    const int answerRows = answers.rowCount();
    const int answerColumns = answers.columnCount();
    // Set at the first wrong or empty answer and never cleared for the rest of the walk.
    bool mismatchSeen = false;
    for (int row = 1; row <= m_rows; ++row) {
        for (int column = 1; column <= m_columns; ++column) {
            const QString question = questions.cellText(row, column);
            const QString answer =
                row <= answerRows && column <= answerColumns ? answers.cellText(row, column) : QString();
            // Exact text comparison: an empty answer never equals a question digit.
            const bool correct = answer == question;
            if (correct) {
                if (!mismatchSeen)
                    ++m_score;
                m_texts.push_back(question);
            } else {
                mismatchSeen = true;
                m_texts.push_back(question % u"\r\n" % answer);
            }
            m_correct.push_back(correct ? 1 : 0);
        }
    }
}

QString Scoring::explanationText()
{
    return QStringLiteral("Question is written at the top of the each cell and your answer at the bottom.");
}
