#include "frmTraining/ReviewView.h"

#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmTraining/TrainingGrid.h"
#include "frmTraining/TrainingHistory.h"
#include "frmTraining/TrainingLook.h"
#include "skin/FramePainter.h"
#include "skin/SkinPieces.h"

#include <QHeaderView>

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <algorithm>
#include <iterator>

namespace {
constexpr int RowsInSight = 10;
constexpr int QueueColumnWidths[] = {150, 100, 120, 64, 64};
constexpr int ResultColumn = 4;
constexpr int ScrollBarPixels = 18;

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

QString itemCaption(const TrainingItem& item)
{
    return QStringLiteral("%1 %2 %3")
        .arg(TrainingLook::numberCaption(item.number), kindName(item.kind))
        .arg(item.index);
}

QString reasonText(const QueueEntry& entry, const ItemProgress& progress, int today)
{
    switch (entry.reason) {
    case QueueReason::Due: {
        const int overdue = today - progress.schedule->dueDay;
        if (overdue <= 0)
            return QStringLiteral("due");
        return QStringLiteral("%1 %2 overdue")
            .arg(overdue)
            .arg(overdue == 1 ? QStringLiteral("day") : QStringLiteral("days"));
    }
    case QueueReason::FirstJunction:
        return QStringLiteral("first review");
    case QueueReason::NewBlock:
        break;
    }
    return QStringLiteral("new: Learn");
}

QString ratingName(Rating rating)
{
    switch (rating) {
    case Rating::Again:
        return QStringLiteral("Again");
    case Rating::Hard:
        return QStringLiteral("Hard");
    case Rating::Good:
        return QStringLiteral("Good");
    case Rating::Easy:
        break;
    }
    return QStringLiteral("Easy");
}
} // namespace

ReviewView::ReviewView(const TrainingHistory& history, TrainingNumber number, int today, TrainingStore& store,
                       const TrainingClock& clock, QWidget* parent)
    : QWidget(parent), m_today(today), m_progress(history.progress),
      // The day's queue of every number, as the summary plans it: the cap holds for the day, not for each number.
      m_queue(queueOfNumber(
          buildDayQueue(m_progress, today, history.settings.scheduler(), history.settings.queue(), history.pace),
          m_progress, number)),
      m_recorder(store),
      m_session(std::make_unique<ReviewSession>(reviewTasks(m_progress, m_queue, history.itemPacesMs, history.notes),
                                                clock, m_recorder, history.settings.scheduler()))
{
    setObjectName(QStringLiteral("reviewView"));
    createControls();
    fillQueue();
    showItem();
}

ReviewView::~ReviewView()
{
    m_session->finish();
    m_grid->release();
}

void ReviewView::createControls()
{
    m_queueTitle = TrainingLook::makeLabel(this, "reviewQueueTitle", 11, true);
    m_queueTitle->setWordWrap(true);
    m_queueTable = new QTableWidget(0, int(std::size(QueueColumnWidths)), this);
    m_queueTable->setObjectName(QStringLiteral("reviewQueue"));
    m_queueTable->setFont(TrainingLook::font(10));
    m_queueTable->horizontalHeader()->setFont(TrainingLook::font(10, true));
    m_queueTable->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Digits"), QStringLiteral("Why"),
                                             QStringLiteral("Minutes"), QStringLiteral("Grade")});
    m_queueTable->verticalHeader()->hide();
    m_queueTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < int(std::size(QueueColumnWidths)); ++column)
        m_queueTable->setColumnWidth(column, QueueColumnWidths[column]);
    m_queueTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_queueTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_queueTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_queueTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_queueTable->setFocusPolicy(Qt::NoFocus);
    m_queueTable->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_item = TrainingLook::makeLabel(this, "reviewItem", 12, true);
    m_item->setWordWrap(true);
    m_outcome = TrainingLook::makeLabel(this, "reviewOutcome", 11, true, TrainingLook::WarningColour);
    m_outcome->setWordWrap(true);

    TrainingGrid::Calls calls;
    calls.nextCell = [this] { return m_session->nextCell(); };
    calls.digitTaken = [this] { showState(); };
    calls.key = [this](QKeyEvent& event) { return handleKey(event); };
    m_grid = new TrainingGrid(this, std::move(calls));

    m_back = TrainingLook::makeButton(this, "btnBack", QStringLiteral("BACK"));
    m_back->passFocusTo(&m_grid->grid());
    connect(m_back, &SkinButton::clicked, this, &ReviewView::goBack, Qt::QueuedConnection);
}

void ReviewView::fillQueue()
{
    int toLearn = 0;
    double reviewMinutes = 0.0;
    m_queueTable->setRowCount(int(m_queue.entries.size()));
    for (int row = 0; row < int(m_queue.entries.size()); ++row) {
        const QueueEntry& entry = m_queue.entries[std::size_t(row)];
        const ItemProgress& progress = m_progress[entry.progressIndex];
        const TrainingItem& item = progress.item;
        if (entry.reason == QueueReason::NewBlock)
            ++toLearn;
        else
            reviewMinutes += entry.minutes;
        const QString texts[] = {
            itemCaption(item), QStringLiteral("%1-%2").arg(item.firstPosition).arg(item.lastPosition),
            reasonText(entry, progress, m_today), QString::number(entry.minutes, 'f', 1), QString()};
        for (int column = 0; column < int(std::size(texts)); ++column)
            m_queueTable->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    const int toReview = int(m_session->tasks().size());
    QString title = QStringLiteral("Today's queue: %1 to review, about %2 min")
                        .arg(toReview)
                        .arg(QString::number(reviewMinutes, 'f', 0));
    if (toLearn > 0)
        title += QStringLiteral("; %1 new %2 to learn")
                     .arg(toLearn)
                     .arg(toLearn == 1 ? QStringLiteral("block") : QStringLiteral("blocks"));
    if (m_queue.waiting > 0)
        title += QStringLiteral("; %1 more wait for the next days").arg(m_queue.waiting);
    m_queueTitle->setText(title);
}

void ReviewView::takeFocus()
{
    m_grid->grid().takeFocus();
}

bool ReviewView::handleKey(QKeyEvent& event)
{
    switch (m_session->phase()) {
    case ReviewSession::Phase::Recalling:
        if (event.key() != HintKey)
            return false;
        m_session->hint();
        m_grid->showTexts();
        showState();
        return true;
    case ReviewSession::Phase::Failed:
    case ReviewSession::Phase::Passed:
        if (!isEnter(event))
            return false;
        m_session->next();
        showItem();
        return true;
    case ReviewSession::Phase::Done:
        break;
    }
    return false;
}

void ReviewView::showItem()
{
    m_grid->showSheet(*m_session);
    const ReviewTask* task = m_session->task();
    m_grid->grid().setVisible(task != nullptr);
    if (task) {
        m_queueTable->selectRow(int(m_session->current()));
        const TrainingItem& item = task->item;
        m_item->setText(item.kind == ItemKind::Junction
                            ? QStringLiteral("%1, junction %2: after digits %3 to %4, type %5 to %6.")
                                  .arg(TrainingLook::numberCaption(item.number))
                                  .arg(item.index)
                                  .arg(item.cueFirstPosition())
                                  .arg(item.firstPosition - 1)
                                  .arg(item.firstPosition)
                                  .arg(item.lastPosition)
                            : QStringLiteral("%1, block %2: type digits %3 to %4.")
                                  .arg(TrainingLook::numberCaption(item.number))
                                  .arg(item.index)
                                  .arg(item.firstPosition)
                                  .arg(item.lastPosition));
    } else {
        m_queueTable->clearSelection();
        m_item->setText(m_session->tasks().empty() ? QStringLiteral("Nothing is due today.")
                                                   : QStringLiteral("Today's reviews are done: %1 reviewed, %2 failed.")
                                                         .arg(m_session->reviewed())
                                                         .arg(m_session->failed()));
    }
    showState();
}

void ReviewView::showState()
{
    const ReviewSession& session = *m_session;
    m_outcome->clear();
    const std::optional<ReviewSession::Outcome>& outcome = session.outcome();
    if (!outcome)
        return;
    const QString next = QStringLiteral("Next review in %1 %2. Enter: the next item.")
                             .arg(outcome->intervalDays)
                             .arg(outcome->intervalDays == 1 ? QStringLiteral("day") : QStringLiteral("days"));
    m_queueTable->item(int(session.current()), ResultColumn)->setText(ratingName(outcome->rating));
    const RecallKeystroke* failure = session.run()->failure();
    if (!failure) {
        m_outcome->setText(QStringLiteral("%1, %2 s a digit. ")
                               .arg(ratingName(outcome->rating))
                               .arg(outcome->paceMs / 1000.0, 0, 'f', 2) +
                           next);
        return;
    }
    QString text = failure->hint
                       ? QStringLiteral("Digit %1 is %2 (hint).").arg(failure->position).arg(failure->expected)
                       : QStringLiteral("Digit %1: you typed %2; it is %3.")
                             .arg(failure->position)
                             .arg(failure->typed)
                             .arg(failure->expected);
    text += u' ' + next;
    if (!session.task()->note.isEmpty())
        text += QStringLiteral("\nYour note: ") + session.task()->note;
    m_outcome->setText(text);
    m_grid->mark(session.run()->cellOf(failure->position),
                 failure->hint ? TrainingGrid::HintedDigitColour : TrainingGrid::WrongDigitColour);
}

void ReviewView::goBack()
{
    m_session->finish();
    emit back();
}

void ReviewView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int gridWidth = TrainingGrid::width();
    const int left = 20;
    m_item->setGeometry(left, 8, gridWidth + 40, 48);
    m_grid->grid().setGeometry(left, 64, gridWidth, TrainingGrid::height(RowsInSight));
    const QRect grid = m_grid->grid().geometry();
    m_outcome->setGeometry(left, grid.bottom() + 14, gridWidth, 64);
    const int queueLeft = grid.right() + 40;
    int queueWidth = 2;
    for (const int columnWidth : QueueColumnWidths)
        queueWidth += columnWidth;
    m_queueTitle->setGeometry(queueLeft, 8, queueWidth, 48);
    m_queueTable->setGeometry(queueLeft, 64, queueWidth + ScrollBarPixels, grid.height());
    m_back->setGeometry(queueLeft, grid.bottom() + 20, 170, 50);
}

void ReviewView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
    if (m_grid->grid().isVisible())
        DrawControlFrame(painter, m_grid->grid().geometry());
}
