#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"

#include "CapturedWarnings.h"
#include "ChromeTestSupport.h"
#include "FakeClock.h"
#include "base/Clock.h"
#include "buttons/SkinButton.h"
#include "digits/SpecialNumbers.h"
#include "frmSpecialNumber_Fin/ResultsGrid.h"
#include "frmSpecialNumber_Fin/ResultsModel.h"
#include "frmSpecialNumber_Fin/ScoreGridModel.h"
#include "journal/SheetTexts.h"
#include "results/ScoreTable.h"
#include "results/Scoring.h"
#include "skin/Fonts.h"
#include "skin/Skin.h"
#include "stage/AnswerSheet.h"
#include "stage/AttemptOutcome.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <random>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {
const QColor Green(160, 221, 140);
const QColor Red(255, 89, 89);

QString digitsOfLength(int length)
{
    std::mt19937 random(31415);
    QString digits;
    for (int i = 0; i < length; ++i)
        digits.append(QChar(u'0' + char16_t(random() % 10)));
    return digits;
}

QString otherDigit(const QString& digit)
{
    return QString(QChar(u'0' + (digit.at(0).unicode() - u'0' + 1) % 10));
}

// The answer for a cell, given its question digit and its 1-based digit index.
using AnswerRule = std::function<QString(int digitIndex, const QString& question)>;

QString allCorrect(int, const QString& question)
{
    return question;
}

class ResultsScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_owner = std::make_unique<QWidget>();
        m_owner->resize(1280, 800);
    }
    void TearDown() override
    {
        m_owner.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The outcome of an attempt on the whole rows of `length` digits with `answer` in every cell, as the
    // attempt hands it over; without times when `usedSeconds` is none.
    void makeAttempt(int length, int digitsPerRow, const AnswerRule& answer, std::optional<float> usedSeconds = 754.37f)
    {
        const QString digits = digitsOfLength(length);
        m_outcome = AttemptOutcome{};
        m_outcome.caption = QStringLiteral("pi");
        m_outcome.rows = length / digitsPerRow;
        m_outcome.digitsPerRow = digitsPerRow;
        for (int index = 1; index <= m_outcome.rows * digitsPerRow; ++index) {
            m_outcome.questions.push_back(digits.mid(index - 1, 1));
            m_outcome.answers.push_back(answer(index, m_outcome.questions.back()));
        }
        if (usedSeconds) {
            m_outcome.usedSeconds = usedSeconds;
            m_outcome.maxSeconds = 28800.0f;
        }
        m_outcome.score = scoring().score();
    }

    Scoring scoring() const
    {
        return Scoring(SheetTexts(m_outcome.questions, m_outcome.rows, m_outcome.digitsPerRow),
                       SheetTexts(m_outcome.answers, m_outcome.rows, m_outcome.digitsPerRow));
    }
    QString question(int row, int column) const
    {
        return m_outcome.questions[std::size_t((row - 1) * m_outcome.digitsPerRow + column - 1)];
    }

    frmSpecialNumber_Fin& open(QSize client = QSize(1280, 775))
    {
        m_screen = new frmSpecialNumber_Fin(m_owner.get(), m_outcome, [this] { ++m_returns; });
        m_screen->resize(client);
        m_screen->show();
        return *m_screen;
    }

    template <typename T> T& control(const char* name)
    {
        T* found = m_screen->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    ResultsGrid& questions() { return control<ResultsGrid>("gTumSorular"); }
    QTableView& scoreGrid() { return control<QTableView>("gScore"); }
    QString scoreText(int row, int column) { return scoreGrid().model()->index(row, column).data().toString(); }
    QString cellText(int row, int column) { return questions().model()->index(row - 1, column - 1).data().toString(); }
    QColor cellColour(int row, int column)
    {
        return questions().model()->index(row - 1, column - 1).data(Qt::BackgroundRole).value<QColor>();
    }
    // A cell's rectangle in the window's coordinates.
    QRect cellRect(int row, int column)
    {
        ResultsGrid& grid = questions();
        const QRect inView = grid.visualRect(grid.model()->index(row - 1, column - 1));
        return QRect(grid.viewport()->mapTo(m_screen, inView.topLeft()), inView.size());
    }

    std::unique_ptr<QWidget> m_owner;
    AttemptOutcome m_outcome;
    QPointer<frmSpecialNumber_Fin> m_screen;
    int m_returns = 0;
};

TEST_F(ResultsScreenTest, window_isFramelessOwnedBySettingsWindowAndDeletesOnClose)
{
    makeAttempt(300, 30, allCorrect);
    frmSpecialNumber_Fin& screen = open();
    EXPECT_EQ(screen.objectName(), QStringLiteral("frmSpecialNumber_Fin"));
    EXPECT_EQ(screen.parentWidget(), m_owner.get());
    EXPECT_TRUE(screen.isWindow());
    EXPECT_TRUE(screen.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(screen.testAttribute(Qt::WA_DeleteOnClose));
    for (const char* name : {"gScore", "gTumSorular", "gAciklama", "btnFinish"})
        EXPECT_NE(screen.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(control<SkinButton>("btnFinish").caption(), QStringLiteral("FINISH"));
    EXPECT_EQ(control<QTableView>("gAciklama").model()->index(0, 0).data().toString(),
              QStringLiteral("Question is written at the top of the each cell and your answer at the bottom."));
}

struct TimeCase
{
    float usedSeconds;
    const char* usedText;
};

class ResultsScreenTimeTest : public ResultsScreenTest, public ::testing::WithParamInterface<TimeCase>
{
};

TEST_P(ResultsScreenTimeTest, scoreTable_showsScoreCaptionsAndClockTexts)
{
    makeAttempt(300, 30, allCorrect, GetParam().usedSeconds);
    open();
    EXPECT_EQ(scoreText(0, 0), QStringLiteral("SCORE"));
    EXPECT_EQ(scoreText(1, 0), QStringLiteral("300"));
    EXPECT_EQ(scoreText(0, 1), QStringLiteral("Maximum Time  : "));
    EXPECT_EQ(scoreText(0, 2), QStringLiteral("8:00:00"));
    EXPECT_EQ(scoreText(1, 1), QStringLiteral("Used Time  : "));
    EXPECT_EQ(scoreText(1, 2), QString::fromLatin1(GetParam().usedText));
}

INSTANTIATE_TEST_SUITE_P(Times, ResultsScreenTimeTest,
                         ::testing::Values(TimeCase{754.37f, "0:12:34"}, TimeCase{28800.0f, "8:00:00"},
                                           TimeCase{0.4f, "0:00:00"}));

TEST_F(ResultsScreenTest, scoreTable_fontsColoursAlignmentsAndSizes)
{
    makeAttempt(300, 30, allCorrect);
    open();
    QAbstractItemModel& model = *scoreGrid().model();
    const auto font = [&](int row, int column) { return model.index(row, column).data(Qt::FontRole).value<QFont>(); };
    EXPECT_DOUBLE_EQ(font(0, 0).pointSizeF(), 30.0);
    EXPECT_DOUBLE_EQ(font(1, 0).pointSizeF(), 36.0);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(model.index(row, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        for (int column = 1; column < 3; ++column) {
            EXPECT_DOUBLE_EQ(font(row, column).pointSizeF(), 15.0);
            EXPECT_FALSE(model.index(row, column).data(Qt::ForegroundRole).isValid());
        }
        for (int column = 0; column < 3; ++column)
            EXPECT_TRUE(font(row, column).bold());
        const auto alignment = [&](int column) {
            return model.index(row, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        };
        EXPECT_EQ(alignment(0), Qt::Alignment(Qt::AlignCenter));
        EXPECT_EQ(alignment(1), Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_EQ(alignment(2), Qt::Alignment(Qt::AlignCenter));
    }
    QTableView& grid = scoreGrid();
    EXPECT_EQ(grid.columnWidth(0), 255);
    EXPECT_EQ(grid.columnWidth(1), 275);
    EXPECT_EQ(grid.columnWidth(2), 170);
    EXPECT_EQ(grid.rowHeight(0), 42);
    EXPECT_EQ(grid.rowHeight(1), 53);
}

TEST_F(ResultsScreenTest, recordWithoutTimes_leavesClockCellsBlank)
{
    makeAttempt(
        300, 30, [](int, const QString&) { return QString(); }, std::nullopt);
    open();
    EXPECT_EQ(scoreText(0, 2), QString());
    EXPECT_EQ(scoreText(1, 2), QString());
    EXPECT_EQ(scoreText(1, 0), QStringLiteral("0"));
}

TEST_F(ResultsScreenTest, cells_correctGreenWithQuestion_wrongRedWithQuestionOverAnswer)
{
    // Digit 5 wrong, digit 7 left empty, the rest correct.
    makeAttempt(300, 30, [](int index, const QString& question) {
        if (index == 5)
            return otherDigit(question);
        return index == 7 ? QString() : question;
    });
    open();
    const QString q5 = question(1, 5);
    EXPECT_EQ(cellText(1, 5), q5 + QStringLiteral("\r\n") + otherDigit(q5));
    EXPECT_EQ(cellColour(1, 5), Red);
    EXPECT_EQ(cellText(1, 7), question(1, 7) + QStringLiteral("\r\n"));
    EXPECT_EQ(cellColour(1, 7), Red);
    for (const auto& [row, column] : {std::pair{1, 1}, {1, 4}, {1, 6}, {10, 30}}) {
        EXPECT_EQ(cellText(row, column), question(row, column));
        EXPECT_EQ(cellColour(row, column), Green);
    }
    EXPECT_EQ(m_screen->score(), 4);
}

struct ScoreCase
{
    const char* name;
    int length;
    int digitsPerRow;
    int firstMiss; // 0: no wrong or empty cell
    bool missIsEmpty;
    int expectedScore;
};

class ResultsScreenScoreTest : public ResultsScreenTest, public ::testing::WithParamInterface<ScoreCase>
{
};

TEST_P(ResultsScreenScoreTest, score_countsLeadingCorrectDigits)
{
    const ScoreCase& c = GetParam();
    makeAttempt(c.length, c.digitsPerRow, [&c](int index, const QString& question) {
        if (index != c.firstMiss)
            return question;
        return c.missIsEmpty ? QString() : otherDigit(question);
    });
    open();
    EXPECT_EQ(m_screen->score(), c.expectedScore);
    EXPECT_EQ(scoreText(1, 0), QString::number(c.expectedScore));
    EXPECT_EQ(questions().model()->rowCount(), c.length / c.digitsPerRow);
    EXPECT_EQ(questions().model()->columnCount(), c.digitsPerRow);
    // A correct cell after the miss is still shown as correct.
    const int next = c.firstMiss + 1;
    if (c.firstMiss > 0 && next <= c.length / c.digitsPerRow * c.digitsPerRow) {
        EXPECT_EQ(cellColour((next - 1) / c.digitsPerRow + 1, (next - 1) % c.digitsPerRow + 1), Green);
    }
}

INSTANTIATE_TEST_SUITE_P(Attempts, ResultsScreenScoreTest,
                         ::testing::Values(ScoreCase{"allCorrect30", 10000, 30, 0, false, 9990},
                                           ScoreCase{"allCorrect40", 10000, 40, 0, false, 10000},
                                           ScoreCase{"firstCellEmpty", 300, 30, 1, true, 0},
                                           ScoreCase{"digit58Wrong", 600, 36, 58, false, 57},
                                           ScoreCase{"lastCellEmpty", 300, 30, 300, true, 299}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsScreenTest, questionTable_headersAndRowSizes)
{
    makeAttempt(1200, 40, allCorrect);
    open();
    ResultsGrid& grid = questions();
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("1"));
    EXPECT_EQ(grid.model()->headerData(39, Qt::Horizontal).toString(), QStringLiteral("40"));
    EXPECT_EQ(grid.model()->headerData(29, Qt::Vertical).toString(), QStringLiteral("30"));
    EXPECT_EQ(grid.horizontalHeader()->height(), 36);
    EXPECT_EQ(grid.verticalHeader()->width(), 50);
    EXPECT_EQ(grid.rowHeight(0), 52);
    EXPECT_EQ(grid.rowHeight(29), 52);
    EXPECT_EQ(grid.font().family(), tahomaFamily());
    EXPECT_DOUBLE_EQ(grid.font().pointSizeF(), 11.25);
    EXPECT_TRUE(grid.font().bold());
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(grid.verticalScrollBar()->width(), 17);
}

TEST_F(ResultsScreenTest, layout_workedExamples)
{
    const struct
    {
        int digitsPerRow;
        int columnUnits;
        double tableLeft;
        double tableWidth;
        QRect grid;
    } examples[] = {
        {30, 559, 47.5, 1185.0, QRect(48, 168, 1185, 556)},
        {40, 430, 33.165, 1213.67, QRect(33, 168, 1214, 556)},
    };
    for (const auto& example : examples) {
        SCOPED_TRACE(example.digitsPerRow);
        makeAttempt(example.digitsPerRow * 100, example.digitsPerRow, allCorrect);
        frmSpecialNumber_Fin& screen = open();
        EXPECT_EQ(scoreGrid().geometry(), QRect(290, 50, 700, 100));
        EXPECT_EQ(control<SkinButton>("btnFinish").geometry(), QRect(1050, 75, 150, 50));
        const ResultsLayout& layout = screen.resultsLayout();
        EXPECT_EQ(layout.columnUnits, example.columnUnits);
        EXPECT_NEAR(layout.questionTable.left(), example.tableLeft, 0.005);
        EXPECT_DOUBLE_EQ(layout.questionTable.top(), 168.0);
        EXPECT_NEAR(layout.questionTable.width(), example.tableWidth, 0.005);
        EXPECT_DOUBLE_EQ(layout.questionTable.height(), 775.0 - 219.0);
        // Placed on whole pixels, halves to even; the columns fill the view up to the scroll bar.
        ResultsGrid& grid = questions();
        EXPECT_EQ(grid.geometry(), example.grid);
        EXPECT_EQ(grid.columnWidthUnits(1), example.columnUnits);
        EXPECT_EQ(grid.columnWidthUnits(0), 750);
        EXPECT_EQ(grid.verticalHeader()->width() + grid.horizontalHeader()->length() + 17, example.grid.width());
        EXPECT_EQ(grid.viewport()->width(), grid.horizontalHeader()->length());
        EXPECT_EQ(control<QTableView>("gAciklama").geometry(), QRect(25, 735, 1230, 20));
        screen.close();
    }
}

TEST_F(ResultsScreenTest, resize_recomputesColumnWidthsFromScratch)
{
    makeAttempt(3000, 30, allCorrect);
    frmSpecialNumber_Fin& screen = open();
    screen.resize(1024, 700);
    // 958 wide: 445.5 units round to 446, one pixel too wide in all, so 431.
    EXPECT_EQ(screen.resultsLayout().columnUnits, 431);
    EXPECT_EQ(questions().geometry(), QRect(48, 168, 929, 481));
    EXPECT_EQ(scoreGrid().geometry(), QRect(162, 50, 700, 100));
    EXPECT_EQ(control<QTableView>("gAciklama").geometry(), QRect(25, 660, 974, 20));
    screen.resize(1280, 775);
    EXPECT_EQ(screen.resultsLayout().columnUnits, 559);
    EXPECT_EQ(questions().geometry(), QRect(48, 168, 1185, 556));
}

TEST_F(ResultsScreenTest, resize_repaintsFrameForTheNewSize)
{
    makeAttempt(300, 30, allCorrect);
    frmSpecialNumber_Fin& screen = open();
    screen.resize(1024, 700);
    const QImage image = screen.grab().toImage();
    const QImage& skin = skinImage();
    // The bottom-right frame corner and the table's left border follow the new size.
    for (const QPoint inCorner : {QPoint(30, 28), QPoint(36, 36)})
        EXPECT_EQ(image.pixel(QPoint(1024 - 40, 700 - 40) + inCorner) & 0xFFFFFF,
                  skin.pixel(QPoint(1240, 760) + inCorner) & 0xFFFFFF);
    const QRect table = questions().geometry();
    EXPECT_EQ(image.pixel(table.left() - 4, table.top() + 20) & 0xFFFFFF, skin.pixel(544, 303) & 0xFFFFFF);
}

TEST_F(ResultsScreenTest, finishClick_runsReturnOnceAndClosesWindow)
{
    makeAttempt(300, 30, allCorrect);
    open();
    SkinButton& finish = control<SkinButton>("btnFinish");
    sendMouse(finish, QEvent::MouseMove, QPointF(40, 20));
    sendMouse(finish, QEvent::MouseButtonPress, QPointF(40, 20), Qt::LeftButton, Qt::LeftButton);
    sendMouse(finish, QEvent::MouseButtonRelease, QPointF(40, 20), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(m_returns, 1);
    ASSERT_FALSE(m_screen.isNull());
    EXPECT_FALSE(m_screen->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_screen.isNull());
}

TEST_F(ResultsScreenTest, releaseWithoutHotButton_doesNotReturn)
{
    makeAttempt(300, 30, allCorrect);
    open();
    SkinButton& finish = control<SkinButton>("btnFinish");
    sendMouse(finish, QEvent::MouseButtonRelease, QPointF(40, 20), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(m_returns, 0);
    EXPECT_TRUE(m_screen->isVisible());
}

TEST_F(ResultsScreenTest, painted_cellColoursTwoLineTextAndRedScore)
{
    makeAttempt(300, 30, [](int index, const QString& question) {
        if (index == 2)
            return otherDigit(question);
        return index == 3 ? QString() : question;
    });
    frmSpecialNumber_Fin& screen = open();
    const QImage image = screen.grab().toImage();
    const auto colourAt = [&](QPoint p) { return QColor(image.pixel(p)); };
    const auto darkPixelsIn = [&](const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
        return count;
    };

    const QRect correct = cellRect(1, 1);
    const QRect wrong = cellRect(1, 2);
    const QRect empty = cellRect(1, 3);
    EXPECT_EQ(colourAt(correct.topLeft() + QPoint(2, 2)), Green);
    EXPECT_EQ(colourAt(wrong.topLeft() + QPoint(2, 2)), Red);
    // The question on the upper line, the answer (if any) on the lower one.
    const auto upper = [](const QRect& cell) {
        return QRect(cell.left(), cell.top(), cell.width(), cell.height() / 2);
    };
    const auto lower = [](const QRect& cell) {
        return QRect(cell.left(), cell.top() + cell.height() / 2, cell.width(), cell.height() / 2);
    };
    EXPECT_GT(darkPixelsIn(upper(wrong)), 10);
    EXPECT_GT(darkPixelsIn(lower(wrong)), 10);
    EXPECT_GT(darkPixelsIn(upper(empty)), 10);
    EXPECT_EQ(darkPixelsIn(lower(empty).adjusted(0, 4, 0, -1)), 0);

    // The score "1" is painted in red.
    const QRect scoreCell(scoreGrid().geometry().topLeft() + QPoint(0, 42), QSize(255, 53));
    int redPixels = 0;
    for (int y = scoreCell.top(); y <= scoreCell.bottom(); ++y)
        for (int x = scoreCell.left(); x <= scoreCell.right(); ++x) {
            const QColor c(image.pixel(x, y));
            redPixels += c.red() > 200 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
        }
    EXPECT_GT(redPixels, 30);
}

TEST_F(ResultsScreenTest, controlFrames_surroundBothTables)
{
    makeAttempt(300, 30, allCorrect);
    frmSpecialNumber_Fin& screen = open();
    const QImage image = screen.grab().toImage();
    const QImage& skin = skinImage();
    for (const QRect& control : {questions().geometry(), scoreGrid().geometry()}) {
        // Top and bottom bands, away from the corners.
        for (int band = 0; band < 4; ++band) {
            EXPECT_EQ(image.pixel(control.left() + 20, control.top() - 4 + band) & 0xFFFFFF,
                      skin.pixel(562, 282 + band) & 0xFFFFFF);
            EXPECT_EQ(image.pixel(control.left() + 20, control.top() + control.height() + band) & 0xFFFFFF,
                      skin.pixel(562, 365 + band) & 0xFFFFFF);
        }
    }
}

TEST_F(ResultsScreenTest, reportThatCouldNotBeWritten_isSaidInTheExplanationStripOnly)
{
    makeAttempt(300, 30, allCorrect);
    frmSpecialNumber_Fin& screen = open();
    const QRect explanation = control<QTableView>("gAciklama").geometry();
    const QRect score = scoreGrid().geometry();
    screen.showReportOutcome(true, QString());
    EXPECT_EQ(screen.findChild<QLabel*>(QStringLiteral("reportNotice")), nullptr) << "nothing to say";

    screen.showReportOutcome(false, QStringLiteral("No space left on device"));
    auto* notice = screen.findChild<QLabel*>(QStringLiteral("reportNotice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("The report could not be written: ")));
    EXPECT_EQ(notice->toolTip(), QStringLiteral("No space left on device"));
    EXPECT_TRUE(explanation.contains(notice->geometry()));
    EXPECT_EQ(control<QTableView>("gAciklama").geometry(), explanation);
    EXPECT_EQ(scoreGrid().geometry(), score);
}

TEST_F(ResultsScreenTest, models_passModelTester)
{
    makeAttempt(300, 30, [](int index, const QString& question) { return index % 4 ? question : QString(); });
    CapturedWarnings warnings;
    {
        const Scoring scoring = this->scoring();
        ResultsModel results(scoring);
        QAbstractItemModelTester resultsTester(&results, QAbstractItemModelTester::FailureReportingMode::Warning);
        // The screen blanks the times the record cannot give once the model exists.
        ScoreGridModel score(ScoreTable(scoring.score(), 28800.0f, 754.37f));
        QAbstractItemModelTester scoreTester(&score, QAbstractItemModelTester::FailureReportingMode::Warning);
        score.clearText(0, 2);
        score.clearText(1, 2);
        EXPECT_EQ(results.flags(results.index(0, 0)) & Qt::ItemIsEditable, Qt::NoItemFlags);
    }
    EXPECT_TRUE(warnings.isEmpty()) << warnings.text();
}
} // namespace
