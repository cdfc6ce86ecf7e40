// The training window as `korvalin --train` opens it: on a real store in a temporary data folder or on
// the fake, with real key events on the answer grid and a fake clock.
#include "ChromeTestSupport.h"
#include "FakeTrainingStore.h"
#include "SqliteTrainingStore.h"
#include "boxes/ScriptedDialog.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmTraining/LearnView.h"
#include "frmTraining/TrainingSummaryPanel.h"
#include "frmTraining/UnavailableView.h"
#include "frmTraining/frmTraining.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
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

    LearnView& learnView() const
    {
        auto* view = qobject_cast<LearnView*>(m_window->view());
        EXPECT_NE(view, nullptr);
        return *view;
    }

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

TEST_F(TrainingWindowTest, modesNotBuiltYet_sayNotAvailableAndGoBack)
{
    FakeTrainingStore& store = m_store;
    const std::pair<TrainingActivity, const char*> modes[] = {
        {TrainingActivity::Review, "Review: not available yet"},
        {TrainingActivity::Recite, "Recite: not available yet"},
        {TrainingActivity::Drill, "Drill: not available yet"},
        {TrainingActivity::Rehearse, "Rehearse: not available yet"},
    };
    for (const auto& [activity, line] : modes) {
        SCOPED_TRACE(line);
        openWindow({activity, TrainingNumber::E, 501}, store);
        auto* view = qobject_cast<UnavailableView*>(m_window->view());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->text(), QString::fromLatin1(line));
        click(*view->findChild<SkinButton*>(QStringLiteral("btnBack")));
        EXPECT_NE(qobject_cast<TrainingSummaryPanel*>(m_window->view()), nullptr);
    }
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
