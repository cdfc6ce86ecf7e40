#include "frmTraining/LearnView.h"

#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmTraining/TrainingGrid.h"
#include "frmTraining/TrainingLook.h"
#include "skin/FramePainter.h"
#include "skin/SkinPieces.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {
constexpr int RowsInSight = 10;

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}
} // namespace

LearnView::LearnView(std::vector<TrainingItem> blocks, std::map<QString, QString> notes, FsrsScheduler scheduler,
                     TrainingStore& store, const TrainingClock& clock, QWidget* parent)
    : QWidget(parent), m_recorder(store),
      m_session(
          std::make_unique<LearnSession>(std::move(blocks), std::move(notes), clock, m_recorder, std::move(scheduler)))
{
    setObjectName(QStringLiteral("learnView"));
    createControls();
    showSheet();
}

LearnView::~LearnView()
{
    m_session->finish();
    // The session goes before the child widgets: the grid lets go of its sheet first.
    m_grid->release();
}

AnswerGrid& LearnView::grid() const
{
    return m_grid->grid();
}

void LearnView::createControls()
{
    m_blockLine = TrainingLook::makeLabel(this, "learnBlock", 13, true);
    m_prompt = TrainingLook::makeLabel(this, "learnPrompt", 11, false);
    m_outcome = TrainingLook::makeLabel(this, "learnOutcome", 11, true, TrainingLook::WarningColour);
    m_outcome->setWordWrap(true);

    TrainingGrid::Calls calls;
    calls.nextCell = [this] { return m_session->nextCell(); };
    calls.digitTaken = [this] {
        if (m_session->phase() != LearnSession::Phase::Recalling)
            showPhase();
    };
    calls.key = [this](QKeyEvent& event) { return handleKey(event); };
    m_grid = new TrainingGrid(this, std::move(calls));

    m_noteLabel = TrainingLook::makeLabel(this, "learnNoteLabel", 10, true);
    m_noteLabel->setText(QStringLiteral("Your note for this block (an image, a place), shown when it fails:"));
    m_note = new QLineEdit(this);
    m_note->setObjectName(QStringLiteral("learnNote"));
    m_note->setFont(TrainingLook::font(11));
    connect(m_note, &QLineEdit::editingFinished, this, &LearnView::saveNote);
    connect(m_note, &QLineEdit::returnPressed, this, &LearnView::takeFocus);

    m_back = TrainingLook::makeButton(this, "btnBack", QStringLiteral("BACK"));
    m_back->passFocusTo(&m_grid->grid());
    connect(m_back, &SkinButton::clicked, this, &LearnView::goBack, Qt::QueuedConnection);
}

void LearnView::takeFocus()
{
    m_grid->grid().takeFocus();
}

bool LearnView::handleKey(QKeyEvent& event)
{
    switch (m_session->phase()) {
    case LearnSession::Phase::Showing:
        if (!isEnter(event))
            return false;
        saveNote();
        m_session->hide();
        showSheet();
        return true;
    case LearnSession::Phase::Recalling:
        if (event.key() != HintKey)
            return false;
        m_session->hint();
        m_grid->showTexts();
        showPhase();
        return true;
    case LearnSession::Phase::Failed:
    case LearnSession::Phase::Learned:
        if (!isEnter(event))
            return false;
        saveNote();
        m_session->next();
        showSheet();
        return true;
    case LearnSession::Phase::Done:
        break;
    }
    return false;
}

void LearnView::showSheet()
{
    m_grid->showSheet(*m_session);
    showPhase();
}

void LearnView::showPhase()
{
    const LearnSession::Phase phase = m_session->phase();
    const TrainingItem* block = m_session->block();
    if (block)
        m_blockLine->setText(QStringLiteral("%1, block %2: digits %3 to %4")
                                 .arg(TrainingLook::numberCaption(block->number))
                                 .arg(block->index)
                                 .arg(block->firstPosition)
                                 .arg(block->lastPosition));
    m_outcome->clear();
    const std::optional<LearnSession::Ending>& ending = m_session->ending();
    switch (phase) {
    case LearnSession::Phase::Showing:
        m_prompt->setText(QStringLiteral("Look at the digits for as long as you like. Enter hides them and starts "
                                         "the recall."));
        break;
    case LearnSession::Phase::Recalling:
        m_prompt->setText(QStringLiteral("Type the block from its first digit. F1 shows the next digit (the recall "
                                         "then counts as failed)."));
        break;
    case LearnSession::Phase::Failed: {
        m_prompt->setText(QStringLiteral("Enter shows the block again."));
        QString text = ending->typed.isNull()
                           ? QStringLiteral("Digit %1 is %2 (hint).").arg(ending->position).arg(ending->expected)
                           : QStringLiteral("Digit %1: you typed %2; it is %3.")
                                 .arg(ending->position)
                                 .arg(ending->typed)
                                 .arg(ending->expected);
        if (!m_session->note().isEmpty())
            text += QStringLiteral("\nYour note: ") + m_session->note();
        m_outcome->setText(text);
        m_grid->mark(ending->cell,
                     ending->typed.isNull() ? TrainingGrid::HintedDigitColour : TrainingGrid::WrongDigitColour);
        break;
    }
    case LearnSession::Phase::Learned:
        m_prompt->setText(QStringLiteral("Enter shows the next block."));
        m_outcome->setText(QStringLiteral("Learned without an error: its first review, %1. Next review in %2 %3.")
                               .arg(ending->rating == Rating::Hard ? QStringLiteral("Hard") : QStringLiteral("Good"))
                               .arg(ending->intervalDays)
                               .arg(ending->intervalDays == 1 ? QStringLiteral("day") : QStringLiteral("days")));
        break;
    case LearnSession::Phase::Done:
        m_blockLine->setText(QStringLiteral("Every block of this number is learned."));
        m_prompt->clear();
        break;
    }
    const bool noteShown = block && phase != LearnSession::Phase::Recalling && phase != LearnSession::Phase::Done;
    m_note->setText(m_session->note());
    m_note->setVisible(noteShown);
    m_noteLabel->setVisible(noteShown);
    m_grid->grid().setVisible(phase != LearnSession::Phase::Done);
    update();
}

void LearnView::saveNote()
{
    m_session->setNote(m_note->text().trimmed());
}

void LearnView::goBack()
{
    saveNote();
    m_session->finish();
    emit back();
}

void LearnView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int gridWidth = TrainingGrid::width();
    const int left = (width() - gridWidth) / 2;

    m_blockLine->setGeometry(left, 16, gridWidth + 200, 26);
    m_prompt->setGeometry(left, 46, width() - left - 20, 22);
    QWidget& grid = m_grid->grid();
    grid.setGeometry(left, 84, gridWidth, TrainingGrid::height(RowsInSight));
    const int below = grid.geometry().bottom() + 18;
    m_outcome->setGeometry(left, below, gridWidth, 48);
    m_noteLabel->setGeometry(left, below + 56, gridWidth, 20);
    m_note->setGeometry(left, below + 80, gridWidth, 30);
    m_back->setGeometry(grid.geometry().right() + 40, grid.geometry().bottom() - 50, 170, 50);
}

void LearnView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
    if (m_grid->grid().isVisible())
        DrawControlFrame(painter, m_grid->grid().geometry());
}
