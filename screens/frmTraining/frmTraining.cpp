#include "frmTraining/frmTraining.h"

#include "TrainingStore.h"
#include "base/ProgramTitle.h"
#include "base/WindowPlacement.h"
#include "boxes/modMsgBox.h"
#include "buttons/PFormKontrol.h"
#include "frmTraining/DrillView.h"
#include "frmTraining/LearnView.h"
#include "frmTraining/RecitalView.h"
#include "frmTraining/RehearsalLauncher.h"
#include "frmTraining/RehearseView.h"
#include "frmTraining/ReviewView.h"
#include "frmTraining/TrainingLook.h"
#include "frmTraining/TrainingSettingsView.h"
#include "frmTraining/TrainingSummaryPanel.h"
#include "frmTraining/UnavailableView.h"
#ifdef KORVALIN_WITH_PROGRESS
#include "frmTraining/progress/ProgressView.h"
#endif
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"
#include "training/LearnSession.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingSummary.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace {
const QString WindowTitle = QStringLiteral("KORVALIN Training");
const QString FrameTitle = QStringLiteral("TRAINING");
constexpr int FrameTitleX = 190;
// Below the frame's header, inside its edges.
constexpr QMargins ViewMargins(24, 120, 24, 24);
} // namespace

frmTraining::frmTraining(const TrainingStart& start, TrainingStore& store, StoreOpening opening,
                         const TrainingClock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_store(store), m_opening(std::move(opening)),
      m_clock(clock), m_history(TrainingHistory::read(store)), m_number(start.number.value_or(TrainingNumber::Sqrt2)),
      m_surface(this), m_background([this] { return this; }, [this] { return isMinimized(); })
{
    setObjectName(QStringLiteral("frmTraining"));
    setWindowTitle(WindowTitle);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_strip = new PFormKontrol(skinImage(), this);
    m_strip->setObjectName(QStringLiteral("PFormKontrol"));
    m_strip->paintRestingImage();
    connect(m_strip, &PFormKontrol::toggleBackgroundRequested, this, &frmTraining::toggleBackground);
    connect(m_strip, &PFormKontrol::minimiseRequested, this, &frmTraining::minimiseClicked);
    connect(m_strip, &PFormKontrol::closeRequested, this, &QWidget::close);

    m_storeNotice = TrainingLook::makeLabel(this, "storeNotice", 9, false, TrainingLook::WarningColour);
    m_storeNotice->hide();
    connect(&m_store, &TrainingStore::failed, this, &frmTraining::showStoreFailure);

    const QRect area = screen()->availableGeometry();
    resize(std::min(StandardWindowWidth, area.width()), std::min(StandardWindowHeight, area.height()));
    move(centredOnWorkArea(area, width(), height()).topLeft());

    if (start.activity)
        open(*start.activity, m_number, start.fromPosition);
    else
        showSummary();
}

frmTraining::~frmTraining()
{
    // A Learn view writes its session's end as it goes, while the store is still there.
    delete m_view;
}

void frmTraining::showSummary()
{
    m_history = TrainingHistory::read(m_store);
    const std::vector<NumberSummary> lines =
        summarizeTraining(m_history.progress, trainingDay(m_clock.nowUtc()), m_history.settings.scheduler(),
                          m_history.settings.queue(), m_history.pace);
    auto* panel = new TrainingSummaryPanel(lines, m_history.pace, m_history.settings.queue(), m_number, this);
    connect(panel, &TrainingSummaryPanel::activityChosen, this,
            [this](TrainingActivity activity, TrainingNumber number) { open(activity, number); });
    connect(panel, &TrainingSummaryPanel::settingsChosen, this, &frmTraining::showSettings);
    setView(panel, QStringLiteral("TODAY"));
}

void frmTraining::showSettings()
{
    auto* settings = new TrainingSettingsView(m_store.settings(), m_store, this);
    connect(settings, &TrainingSettingsView::back, this, &frmTraining::showSummary);
    setView(settings, QStringLiteral("SETTINGS"));
}

void frmTraining::open(TrainingActivity activity, TrainingNumber number, std::optional<int> fromPosition)
{
    m_number = number;
    QString subtitle = activityName(activity).toUpper();
    const QString numberSubtitle = subtitle + QStringLiteral(" (") + TrainingLook::numberCaption(number) + u')';
    switch (activity) {
    case TrainingActivity::Learn: {
        auto* learn = new LearnView(blocksToLearn(number, m_history.learnedBlocks(number), fromPosition.value_or(1)),
                                    m_history.notes, m_history.settings.scheduler(), m_store, m_clock, this);
        connect(learn, &LearnView::back, this, &frmTraining::showSummary);
        setView(learn, numberSubtitle);
        learn->takeFocus();
        return;
    }
    case TrainingActivity::Review: {
        // The summary's history may be older than the last view's reviews.
        m_history = TrainingHistory::read(m_store);
        auto* review = new ReviewView(m_history, number, trainingDay(m_clock.nowUtc()), m_store, m_clock, this);
        connect(review, &ReviewView::back, this, &frmTraining::showSummary);
        setView(review, numberSubtitle);
        review->takeFocus();
        return;
    }
    case TrainingActivity::Recite: {
        auto* recital = new RecitalView(number, fromPosition.value_or(1), m_store, m_clock, this);
        connect(recital, &RecitalView::back, this, &frmTraining::showSummary);
        setView(recital, numberSubtitle);
        recital->takeFocus();
        return;
    }
    case TrainingActivity::Drill: {
        m_history = TrainingHistory::read(m_store);
        auto* drill = new DrillView(DrillPositions(number, m_history.learnedBlocks(number)),
                                    QRandomGenerator(QRandomGenerator::global()->generate()), m_store, m_clock, this);
        connect(drill, &DrillView::back, this, &frmTraining::showSummary);
        setView(drill, numberSubtitle);
        if (fromPosition)
            drill->ask(*fromPosition);
        drill->takeFocus();
        return;
    }
    case TrainingActivity::Rehearse:
        openRehearse(number);
        return;
    case TrainingActivity::Progress: {
#ifdef KORVALIN_WITH_PROGRESS
        auto* progress = new ProgressView(m_store, number, m_clock, this);
        connect(progress, &ProgressView::back, this, &frmTraining::showSummary);
        setView(progress, subtitle);
        return;
#else
        break; // a build without Qt Charts or Qt SVG
#endif
    }
    }
    auto* unavailable = new UnavailableView(activity, this);
    connect(unavailable, &UnavailableView::back, this, &frmTraining::showSummary);
    setView(unavailable, subtitle);
}

void frmTraining::setRehearsalLauncher(RehearsalLauncher* launcher)
{
    m_rehearsals = launcher;
    // A rehearsal that ended is in the history: the view that lists them shows it. The view the command
    // line opened before there was a launcher can start one now.
    const auto reopenRehearse = [this] {
        if (auto* view = qobject_cast<RehearseView*>(m_view.data()))
            openRehearse(view->number());
    };
    connect(launcher, &RehearsalLauncher::recorded, this, reopenRehearse);
    reopenRehearse();
}

void frmTraining::openRehearse(TrainingNumber number)
{
    auto* view = new RehearseView(number, m_store.sessionSummaries(), m_rehearsals != nullptr, this);
    connect(view, &RehearseView::back, this, &frmTraining::showSummary);
    connect(view, &RehearseView::startRequested, this, [this](TrainingNumber chosen) {
        if (m_rehearsals)
            m_rehearsals->start(chosen);
    });
    setView(view, QStringLiteral("REHEARSE (") + TrainingLook::numberCaption(number) + u')');
}

void frmTraining::setView(QWidget* view, const QString& subtitle)
{
    // The old view may be the one whose button asked for this: it goes once its handler is done.
    if (m_view) {
        m_view->hide();
        m_view->deleteLater();
    }
    m_view = view;
    m_subtitle = subtitle;
    placeView();
    view->show();
    paintFrame();
}

void frmTraining::placeView()
{
    if (m_view)
        m_view->setGeometry(rect().marginsRemoved(ViewMargins));
    m_storeNotice->setGeometry(ViewMargins.left(), height() - ViewMargins.bottom(), width() / 2, 20);
}

// The settings window's frame in its competition look with the recall stage's frame below its title
// strip: the look a competitor knows from a record attempt.
void frmTraining::paintFrame()
{
    m_surface.resize(size(), QColor(SkinPieces::InnerColour));
    m_surface.paintPersistent([this](QPainter& painter) {
        painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
        paintSettingsLook(painter, size(), true);
        painter.fillRect(QRect(0, TitleStripHeight, width(), height() - TitleStripHeight),
                         QColor(SkinPieces::InnerColour));
        painter.translate(0, TitleStripHeight);
        PaintStageFrame(painter, QSize(width(), height() - TitleStripHeight), FrameTitle, m_subtitle, FrameTitleX);
    });
}

// From the event loop once the window is there, so that the box stands over it; not on the first
// activation, which a display without a window manager may never send.
void frmTraining::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_firstShow && !event->spontaneous()) {
        m_firstShow = false;
        if (!m_opening.message.isEmpty())
            QTimer::singleShot(0, this, &frmTraining::tellOpening);
    }
}

void frmTraining::tellOpening()
{
    ShowMessage(this, ProgramTitle, m_opening.message,
                m_opening.opened ? QMessageBox::Information : QMessageBox::Warning);
    // The keys come back here once the box is answered, to the grid when Learn is open.
    activateWindow();
    if (auto* learn = qobject_cast<LearnView*>(m_view.data()))
        learn->takeFocus();
    else if (auto* review = qobject_cast<ReviewView*>(m_view.data()))
        review->takeFocus();
    else if (auto* recital = qobject_cast<RecitalView*>(m_view.data()))
        recital->takeFocus();
    else if (auto* drill = qobject_cast<DrillView*>(m_view.data()))
        drill->takeFocus();
}

void frmTraining::showStoreFailure(const QString& error)
{
    const QString text = QStringLiteral("The training history could not be written: ") + error;
    m_storeNotice->setToolTip(text);
    m_storeNotice->setText(m_storeNotice->fontMetrics().elidedText(text, Qt::ElideRight, m_storeNotice->width()));
    m_storeNotice->show();
    m_storeNotice->raise();
}

void frmTraining::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_surface.paintOnto(painter, event->rect());
}

void frmTraining::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    m_strip->setGeometry(width() - 72, 4, 68, 15);
    placeView();
    paintFrame();
}

void frmTraining::closeEvent(QCloseEvent* event)
{
    m_background.close();
    QWidget::closeEvent(event);
}

void frmTraining::minimiseClicked()
{
    showMinimized();
    m_background.hideWhileMinimised();
}

void frmTraining::toggleBackground()
{
    if (m_background.shown()) {
        m_background.hide();
        return;
    }
    move(centredOnWorkArea(screen()->availableGeometry(), frameGeometry().width(), frameGeometry().height()).topLeft());
    m_background.show();
}
