#include "results/ScoreTable.h"

#include "base/ClockText.h"

ScoreTable::ScoreTable(int score, float maxSeconds, float usedSeconds)
{
    m_texts[0][0] = QStringLiteral("SCORE");
    m_texts[1][0] = scoreText(score);
    // Caption and separator are two texts joined, hence the two blanks before the colon.
    m_texts[0][1] = QStringLiteral("Maximum Time ") + QStringLiteral(" : ");
    m_texts[0][2] = clockText(maxSeconds);
    m_texts[1][1] = QStringLiteral("Used Time ") + QStringLiteral(" : ");
    m_texts[1][2] = clockText(usedSeconds);
}

QString ScoreTable::scoreText(int score)
{
    return QString::number(score);
}
