// The training window as `korvalin --train` opens it: on a real store in a temporary data folder or on
// the fake, with real key events on the answer grid and a fake clock.
#include "ChromeTestSupport.h"
#include "FakeTrainingStore.h"
#include "SqliteTrainingStore.h"
#include "boxes/ScriptedDialog.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmTraining/DrillView.h"
#include "frmTraining/LearnView.h"
#include "frmTraining/RecitalView.h"
#include "frmTraining/RehearseView.h"
#include "frmTraining/ReviewView.h"
#include "frmTraining/TrainingGrid.h"
#include "frmTraining/TrainingSummaryPanel.h"
#include "frmTraining/frmTraining.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TrainingWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void TearDown() override
    {
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ScriptedDialog::scriptedStepsLeft(), 0);
        ScriptedDialog::clearScript();
    }

    // The window on `store`, shown and active, as main() makes it.
    void openWindow(const TrainingStart& start, TrainingStore& store, const StoreOpening& opening = {true, {}, {}})
    {
        m_window = std::make_unique<frmTraining>(start, store, opening, m_clock);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    LearnView& learnView() const { return viewOf<LearnView>(); }

    template <class View> View& viewOf() const
    {
        auto* view = qobject_cast<View*>(m_window->view());
        EXPECT_NE(view, nullptr) << "the window shows " << m_window->view()->objectName().toStdString();
        return *view;
    }

    // A mode's button on the summary, for the number in the summary's line `number`.
    void openFromSummary(TrainingNumber number, TrainingActivity activity)
    {
        auto* summary = qobject_cast<TrainingSummaryPanel*>(m_window->view());
        ASSERT_NE(summary, nullptr);
        auto* table = summary->findChild<QTableWidget*>(QStringLiteral("summaryTable"));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(int(number), 1)).center());
        click(*summary->findChild<SkinButton*>(QStringLiteral("btn") + activityName(activity)));
    }

    // A day later on the competitor's calendar, at the same time of day.
    void nextDays(int days) { m_clock.advanceMs(qint64(days) * 24 * 3600 * 1000); }

    // Keys as typed: each goes to whatever has the focus then, a second of the fake clock apart.
    void type(const QString& keys)
    {
        for (const QChar key : keys) {
            m_clock.advanceMs(1000);
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
        }
    }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    static QString digitsOf(const TrainingItem& block)
    {
        return numberDigits(block.number).mid(block.firstPosition - 1, block.digitCount());
    }

    QString label(const char* name) const
    {
        const auto* found = m_window->findChild<QLabel*>(QString::fromLatin1(name));
        return found ? found->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }

    static void click(SkinButton& button)
    {
        const QPointF centre(button.width() / 2.0, button.height() / 2.0);
        sendMouse(button, QEvent::MouseMove, centre);
        sendMouse(button, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        sendMouse(button, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        // The views go back and open from the event loop.
        QCoreApplication::processEvents();
    }

    // A real store in a folder of its own, open.
    SqliteTrainingStore& sqliteStore(const QString& folder)
    {
        m_sqlite = std::make_unique<SqliteTrainingStore>(folder);
        m_opening = m_sqlite->open();
        return *m_sqlite;
    }

    QTemporaryDir m_dir;
    FakeTrainingClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC)};
    // The stores outlive the window, as in main().
    FakeTrainingStore m_store;
    std::unique_ptr<SqliteTrainingStore> m_sqlite;
    StoreOpening m_opening;
    std::unique_ptr<frmTraining> m_window;
};

// pi's last block has 67 digits: a short block in the real number.
const TrainingItem LastPiBlock = *itemForId(u"pi/block/328");

} // namespace

TEST_F(TrainingWindowTest, learnThroughTheGrid_everyKeystrokeReachesTheStoreAndTheBlockIsScheduled)
{
    SqliteTrainingStore& store = sqliteStore(m_dir.path());
    ASSERT_TRUE(m_opening.opened);
    openWindow({TrainingActivity::Learn, TrainingNumber::Pi, 32701}, store);
    LearnView& view = learnView();
    AnswerGrid& grid = view.grid();
    ASSERT_EQ(QApplication::focusWidget(), &grid);
    EXPECT_EQ(grid.dataRowCount(), 7);
    EXPECT_EQ(grid.dataColumnCount(), 10);
    EXPECT_EQ(grid.answers().sheet().cellText(1, 1), digitsOf(LastPiBlock).left(1)) << "the digits are shown to learn";
    EXPECT_EQ(label("learnBlock"), QStringLiteral("Pi, block 328: digits 32701 to 32767"));

    press(Qt::Key_Return);
    EXPECT_EQ(view.session().phase(), LearnSession::Phase::Recalling);
    EXPECT_EQ(grid.answers().sheet().cellText(1, 1), QString()) << "Enter hides the digits";
    EXPECT_TRUE(grid.answers().isHighlighted(1, 5)) << "the current group of five is highlighted";

    type(digitsOf(LastPiBlock));
    EXPECT_EQ(view.session().phase(), LearnSession::Phase::Learned);
    EXPECT_TRUE(label("learnOutcome").startsWith(QStringLiteral("Learned without an error")))
        << label("learnOutcome").toStdString();

    const std::vector<StoredKeystroke> keystrokes = store.keystrokes(1);
    ASSERT_EQ(keystrokes.size(), 67u);
    for (std::size_t i = 0; i < keystrokes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(keystrokes[i].seq, int(i) + 1);
        EXPECT_EQ(keystrokes[i].position, 32701 + int(i));
        EXPECT_EQ(keystrokes[i].typed, keystrokes[i].expected);
        EXPECT_EQ(keystrokes[i].expected, digitsOf(LastPiBlock)[qsizetype(i)].digitValue());
    }
    EXPECT_EQ(keystrokes.back().ms, 67'000);
    const std::vector<StoredItemState> states = store.itemStates();
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].itemId, QStringLiteral("pi/block/328"));
    EXPECT_EQ(states[0].reps, 1);
    EXPECT_EQ(trainingDay(states[0].dueUtc), trainingDay(m_clock.nowUtc()) + 2);
    ASSERT_EQ(store.reviews().size(), 1u);
    EXPECT_EQ(store.reviews()[0].rating, 3);

    // Back on the summary, the block counts as learned; the session's end is written.
    click(*view.findChild<SkinButton*>(QStringLiteral("btnBack")));
    auto* summary = qobject_cast<TrainingSummaryPanel*>(m_window->view());
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->cellText(TrainingNumber::Pi, 1), QStringLiteral("1 of 328"));
    EXPECT_EQ(summary->chosenNumber(), TrainingNumber::Pi);
    const std::vector<StoredSession> sessions = store.sessionSummaries();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].mode, TrainingMode::Learn);
    EXPECT_EQ(sessions[0].typed, 67);
    EXPECT_EQ(sessions[0].correct, 67);
}

TEST_F(TrainingWindowTest, blockOfAHundred_endsItsRecallWithItsLastDigitWithoutEnter)
{
    openWindow({TrainingActivity::Learn, TrainingNumber::Sqrt2, {}}, m_store);
    LearnView& view = learnView();
    press(Qt::Key_Return);
    type(digitsOf(*itemForId(u"sqrt2/block/1")));
    // The grid's last cell keeps its editor open until Enter on the record stage.
    EXPECT_EQ(view.session().phase(), LearnSession::Phase::Learned);
    EXPECT_FALSE(view.grid().isEditing());
    EXPECT_EQ(m_store.keystrokes(1).size(), 100u);
    ASSERT_EQ(m_store.reviews().size(), 1u);
    EXPECT_EQ(m_store.reviews()[0].itemId, QStringLiteral("sqrt2/block/1"));

    press(Qt::Key_Return);
    EXPECT_EQ(view.session().block()->id(), QStringLiteral("sqrt2/block/2"));
    EXPECT_EQ(view.grid().answers().sheet().cellText(10, 10), digitsOf(*itemForId(u"sqrt2/block/2")).right(1));
}

TEST_F(TrainingWindowTest, wrongDigitAndHint_areMarkedOnTheGridAndNothingIsScheduled)
{
    FakeTrainingStore& store = m_store;
    store.saveNote({QStringLiteral("pi/block/1"), QStringLiteral("a lighthouse on the stairs")});
    openWindow({TrainingActivity::Learn, TrainingNumber::Pi, {}}, store);
    LearnView& view = learnView();
    AnswerGridModel& answers = view.grid().answers();

    press(Qt::Key_Return);
    type(QStringLiteral("1415"));
    type(QStringLiteral("3")); // the fifth digit is 9
    EXPECT_EQ(view.session().phase(), LearnSession::Phase::Failed);
    EXPECT_EQ(answers.sheet().cellText(1, 5), QStringLiteral("9"));
    EXPECT_EQ(answers.floodPercent(1, 5), 100.0);
    EXPECT_EQ(label("learnOutcome"),
              QStringLiteral("Digit 5: you typed 3; it is 9.\nYour note: a lighthouse on the stairs"));
    type(QStringLiteral("2")); // taken in by nothing
    EXPECT_EQ(store.keystrokes(1).size(), 5u);

    press(Qt::Key_Return); // the block again
    EXPECT_EQ(view.session().phase(), LearnSession::Phase::Showing);
    EXPECT_EQ(answers.floodPercent(1, 5), 0.0);
    press(Qt::Key_Return);
    type(QStringLiteral("14"));
    press(LearnView::HintKey);
    EXPECT_EQ(view.session().phase(), LearnSession::Phase::Failed);
    EXPECT_EQ(answers.sheet().cellText(1, 3), QStringLiteral("1"));
    EXPECT_EQ(answers.floodPercent(1, 3), 100.0);
    EXPECT_TRUE(label("learnOutcome").startsWith(QStringLiteral("Digit 3 is 1 (hint).")))
        << label("learnOutcome").toStdString();
    EXPECT_EQ(store.keystrokes(1).size(), 7u);
    EXPECT_TRUE(store.itemStates().empty());
    EXPECT_TRUE(store.reviews().empty());
}

TEST_F(TrainingWindowTest, noteTypedWhileLearning_isKept)
{
    FakeTrainingStore& store = m_store;
    openWindow({TrainingActivity::Learn, TrainingNumber::E, {}}, store);
    auto* note = learnView().findChild<QLineEdit*>(QStringLiteral("learnNote"));
    ASSERT_NE(note, nullptr);
    note->setFocus();
    QTest::keyClicks(note, QStringLiteral("two sevens, Tolstoy"));
    QTest::keyClick(note, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), &learnView().grid()) << "Enter in the note gives the keys back to the grid";
    EXPECT_EQ(store.notes(),
              (std::vector<StoredNote>{{QStringLiteral("e/block/1"), QStringLiteral("two sevens, Tolstoy")}}));
}

TEST_F(TrainingWindowTest, rehearse_listsTheNumbersPastRehearsalsLatestFirst)
{
    const QDateTime day = m_clock.nowUtc();
    const auto rehearse = [this](TrainingMode mode, TrainingNumber number, const QDateTime& started, int digits) {
        const qint64 session = m_store.startSession(mode, number, 1, started);
        for (int seq = 1; seq <= digits; ++seq)
            m_store.addKeystroke({session, seq, seq, 1, seq == digits ? 2 : 1, seq * 1000});
        m_store.finishSession(session, 3'725.0);
    };
    rehearse(TrainingMode::Rehearse, TrainingNumber::Pi, day.addDays(-3), 40);
    rehearse(TrainingMode::Rehearse, TrainingNumber::Pi, day.addDays(-1), 60);
    rehearse(TrainingMode::Rehearse, TrainingNumber::E, day.addDays(-2), 70);
    rehearse(TrainingMode::Recite, TrainingNumber::Pi, day.addDays(-2), 80);
    openWindow({TrainingActivity::Rehearse, TrainingNumber::Pi, {}}, m_store);
    auto* view = qobject_cast<RehearseView*>(m_window->view());
    ASSERT_NE(view, nullptr);
    const QStringList lines = view->pastText().split(u'\n');
    ASSERT_EQ(lines.size(), 3) << view->pastText().toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("60 digits, 59 right"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("1:02:05"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral("40 digits, 39 right"))) << lines[2].toStdString();
    // Without the program's launcher, as here, it cannot start one and says so.
    EXPECT_FALSE(view->findChild<SkinButton*>(QStringLiteral("btnRehearse"))->isEnabled());
    EXPECT_TRUE(label("rehearseUnavailable").contains(QStringLiteral("cannot be started")));
    click(*view->findChild<SkinButton*>(QStringLiteral("btnBack")));
    EXPECT_NE(qobject_cast<TrainingSummaryPanel*>(m_window->view()), nullptr);
}

TEST_F(TrainingWindowTest, summary_showsEachNumbersHistoryAndItsButtonsOpenTheMode)
{
    FakeTrainingStore& store = m_store;
    const int today = trainingDay(m_clock.nowUtc());
    for (const int block : {1, 2, 3}) {
        const TrainingItem item = *itemForId(QStringLiteral("e/block/%1").arg(block));
        store.saveItemState({item.id(), item.number, item.kind, item.firstPosition, item.lastPosition, 4.0, 5.0,
                             startOfTrainingDay(block == 3 ? today + 3 : today - 2 + block), 2, 0});
    }
    openWindow({}, store);
    auto* summary = qobject_cast<TrainingSummaryPanel*>(m_window->view());
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->cellText(TrainingNumber::E, 0), QStringLiteral("e"));
    EXPECT_EQ(summary->cellText(TrainingNumber::E, 1), QStringLiteral("3 of 100"));
    EXPECT_EQ(summary->cellText(TrainingNumber::E, 2), QStringLiteral("2"));
    // Two due blocks and two first junctions at the default second a digit, and block 4 at five.
    EXPECT_EQ(summary->cellText(TrainingNumber::E, 3), QStringLiteral("12"));
    EXPECT_EQ(summary->cellText(TrainingNumber::Pi, 1), QStringLiteral("0 of 328"));
    EXPECT_EQ(summary->cellText(TrainingNumber::Pi, 3), QStringLiteral("8"));

    auto* table = summary->findChild<QTableWidget*>(QStringLiteral("summaryTable"));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(table->model()->index(int(TrainingNumber::E), 1)).center());
    click(*summary->findChild<SkinButton*>(QStringLiteral("btnlearn")));
    EXPECT_EQ(learnView().session().block()->id(), QStringLiteral("e/block/4"));
}

TEST_F(TrainingWindowTest, storeThatDoesNotOpenOrWasSetAside_isToldAndTheWindowStillShows)
{
    const struct
    {
        const char* what;
        std::function<void(const QDir&)> prepare;
        const char* told;
        bool opened;
    } cases[] = {
        {"a folder where the file should be", [](const QDir& dir) { dir.mkdir(QStringLiteral("training.sqlite")); },
         "cannot be opened", false},
        {"a file that is not a database",
         [](const QDir& dir) {
             QFile file(dir.filePath(QStringLiteral("training.sqlite")));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(QByteArray(4096, 'x'));
         },
         "kept as", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        c.prepare(QDir(dir.path()));
        SqliteTrainingStore& store = sqliteStore(dir.path());
        EXPECT_EQ(m_opening.opened, c.opened);
        QString told;
        ScriptedDialog::scriptNext([&told](QDialog& box) {
            told = box.findChild<QLabel*>(QStringLiteral("messageText"))->text();
            box.accept();
        });
        openWindow({TrainingActivity::Learn, TrainingNumber::Sqrt2, {}}, store, m_opening);
        ASSERT_TRUE(QTest::qWaitFor([&told] { return !told.isEmpty(); }));
        EXPECT_TRUE(told.contains(QLatin1String(c.told))) << told.toStdString();
        EXPECT_TRUE(m_window->isVisible());
        EXPECT_EQ(learnView().session().block()->id(), QStringLiteral("sqrt2/block/1"));
        // Learning goes on; what a closed store is handed is dropped.
        press(Qt::Key_Return);
        type(QStringLiteral("4"));
        EXPECT_EQ(learnView().session().keystrokes(), 1);
        m_window.reset();
        m_sqlite.reset();
    }
}

namespace {
QString piDigits(int first, int count)
{
    return numberDigits(TrainingNumber::Pi).mid(first - 1, count);
}

// A digit other than the one at `position`.
QString wrongDigit(TrainingNumber number, int position)
{
    return QString(QChar(u'0' + (numberDigits(number)[position - 1].digitValue() + 3) % 10));
}
} // namespace

// Two blocks learned on day one; two days later their reviews and their junction come up in the queue,
// are recalled on the grid, graded and scheduled; then a recital from the summary ends at a wrong digit.
TEST_F(TrainingWindowTest, learnThenReviewThenRecite_throughTheWindowOnTheFakeClock)
{
    FakeTrainingStore& store = m_store;
    store.saveNote({QStringLiteral("pi/block/2"), QStringLiteral("a violin on the doorstep")});
    openWindow({TrainingActivity::Learn, TrainingNumber::Pi, {}}, store);
    for (const int block : {1, 2}) {
        press(Qt::Key_Return);
        type(piDigits((block - 1) * 100 + 1, 100));
        ASSERT_EQ(learnView().session().phase(), LearnSession::Phase::Learned) << block;
        press(Qt::Key_Return);
    }
    click(*learnView().findChild<SkinButton*>(QStringLiteral("btnBack")));
    ASSERT_EQ(store.reviews().size(), 2u);

    // Nothing is due the next day: both blocks' first reviews were Good, two days apart.
    nextDays(1);
    openFromSummary(TrainingNumber::Pi, TrainingActivity::Review);
    {
        ReviewView& review = viewOf<ReviewView>();
        EXPECT_EQ(review.session().tasks().size(), 1u) << "only the junction of the two blocks";
        click(*review.findChild<SkinButton*>(QStringLiteral("btnBack")));
    }

    nextDays(1);
    openFromSummary(TrainingNumber::Pi, TrainingActivity::Review);
    ReviewView& review = viewOf<ReviewView>();
    ASSERT_EQ(QApplication::focusWidget(), &review.grid().grid());
    // The queue: the two due blocks, the junction's first review, the next new block for Learn.
    auto* queue = review.findChild<QTableWidget*>(QStringLiteral("reviewQueue"));
    ASSERT_NE(queue, nullptr);
    ASSERT_EQ(queue->rowCount(), 4);
    EXPECT_EQ(queue->item(0, 0)->text(), QStringLiteral("Pi block 1"));
    EXPECT_EQ(queue->item(0, 2)->text(), QStringLiteral("due"));
    EXPECT_EQ(queue->item(1, 0)->text(), QStringLiteral("Pi block 2"));
    EXPECT_EQ(queue->item(2, 0)->text(), QStringLiteral("Pi junction 1"));
    EXPECT_EQ(queue->item(2, 1)->text(), QStringLiteral("101-105"));
    EXPECT_EQ(queue->item(2, 2)->text(), QStringLiteral("first review"));
    EXPECT_EQ(queue->item(3, 0)->text(), QStringLiteral("Pi block 3"));
    EXPECT_EQ(queue->item(3, 2)->text(), QStringLiteral("new: Learn"));
    EXPECT_EQ(queue->item(0, 3)->text(), QStringLiteral("1.7")) << "100 digits at a second a digit";
    EXPECT_TRUE(label("reviewQueueTitle")
                    .startsWith(QStringLiteral("Today's queue: 3 to review, about 3 min; 1 new "
                                               "block to learn")))
        << label("reviewQueueTitle").toStdString();
    EXPECT_EQ(queue->selectionModel()->selectedRows().value(0).row(), 0);

    // Block 1 whole and at the pace of its learning: Good.
    EXPECT_EQ(label("reviewItem"), QStringLiteral("Pi, block 1: type digits 1 to 100."));
    type(piDigits(1, 100));
    EXPECT_EQ(review.session().phase(), ReviewSession::Phase::Passed);
    EXPECT_TRUE(label("reviewOutcome").startsWith(QStringLiteral("Good, 1.00 s a digit. Next review in")))
        << label("reviewOutcome").toStdString();
    press(Qt::Key_Return);

    // Block 2 fails at its 13th digit: the cell is marked and holds the right digit, the note is shown.
    EXPECT_EQ(queue->selectionModel()->selectedRows().value(0).row(), 1);
    AnswerGridModel& answers = review.grid().grid().answers();
    type(piDigits(101, 12));
    type(wrongDigit(TrainingNumber::Pi, 113));
    EXPECT_EQ(review.session().phase(), ReviewSession::Phase::Failed);
    EXPECT_EQ(answers.sheet().cellText(2, 3), piDigits(113, 1));
    EXPECT_EQ(answers.floodPercent(2, 3), 100.0);
    EXPECT_TRUE(label("reviewOutcome")
                    .startsWith(QStringLiteral("Digit 113: you typed %1; it is %2. Next review in 1 day")
                                    .arg(wrongDigit(TrainingNumber::Pi, 113), piDigits(113, 1))))
        << label("reviewOutcome").toStdString();
    EXPECT_TRUE(label("reviewOutcome").endsWith(QStringLiteral("\nYour note: a violin on the doorstep")));
    type(piDigits(114, 1)); // taken in by nothing
    press(Qt::Key_Return);

    // The junction shows the end of block 1 and asks the start of block 2.
    EXPECT_EQ(label("reviewItem"), QStringLiteral("Pi, junction 1: after digits 96 to 100, type 101 to 105."));
    EXPECT_EQ(answers.sheet().cellText(1, 1), piDigits(96, 1));
    EXPECT_EQ(answers.sheet().cellText(1, 6), QString());
    type(piDigits(101, 5));
    EXPECT_EQ(review.session().phase(), ReviewSession::Phase::Passed);
    press(Qt::Key_Return);
    EXPECT_EQ(review.session().phase(), ReviewSession::Phase::Done);
    EXPECT_EQ(label("reviewItem"), QStringLiteral("Today's reviews are done: 3 reviewed, 1 failed."));
    // The queue keeps each item's grade.
    EXPECT_EQ(queue->item(0, 4)->text(), QStringLiteral("Good"));
    EXPECT_EQ(queue->item(1, 4)->text(), QStringLiteral("Again"));
    EXPECT_EQ(queue->item(3, 4)->text(), QString());

    // What the store keeps: each recall in a session of its own, the reviews, the items' new schedule.
    const int today = trainingDay(m_clock.nowUtc());
    const std::vector<StoredReview> reviews = store.reviews();
    ASSERT_EQ(reviews.size(), 5u);
    EXPECT_EQ(reviews[2].itemId, QStringLiteral("pi/block/1"));
    EXPECT_EQ(reviews[2].rating, 3);
    EXPECT_EQ(reviews[3].itemId, QStringLiteral("pi/block/2"));
    EXPECT_EQ(reviews[3].rating, 1);
    EXPECT_EQ(reviews[4].itemId, QStringLiteral("pi/junction/1"));
    std::map<QString, StoredItemState> states;
    for (const StoredItemState& state : store.itemStates())
        states.emplace(state.itemId, state);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[QStringLiteral("pi/block/1")].reps, 2);
    EXPECT_GT(trainingDay(states[QStringLiteral("pi/block/1")].dueUtc), today + 2);
    EXPECT_EQ(states[QStringLiteral("pi/block/2")].lapses, 1);
    EXPECT_EQ(trainingDay(states[QStringLiteral("pi/block/2")].dueUtc), today + 1);
    EXPECT_EQ(states[QStringLiteral("pi/junction/1")].reps, 1);
    const std::vector<StoredSession> sessions = store.sessionSummaries();
    ASSERT_EQ(sessions.size(), 4u);
    EXPECT_EQ(sessions[1].mode, TrainingMode::Review);
    EXPECT_EQ(sessions[1].typed, 100);
    EXPECT_EQ(sessions[1].seconds, 100.0);
    EXPECT_EQ(sessions[2].typed, 13);
    EXPECT_EQ(sessions[2].correct, 12);
    EXPECT_EQ(sessions[3].firstPosition, 101);
    EXPECT_EQ(reviews[3].sessionId, sessions[2].sessionId);

    // Back on the summary, the failed block is due tomorrow and today's queue holds only the new block.
    click(*review.findChild<SkinButton*>(QStringLiteral("btnBack")));
    auto* summary = qobject_cast<TrainingSummaryPanel*>(m_window->view());
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->cellText(TrainingNumber::Pi, 2), QStringLiteral("0"));

    // A recital from the first digit, until its first error.
    openFromSummary(TrainingNumber::Pi, TrainingActivity::Recite);
    RecitalView& recital = viewOf<RecitalView>();
    ASSERT_EQ(QApplication::focusWidget(), &recital.grid().grid());
    type(piDigits(1, 12));
    EXPECT_EQ(label("recitalPace"), QStringLiteral("12 digits, 1.00 s a digit"));
    m_clock.advanceMs(1000);
    type(wrongDigit(TrainingNumber::Pi, 13));
    EXPECT_EQ(recital.session().phase(), RecitalSession::Phase::Wrong);
    AnswerGridModel& recited = recital.grid().grid().answers();
    EXPECT_EQ(recited.sheet().cellText(2, 3), piDigits(13, 1));
    EXPECT_EQ(recited.floodPercent(2, 3), 100.0);
    EXPECT_EQ(label("recitalOutcome"), QStringLiteral("Digit 13: you typed %1; it is %2. Enter recites again.")
                                           .arg(wrongDigit(TrainingNumber::Pi, 13), piDigits(13, 1)));
    const std::vector<StoredKeystroke> keystrokes = store.keystrokes(store.sessionSummaries().back().sessionId);
    ASSERT_EQ(keystrokes.size(), 13u);
    EXPECT_EQ(keystrokes.back(),
              (StoredKeystroke{store.sessionSummaries().back().sessionId, 13, 13, piDigits(13, 1).toInt(),
                               wrongDigit(TrainingNumber::Pi, 13).toInt(), 14'000}));
    EXPECT_EQ(store.sessionSummaries().back().mode, TrainingMode::Recite);

    // Enter recites again from the same digit, in a new session.
    press(Qt::Key_Return);
    EXPECT_EQ(recital.session().phase(), RecitalSession::Phase::Reciting);
    EXPECT_EQ(recited.floodPercent(2, 3), 0.0);
    type(piDigits(1, 1));
    EXPECT_EQ(store.sessionSummaries().size(), 6u);
}

TEST_F(TrainingWindowTest, reciteFromTheCommandLine_startsFarIntoPiAndMovesItsWindowOn)
{
    openWindow({TrainingActivity::Recite, TrainingNumber::Pi, 32301}, m_store);
    RecitalView& recital = viewOf<RecitalView>();
    AnswerGrid& grid = recital.grid().grid();
    EXPECT_EQ(label("recitalTitle"), QStringLiteral("Pi, recital from digit 32301"));
    EXPECT_EQ(grid.dataRowCount(), RecitalSession::WindowRows);
    EXPECT_EQ(grid.dataColumnCount(), 10);
    // Past the window's 400 digits the grid shows the next window, the last row recited on top.
    type(piDigits(32301, 401));
    EXPECT_EQ(recital.session().phase(), RecitalSession::Phase::Reciting);
    EXPECT_EQ(recital.session().windowFirstPosition(), 32691);
    EXPECT_EQ(grid.dataRowCount(), 8);
    EXPECT_EQ(grid.answers().sheet().cellText(1, 10), piDigits(32700, 1));
    EXPECT_EQ(grid.answers().sheet().cellText(2, 1), piDigits(32701, 1));
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.currentColumn(), 2);
    type(piDigits(32702, 66));
    EXPECT_EQ(recital.session().phase(), RecitalSession::Phase::Whole);
    EXPECT_EQ(label("recitalOutcome"), QStringLiteral("All 467 digits without an error. Enter recites again."));
    EXPECT_EQ(m_store.keystrokes(1).size(), 467u);
}

TEST_F(TrainingWindowTest, reciteFromABlockForACount_stopsAtTheCount)
{
    openWindow({TrainingActivity::Recite, TrainingNumber::E, {}}, m_store);
    RecitalView& recital = viewOf<RecitalView>();
    auto* block = recital.findChild<QSpinBox*>(QStringLiteral("recitalBlock"));
    auto* count = recital.findChild<QSpinBox*>(QStringLiteral("recitalCount"));
    block->setValue(7);
    count->setValue(15);
    click(*recital.findChild<SkinButton*>(QStringLiteral("btnStart")));
    EXPECT_EQ(recital.session().firstPosition(), 601);
    EXPECT_EQ(label("recitalTitle"), QStringLiteral("e, recital from digit 601 to 615"));
    ASSERT_EQ(QApplication::focusWidget(), &recital.grid().grid());
    type(numberDigits(TrainingNumber::E).mid(600, 15));
    EXPECT_EQ(recital.session().phase(), RecitalSession::Phase::Counted);
    EXPECT_EQ(m_store.sessionSummaries().at(0).firstPosition, 601);
}

TEST_F(TrainingWindowTest, drill_asksAtTheCuesPlaceAndAtAPositionTheCompetitorNames)
{
    for (const int block : {1, 2, 3}) {
        const TrainingItem item = *itemForId(QStringLiteral("sqrt2/block/%1").arg(block));
        m_store.saveItemState({item.id(), item.number, item.kind, item.firstPosition, item.lastPosition, 4.0, 5.0,
                               startOfTrainingDay(trainingDay(m_clock.nowUtc()) + 3), 1, 0});
    }
    openWindow({TrainingActivity::Drill, TrainingNumber::Sqrt2, {}}, m_store);
    DrillView& drill = viewOf<DrillView>();
    const DrillQuestion question = *drill.session().question();
    ASSERT_TRUE(question.cue.has_value());
    EXPECT_GE(question.cue->firstPosition, 1);
    EXPECT_LE(question.position + 9, 300);
    const QString& digits = numberDigits(TrainingNumber::Sqrt2);
    AnswerGridModel& answers = drill.grid().grid().answers();
    EXPECT_EQ(answers.sheet().cellText(1, 1),
              question.cue->length > 0 ? QString(digits[question.cue->firstPosition - 1]) : QString());
    type(digits.mid(question.position - 1, 10));
    EXPECT_EQ(drill.session().phase(), DrillSession::Phase::Passed);
    EXPECT_EQ(label("drillTitle"), QStringLiteral("SQRT(2), position drill: 1 of 1 right"));
    press(Qt::Key_Return);
    EXPECT_EQ(drill.session().phase(), DrillSession::Phase::Asking);

    drill.ask(5000);
    ASSERT_EQ(QApplication::focusWidget(), &drill.grid().grid());
    EXPECT_EQ(label("drillQuestion"), QStringLiteral("Type the 10 digits from digit 5000."));
    type(digits.mid(4999, 3));
    press(DrillView::HintKey);
    EXPECT_EQ(drill.session().phase(), DrillSession::Phase::Failed);
    EXPECT_EQ(answers.sheet().cellText(1, 4), QString(digits[5002]));
    EXPECT_EQ(answers.floodPercent(1, 4), 100.0);
    EXPECT_TRUE(
        label("drillOutcome")
            .startsWith(QStringLiteral("Digit 5003 is %1 (hint). They are digits 5000 to 5009.").arg(digits[5002])))
        << label("drillOutcome").toStdString();
    const std::vector<StoredSession> sessions = m_store.sessionSummaries();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].mode, TrainingMode::Drill);
    EXPECT_EQ(sessions[0].typed, 13);
}

TEST_F(TrainingWindowTest, drillWithNothingLearned_saysSoAndStillAsksANamedPosition)
{
    openWindow({TrainingActivity::Drill, TrainingNumber::E, 9991}, m_store);
    DrillView& drill = viewOf<DrillView>();
    EXPECT_EQ(drill.session().question()->position, 9991) << "--from names the position";
    EXPECT_EQ(label("drillQuestion"), QStringLiteral("Type the 10 digits from digit 9991."));
    type(numberDigits(TrainingNumber::E).right(10));
    EXPECT_EQ(drill.session().phase(), DrillSession::Phase::Passed);
    press(Qt::Key_Return);
    EXPECT_EQ(drill.session().phase(), DrillSession::Phase::Passed) << "no random question without learned digits";
}

// The item's earlier review recalls in the store set the pace a review is held against: slower than 1.5
// times their median is Hard. Recalls graded Again and recitals do not count.
TEST_F(TrainingWindowTest, reviewSlowerThanTheItemsEarlierPace_isGradedHard)
{
    const struct
    {
        const char* what;
        std::vector<std::pair<double, int>> earlierSecondsAndRatings;
        int expectedRating;
    } cases[] = {
        {"no earlier review", {}, 3},
        {"earlier recalls at 0.6 s a digit", {{60.0, 3}, {55.0, 3}, {70.0, 2}}, 2},
        {"earlier recalls at 0.8 s a digit", {{80.0, 3}, {75.0, 3}, {90.0, 3}}, 3},
        {"only a fast failed one", {{20.0, 1}}, 3},
    };
    const TrainingItem block = *itemForId(u"e/block/5");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeTrainingStore store;
        const int today = trainingDay(m_clock.nowUtc());
        store.saveItemState({block.id(), block.number, block.kind, block.firstPosition, block.lastPosition, 9.0, 5.0,
                             startOfTrainingDay(today), 4, 0});
        int day = 20;
        for (const auto& [seconds, rating] : c.earlierSecondsAndRatings) {
            const qint64 session = store.startSession(TrainingMode::Review, TrainingNumber::E, block.firstPosition,
                                                      m_clock.nowUtc().addDays(-day));
            for (int seq = 1; seq <= 100; ++seq)
                store.addKeystroke({session, seq, block.firstPosition + seq - 1, 0, 0, qint64(seq * seconds * 10)});
            store.finishSession(session, seconds);
            store.addReview({block.id(), session, m_clock.nowUtc().addDays(-day), rating});
            day -= 5;
        }
        // A fast recital of the same digits is no recall of the item.
        const qint64 recital =
            store.startSession(TrainingMode::Recite, TrainingNumber::E, block.firstPosition, m_clock.nowUtc());
        store.addKeystroke({recital, 1, block.firstPosition, 0, 0, 100});
        store.finishSession(recital, 0.1);

        openWindow({TrainingActivity::Review, TrainingNumber::E, {}}, store);
        ReviewView& review = viewOf<ReviewView>();
        ASSERT_EQ(review.session().tasks().size(), 1u);
        type(numberDigits(TrainingNumber::E).mid(block.firstPosition - 1, 100)); // a second a digit
        ASSERT_EQ(store.reviews().size(), c.earlierSecondsAndRatings.size() + 1);
        EXPECT_EQ(store.reviews().back().rating, c.expectedRating);
        m_window.reset();
    }
}

TEST_F(TrainingWindowTest, reviewWithNothingDue_saysSoAndListsTheNewBlock)
{
    openWindow({TrainingActivity::Review, TrainingNumber::E, {}}, m_store);
    ReviewView& review = viewOf<ReviewView>();
    EXPECT_EQ(label("reviewItem"), QStringLiteral("Nothing is due today."));
    EXPECT_FALSE(review.grid().grid().isVisible());
    auto* queue = review.findChild<QTableWidget*>(QStringLiteral("reviewQueue"));
    ASSERT_EQ(queue->rowCount(), 1);
    EXPECT_EQ(queue->item(0, 0)->text(), QStringLiteral("e block 1"));
    EXPECT_EQ(queue->item(0, 2)->text(), QStringLiteral("new: Learn"));
    type(QStringLiteral("7"));
    EXPECT_TRUE(m_store.sessionSummaries().empty());
}
