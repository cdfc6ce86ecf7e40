// The training settings and the export of the history, through the training window as `korvalin --train`
// opens it: the summary's SETTINGS button, real key events and clicks, the store's replies, a fake clock.
#include "frmTraining/TrainingSettingsView.h"
#include "ChromeTestSupport.h"
#include "FakeTrainingStore.h"
#include "SqliteTrainingStore.h"
#include "boxes/SaveFileDialog.h"
#include "boxes/ScriptedDialog.h"
#include "buttons/SkinButton.h"
#include "frmTraining/LearnView.h"
#include "frmTraining/ReviewView.h"
#include "frmTraining/TrainingLook.h"
#include "frmTraining/TrainingSummaryPanel.h"
#include "frmTraining/frmTraining.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

class TrainingSettingsViewTest : public ::testing::Test
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

    void openWindow(TrainingStore& store, const TrainingStart& start = {})
    {
        m_window = std::make_unique<frmTraining>(start, store, StoreOpening{true, {}, {}}, m_clock);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    SqliteTrainingStore& sqliteStore()
    {
        m_sqlite = std::make_unique<SqliteTrainingStore>(m_dir.path());
        EXPECT_TRUE(m_sqlite->open().opened);
        return *m_sqlite;
    }

    TrainingSummaryPanel& summary() const
    {
        auto* panel = qobject_cast<TrainingSummaryPanel*>(m_window->view());
        EXPECT_NE(panel, nullptr) << "the window shows " << m_window->view()->objectName().toStdString();
        return *panel;
    }

    // The summary's SETTINGS button.
    TrainingSettingsView& openSettings()
    {
        click(button("btnSettings"));
        auto* view = qobject_cast<TrainingSettingsView*>(m_window->view());
        EXPECT_NE(view, nullptr) << "the window shows " << m_window->view()->objectName().toStdString();
        return *view;
    }

    // The number's line in the summary's table.
    void chooseNumber(TrainingNumber number) const
    {
        auto* table = summary().findChild<QTableWidget*>(QStringLiteral("summaryTable"));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(int(number), 1)).center());
    }

    // Types `text` over what the field holds, as the competitor would.
    void enter(const char* field, const QString& text) const
    {
        auto* edit = m_window->view()->findChild<QLineEdit*>(QString::fromLatin1(field));
        ASSERT_NE(edit, nullptr) << field;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    QString field(const char* name) const
    {
        const auto* edit = m_window->view()->findChild<QLineEdit*>(QString::fromLatin1(name));
        return edit ? edit->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }

    QLabel* labelWidget(const char* name) const { return m_window->findChild<QLabel*>(QString::fromLatin1(name)); }
    QString label(const char* name) const
    {
        const QLabel* found = labelWidget(name);
        return found ? found->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }

    SkinButton& button(const char* name) const
    {
        auto* found = m_window->view()->findChild<SkinButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }

    static void click(SkinButton& button)
    {
        const QPointF centre(button.width() / 2.0, button.height() / 2.0);
        sendMouse(button, QEvent::MouseMove, centre);
        sendMouse(button, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        sendMouse(button, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
    }

    void type(const QString& keys)
    {
        for (const QChar key : keys) {
            m_clock.advanceMs(1000);
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
        }
    }

    // The export of `view` to the file the dialog is answered with; returns once the store has replied.
    void exportView(TrainingView view, const QString& path)
    {
        m_window->view()->findChild<QComboBox*>(QStringLiteral("exportView"))->setCurrentIndex(int(view));
        SaveFileDialog::scriptAnswer(path);
        click(button("btnExport"));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !label("exportMessage").startsWith(u"Writing"); }));
    }

    QTemporaryDir m_dir;
    FakeTrainingClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC)};
    FakeTrainingStore m_store;
    std::unique_ptr<SqliteTrainingStore> m_sqlite;
    std::unique_ptr<frmTraining> m_window;
};

QColor colourOf(const QLabel* label)
{
    return label ? label->palette().color(QPalette::WindowText) : QColor();
}

} // namespace

TEST_F(TrainingSettingsViewTest, settingsView_showsTheKeptValuesAndWhatItSavesIsKeptAcrossRuns)
{
    sqliteStore().saveSettings({0.85, 2, 40.0});
    openWindow(*m_sqlite);
    openSettings();
    EXPECT_EQ(field("settingsRetention"), QStringLiteral("0.85"));
    EXPECT_EQ(field("settingsNewBlocks"), QStringLiteral("2"));
    EXPECT_EQ(field("settingsMinutesCap"), QStringLiteral("40"));

    enter("settingsRetention", QStringLiteral("0,8"));
    enter("settingsNewBlocks", QStringLiteral("0"));
    enter("settingsMinutesCap", QString());
    click(button("btnSave"));
    EXPECT_TRUE(label("settingsMessage").startsWith(u"Saved")) << label("settingsMessage").toStdString();
    EXPECT_EQ(colourOf(labelWidget("settingsMessage")), QColor(TrainingLook::TextColour));
    EXPECT_EQ(field("settingsRetention"), QStringLiteral("0.8"));

    click(button("btnBack"));
    summary();
    m_window.reset();
    m_sqlite.reset();
    EXPECT_EQ(sqliteStore().settings(), (TrainingSettings{0.8, 0, std::nullopt}));
}

TEST_F(TrainingSettingsViewTest, valueOutOfItsRange_isRefusedWithItsMessageAndNothingIsKept)
{
    struct Case
    {
        const char* field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"settingsRetention", "0.5", "Desired retention must be a number from 0.7 to 0.97, such as 0.9."},
        {"settingsRetention", "95", "Desired retention must be a number from 0.7 to 0.97, such as 0.9."},
        {"settingsNewBlocks", "-2", "New blocks per day must be a whole number from 0 to 20."},
        {"settingsNewBlocks", "two", "New blocks per day must be a whole number from 0 to 20."},
        {"settingsMinutesCap", "2",
         "The daily minutes cap must be a whole number of minutes from 5 to 600, or empty for no cap."},
    };
    const TrainingSettings kept{0.85, 2, 40.0};
    m_store.saveSettings(kept);
    openWindow(m_store);
    openSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.text);
        const QString before = field(c.field);
        enter(c.field, QString::fromLatin1(c.text));
        // Enter in a field saves as the button does.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(label("settingsMessage"), QString::fromLatin1(c.message));
        EXPECT_EQ(colourOf(labelWidget("settingsMessage")), QColor(TrainingLook::WarningColour));
        EXPECT_EQ(m_store.settings(), kept);
        enter(c.field, before);
    }
}

TEST_F(TrainingSettingsViewTest, savedNewBlocksAndCap_setTheSummarysMinutesAndItsNote)
{
    // Nothing learned yet, at the default pace: a new block is 100 digits at 1 + 4 s, 8 1/3 minutes.
    struct Case
    {
        const char* newBlocks;
        const char* cap;
        const char* minutes[3]; // sqrt(2), pi, e
        const char* note;
    };
    const Case cases[] = {
        {"1", "", {"8", "8", "8"}, "a new block a day for each number."},
        {"0", "", {"0", "0", "0"}, "A block is 100 digits; no new blocks."},
        {"3", "", {"25", "25", "25"}, "3 new blocks a day for each number."},
        // One cap for the day: the first block of sqrt(2) and of pi fit under it, nothing more.
        {"3", "20", {"8", "8", "0"}, "3 new blocks a day for each number; a day's queue is kept under 20 minutes."},
    };
    openWindow(m_store);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.newBlocks) + " " + c.cap);
        openSettings();
        enter("settingsNewBlocks", QString::fromLatin1(c.newBlocks));
        enter("settingsMinutesCap", QString::fromLatin1(c.cap));
        click(button("btnSave"));
        click(button("btnBack"));
        for (const TrainingNumber number : AllTrainingNumbers)
            EXPECT_EQ(summary().cellText(number, 3), QLatin1String(c.minutes[int(number)])) << int(number);
        EXPECT_TRUE(label("summaryPace").endsWith(QLatin1String(c.note))) << label("summaryPace").toStdString();
    }
}

TEST_F(TrainingSettingsViewTest, blockLearnedAfterTheRetentionIsSaved_isDueAsThatRetentionPlans)
{
    // A first recall without an error is a first Good review: its interval grows as the retention falls.
    struct Case
    {
        const char* retention;
        int dueInDays;
    };
    const Case cases[] = {{"0.8", 8}, {"0.9", 2}, {"0.95", 1}};
    const TrainingItem block = *itemForId(u"e/block/1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.retention);
        FakeTrainingStore store;
        openWindow(store);
        openSettings();
        enter("settingsRetention", QString::fromLatin1(c.retention));
        click(button("btnSave"));
        click(button("btnBack"));
        chooseNumber(TrainingNumber::E);
        click(button("btnlearn"));
        auto* learn = qobject_cast<LearnView*>(m_window->view());
        ASSERT_NE(learn, nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        type(numberDigits(TrainingNumber::E).mid(block.firstPosition - 1, block.digitCount()));
        ASSERT_EQ(learn->session().phase(), LearnSession::Phase::Learned);
        const std::vector<StoredItemState> states = store.itemStates();
        ASSERT_EQ(states.size(), 1u);
        EXPECT_EQ(trainingDay(states[0].dueUtc), trainingDay(m_clock.nowUtc()) + c.dueInDays);
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(TrainingSettingsViewTest, reviewGradedAfterTheRetentionIsSaved_isNextDueAsThatRetentionPlans)
{
    // A block due today, recalled without an error: the lower retention puts its next review further off.
    const TrainingItem block = *itemForId(u"sqrt2/block/1");
    int longerInterval = std::numeric_limits<int>::max();
    for (const char* retention : {"0.7", "0.8", "0.9", "0.95"}) {
        SCOPED_TRACE(retention);
        FakeTrainingStore store;
        store.saveItemState({block.id(), block.number, ItemKind::Block, block.firstPosition, block.lastPosition, 10.0,
                             5.0, m_clock.nowUtc(), 2, 0});
        openWindow(store);
        openSettings();
        enter("settingsRetention", QString::fromLatin1(retention));
        click(button("btnSave"));
        click(button("btnBack"));
        chooseNumber(TrainingNumber::Sqrt2);
        click(button("btnreview"));
        auto* review = qobject_cast<ReviewView*>(m_window->view());
        ASSERT_NE(review, nullptr);
        type(numberDigits(block.number).mid(block.firstPosition - 1, block.digitCount()));
        ASSERT_EQ(store.reviews().size(), 1u);
        EXPECT_EQ(store.reviews()[0].rating, 3);
        const int interval = trainingDay(store.itemStates().at(0).dueUtc) - trainingDay(m_clock.nowUtc());
        EXPECT_LT(interval, longerInterval);
        longerInterval = interval;
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(TrainingSettingsViewTest, reviewAfterABreakUnderACap_takesWhatFitsAndTheRestWaits)
{
    // Ten blocks of pi learned before a break, all due today; at the default pace a review of a block takes
    // 100 s, a junction's 5 s.
    for (int index = 1; index <= 10; ++index) {
        const TrainingItem block = *itemForId(QStringLiteral("pi/block/%1").arg(index));
        m_store.saveItemState({block.id(), TrainingNumber::Pi, ItemKind::Block, block.firstPosition, block.lastPosition,
                               4.0 + index, 5.0, m_clock.nowUtc().addDays(-index), 3, 0});
    }
    struct Case
    {
        const char* cap;
        int rows;
        bool waiting;
    };
    // Without a cap: the ten blocks, the nine junctions between them and the next new block.
    // Under a cap the due blocks come first, weakest first, then the junctions while they fit.
    const Case cases[] = {{"", 20, false}, {"6", 12, true}, {"8", 13, true}};
    openWindow(m_store);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cap);
        openSettings();
        enter("settingsMinutesCap", QString::fromLatin1(c.cap));
        click(button("btnSave"));
        click(button("btnBack"));
        chooseNumber(TrainingNumber::Pi);
        click(button("btnreview"));
        auto* review = qobject_cast<ReviewView*>(m_window->view());
        ASSERT_NE(review, nullptr);
        EXPECT_EQ(review->findChild<QTableWidget*>(QStringLiteral("reviewQueue"))->rowCount(), c.rows);
        if (*c.cap) {
            EXPECT_LE(review->queue().minutes, QString::fromLatin1(c.cap).toDouble());
        }
        EXPECT_EQ(label("reviewQueueTitle").contains(u"wait for the next days"), c.waiting)
            << label("reviewQueueTitle").toStdString();
        click(button("btnBack"));
    }
}

TEST_F(TrainingSettingsViewTest, exportOfEachView_writesTheFileChosenAndSaysWhere)
{
    SqliteTrainingStore& store = sqliteStore();
    const qint64 session = store.startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, m_clock.nowUtc());
    store.addKeystroke({session, 1, 1, 1, 1, 900});
    store.finishSession(session, 1.5);
    openWindow(store);
    openSettings();
    for (const TrainingView view : AllTrainingViews) {
        SCOPED_TRACE(viewName(view).toStdString());
        const QString path = m_dir.filePath(QStringLiteral("out ") + viewName(view) + QStringLiteral(".csv"));
        exportView(view, path);
        EXPECT_EQ(label("exportMessage"), viewName(view) + QStringLiteral(" written to ") + path);
        EXPECT_EQ(colourOf(labelWidget("exportMessage")), QColor(TrainingLook::TextColour));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        ASSERT_GE(lines.size(), 1);
        EXPECT_EQ(QString::fromUtf8(lines.front()).trimmed(), viewColumns(view).join(u','));
        if (view == TrainingView::KeystrokeLog) {
            ASSERT_GE(lines.size(), 2);
            EXPECT_EQ(QString::fromUtf8(lines[1]).trimmed(), QStringLiteral("1,1,1,1,1,900"));
        }
    }
}

TEST_F(TrainingSettingsViewTest, exportThatCannotBeWrittenOrIsCancelled_saysWhyOrNothing)
{
    openWindow(m_store);
    openSettings();
    const QString cancelled = m_dir.filePath(QStringLiteral("never.csv"));
    SaveFileDialog::scriptAnswer(QString());
    click(button("btnExport"));
    EXPECT_EQ(label("exportMessage"), QString());
    EXPECT_FALSE(QFile::exists(cancelled));

    // The folder chosen is gone by the time the file is written (a stick pulled out).
    const QString folder = m_dir.filePath(QStringLiteral("stick"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString gone = QDir(folder).filePath(QStringLiteral("review_log.csv"));
    ScriptedDialog::scriptNext([&](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(gone);
        dialog.accept();
        QDir(folder).removeRecursively();
    });
    m_window->view()
        ->findChild<QComboBox*>(QStringLiteral("exportView"))
        ->setCurrentIndex(int(TrainingView::ReviewLog));
    click(button("btnExport"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !label("exportMessage").startsWith(u"Writing"); }));
    EXPECT_TRUE(label("exportMessage").startsWith(QStringLiteral("review_log could not be written to ") + gone + u':'))
        << label("exportMessage").toStdString();
    EXPECT_EQ(colourOf(labelWidget("exportMessage")), QColor(TrainingLook::WarningColour));
    EXPECT_FALSE(QFile::exists(gone));
}
