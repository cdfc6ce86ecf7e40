// The progress view: opened from the command line on a long made-up history, pointed at, switched and
// exported; and on a small history whose every count is known.
#include "frmTraining/progress/ProgressView.h"
#include "CapturedWarnings.h"
#include "ChromeTestSupport.h"
#include "FakeTrainingStore.h"
#include "GeneratedHistory.h"
#include "buttons/SkinButton.h"
#include "frmTraining/TrainingSummaryPanel.h"
#include "frmTraining/frmTraining.h"
#include "frmTraining/progress/ErrorHeatmapWidget.h"
#include "frmTraining/progress/ReadinessPanel.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

constexpr int Today = 2461400;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The share of an image's pixels that are not its white ground.
double drawnShare(const QImage& image)
{
    qint64 drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            drawn += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    }
    return double(drawn) / (double(image.width()) * image.height());
}

// A point of the heatmap over `position`, found as a competitor's pointer would.
std::optional<QPoint> pointOver(const ErrorHeatmapWidget& heatmap, int position)
{
    for (int y = 0; y < heatmap.height(); ++y) {
        for (int x = 0; x < heatmap.width(); ++x) {
            if (heatmap.positionAt({x, y}) == position)
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

// pi's digit 150 is the 8 of …5940812[8]48111…: typed wrong twice as a 7 and once as a 0 in one review.
ProgressHistory smallHistory()
{
    ProgressHistory history;
    for (const TrainingItem& item : allTrainingItems())
        history.progress.push_back({item, std::nullopt});
    history.sessions.push_back({1, TrainingActivity::Review, TrainingNumber::Pi, 101, Today - 1, 30.0, 4, 1});
    const int expected = numberDigits(TrainingNumber::Pi).at(149).digitValue();
    history.keystrokes = {{1, 1000, 150, quint8(expected), 7},
                          {1, 2000, 150, quint8(expected), 7},
                          {1, 3000, 150, quint8(expected), 0},
                          {1, 4000, 150, quint8(expected), quint8(expected)}};
    history.notes[QStringLiteral("pi/block/2")] = QStringLiteral("the lighthouse");
    return history;
}

class ProgressViewTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FakeTrainingClock m_clock{startOfTrainingDay(Today).addSecs(12 * 3600)};
    FakeTrainingStore m_store;
    std::unique_ptr<frmTraining> m_window;
};

} // namespace

TEST_F(ProgressViewTest, aGeneratedHistoryOf10000Sessions_opensFromTheCommandLineWithoutAnError)
{
    // Ten thousand sessions over a year; fewer keystrokes than the benchmark's three million, which the
    // in-memory store would hold in far more memory than the program does.
    HistoryShape shape;
    shape.lastDay = Today - 1;
    shape.keystrokes = 400000;
    const GeneratedHistory generated = generateHistory(shape);
    ASSERT_EQ(generated.sessions.size(), 10000u);
    generated.writeTo(m_store);
    QStringList storeFailures;
    QObject::connect(&m_store, &TrainingStore::failed, [&](const QString& error) { storeFailures << error; });

    CapturedWarnings warnings;
    m_window = std::make_unique<frmTraining>(TrainingStart{TrainingActivity::Progress, TrainingNumber::Pi, {}}, m_store,
                                             StoreOpening{true, {}, {}}, m_clock);
    m_window->show();
    auto* view = qobject_cast<ProgressView*>(m_window->view());
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->isReady()) << "the keystrokes come later, from the store's own reply";
    EXPECT_TRUE(QTest::qWaitFor([view] { return view->isReady(); }, 20000));
    QCoreApplication::processEvents();

    EXPECT_TRUE(storeFailures.isEmpty()) << storeFailures.join(u'\n').toStdString();
    EXPECT_TRUE(warnings.isEmpty()) << warnings.text();
    EXPECT_EQ(view->statusText().contains(QStringLiteral("10,000 sessions, 400,000 keystrokes")), true)
        << view->statusText().toStdString();
    const ProgressViews views = view->views();
    EXPECT_EQ(views.heatmap.positions.size(), 32767u);
    EXPECT_EQ(views.known.known.back().value, 32767)
        << "a block of pi a training day and two on Saturdays learn all 328 in a year";
    EXPECT_FALSE(views.pace.byDay.empty());
    std::set<int> daysTrained;
    for (const StoredSession& session : generated.sessions)
        daysTrained.insert(trainingDay(session.startedUtc));
    EXPECT_EQ(views.minutesByDay.size(), daysTrained.size());
    EXPECT_TRUE(views.calibration.enough());
    EXPECT_GT(views.forecast.reachAt50, 0);
    // Every tab shows without a warning.
    for (int tab = 0; tab < view->tabs()->count(); ++tab) {
        view->tabs()->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }
    view->findChild<QComboBox*>(QStringLiteral("numberChoice"))->setCurrentIndex(int(TrainingNumber::E));
    EXPECT_EQ(view->number(), TrainingNumber::E);
    EXPECT_EQ(view->views().heatmap.positions.size(), 10000u);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.text();
}

TEST_F(ProgressViewTest, pointingAtADigit_tellsItsPlaceTheDigitsAroundItsErrorsAndItsBlocksNote)
{
    ProgressView view(smallHistory(), TrainingNumber::Pi, Today);
    view.resize(1232, 656);
    view.tabs()->setCurrentIndex(2);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ErrorHeatmapWidget& heatmap = *view.heatmap();
    const std::optional<QPoint> at = pointOver(heatmap, 150);
    ASSERT_TRUE(at);
    sendMouse(heatmap, QEvent::MouseMove, *at);
    EXPECT_EQ(view.heatmapLine()->text(),
              QStringLiteral("Digit 150 (block 2): 40812[8]48111 - typed 4 times, 3 errors (0 once, 7 twice), "
                             "0 slow (over 2.5 s). Note: the lighthouse"));
    // A never typed digit of a block without a note.
    sendMouse(heatmap, QEvent::MouseMove, *pointOver(heatmap, 32767));
    EXPECT_TRUE(view.heatmapLine()->text().startsWith(QStringLiteral("Digit 32,767 (block 328): ")));
    EXPECT_TRUE(view.heatmapLine()->text().endsWith(QStringLiteral("[6] - never typed")))
        << view.heatmapLine()->text().toStdString();
    // The cell's colour: three errors in four typed are as red as a cell gets.
    const int columns = heatmap.cells().width();
    EXPECT_EQ(columns % 100, 0) << "whole blocks a row";
    EXPECT_EQ(heatmap.cells().pixel(149 % columns, 149 / columns), qRgb(200, 0, 0));
    EXPECT_EQ(heatmap.cells().pixel(150 % columns, 150 / columns), qRgb(214, 214, 214));
}

TEST_F(ProgressViewTest, exports_writeEachChartAsPngAndSvgEachViewAsCsvAndAOnePagePdf)
{
    HistoryShape shape;
    shape.lastDay = Today - 1;
    shape.days = 60;
    shape.sessions = 600;
    shape.keystrokes = 60000;
    const GeneratedHistory generated = generateHistory(shape);
    generated.writeTo(m_store);
    ProgressView view(m_store, TrainingNumber::Pi, m_clock);
    ASSERT_TRUE(QTest::qWaitFor([&view] { return view.isReady(); }, 10000));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    ASSERT_TRUE(view.exportPng(dir.path()).ok);
    ASSERT_TRUE(view.exportSvg(dir.path()).ok);
    ASSERT_TRUE(view.exportCsv(dir.path()).ok);
    const QString pdf = dir.filePath(QStringLiteral("progress.pdf"));
    ASSERT_TRUE(view.exportPdf(pdf).ok);

    for (const char* chart :
         {"known-digits", "pace-by-day", "pace-by-block", "error-heatmap", "forecast", "calendar"}) {
        SCOPED_TRACE(chart);
        const QString base = dir.filePath(QStringLiteral("pi-") + QString::fromLatin1(chart));
        const QImage image(base + QStringLiteral(".png"));
        EXPECT_FALSE(image.isNull());
        EXPECT_GE(image.width(), 800);
        EXPECT_GT(drawnShare(image), 0.01) << "hardly anything drawn";
        const QByteArray svg = readAll(base + QStringLiteral(".svg"));
        EXPECT_TRUE(svg.startsWith("<?xml") && svg.contains("<svg")) << "no SVG";
        // Lines and texts for a chart, the cells as one picture for the heatmap.
        EXPECT_TRUE(svg.count("<") > 40 || svg.contains("<image")) << "an SVG with hardly anything drawn";
    }
    const QList<QByteArray> heatmapCsv = readAll(dir.filePath(QStringLiteral("pi-error-heatmap.csv"))).split('\n');
    EXPECT_EQ(heatmapCsv.size(), 32767 + 2);
    for (const char* view : {"known-digits", "pace", "forecast", "calibration", "calendar"}) {
        SCOPED_TRACE(view);
        EXPECT_GT(readAll(dir.filePath(QStringLiteral("pi-%1.csv").arg(QString::fromLatin1(view)))).count('\n'), 1);
    }
    const QByteArray report = readAll(pdf);
    EXPECT_TRUE(report.startsWith("%PDF"));
    EXPECT_EQ(report.count("/Type /Page\n") + report.count("/Type /Page\r") + report.count("/Type /Page "), 1)
        << "one page";
    // A folder that is not there is told, not passed over.
    EXPECT_FALSE(view.exportPng(dir.filePath(QStringLiteral("missing/folder"))).ok);
}

TEST_F(ProgressViewTest, theAttemptDayAndTheTarget_changeTheForecastAndThePlan)
{
    ProgressHistory history = smallHistory();
    const FsrsScheduler scheduler;
    for (ItemProgress& entry : history.progress) {
        if (entry.item.number == TrainingNumber::E && entry.item.index <= 2)
            entry.schedule = scheduler.review(std::nullopt, Today, Rating::Good).schedule;
    }
    ProgressView view(std::move(history), TrainingNumber::E, Today);
    ReadinessPanel& readiness = *view.readiness();
    readiness.setDate(Today);
    EXPECT_FALSE(readiness.plan().possible);
    EXPECT_TRUE(readiness.planText().startsWith(QStringLiteral("Pick a day after today")));
    EXPECT_EQ(readiness.forecast().reachAt90, 200) << "reviewed today: sure today";

    readiness.setDate(Today + 30);
    readiness.setTarget(1000);
    EXPECT_EQ(readiness.forecast().day, Today + 30);
    EXPECT_EQ(readiness.forecast().reachAt90, 0) << "a month after one review, less than 90 %";
    EXPECT_EQ(readiness.plan().blocksToLearn, 8);
    EXPECT_EQ(readiness.plan().newBlocksPerDay, 1);
    EXPECT_TRUE(readiness.forecastText().contains(QStringLiteral("as if each were recalled independently")));
    EXPECT_TRUE(readiness.planText().contains(QStringLiteral("8 blocks to learn, 1 new a day")))
        << readiness.planText().toStdString();
    EXPECT_TRUE(readiness.calibrationText().startsWith(QStringLiteral("After 1,000 reviews")));
    EXPECT_EQ(view.views().plan.targetDigits, 1000) << "the exports take the plan shown";
}

TEST_F(ProgressViewTest, anEmptyHistory_opensWithoutAWarningAndBackReturnsToTheSummary)
{
    CapturedWarnings warnings;
    m_window = std::make_unique<frmTraining>(TrainingStart{TrainingActivity::Progress, TrainingNumber::E, {}}, m_store,
                                             StoreOpening{true, {}, {}}, m_clock);
    m_window->show();
    auto* view = qobject_cast<ProgressView*>(m_window->view());
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([view] { return view->isReady(); }, 5000));
    EXPECT_EQ(view->number(), TrainingNumber::E);
    EXPECT_EQ(view->statusText(),
              QStringLiteral("0 digits known from digit 1, best recital 0; 0 sessions, 0 keystrokes."));
    for (int tab = 0; tab < view->tabs()->count(); ++tab) {
        view->tabs()->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(view->readiness()->forecast().reachAt50, 0);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.text();
    auto& back = *view->findChild<SkinButton*>(QStringLiteral("btnBACK"));
    const QPointF centre(back.width() / 2.0, back.height() / 2.0);
    sendMouse(back, QEvent::MouseMove, centre);
    sendMouse(back, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(back, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_NE(qobject_cast<TrainingSummaryPanel*>(m_window->view()), nullptr);
}
