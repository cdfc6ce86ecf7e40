#include "frmTraining/LearnView.h"

#include "stage/GridLayout.h"

#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "frmTraining/TrainingLook.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"
#include "stage/GroupHighlight.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {
constexpr int ColumnPixels = 56;
constexpr QColor WrongDigitColour(255, 160, 160);
constexpr QColor HintedDigitColour(255, 214, 130);
constexpr int MarkPercent = 100;

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

bool isDigitKey(const QKeyEvent& event)
{
    return event.text().size() == 1 && event.text()[0] >= u'0' && event.text()[0] <= u'9';
}
} // namespace

LearnView::LearnView(std::vector<TrainingItem> blocks, std::map<QString, QString> notes, TrainingStore& store,
                     const TrainingClock& clock, QWidget* parent)
    : QWidget(parent), m_recorder(store),
      m_session(std::make_unique<LearnSession>(std::move(blocks), std::move(notes), clock, m_recorder))
{
    setObjectName(QStringLiteral("learnView"));
    createControls();
    showSheet();
}

LearnView::~LearnView()
{
    m_session->finish();
    // The session goes before the child widgets: the grid lets go of its sheet first.
    m_grid->clearSheet();
}

void LearnView::createControls()
{
    m_blockLine = TrainingLook::makeLabel(this, "learnBlock", 13, true);
    m_prompt = TrainingLook::makeLabel(this, "learnPrompt", 11, false);
    m_outcome = TrainingLook::makeLabel(this, "learnOutcome", 11, true, TrainingLook::WarningColour);
    m_outcome->setWordWrap(true);

    m_grid = new AnswerGrid(this);
    AnswerGridHooks hooks;
    hooks.beforeEdit = [this](int row, int column, bool& cancel) {
        cancel = !m_session->mayOpen(row, column);
        m_grid->setEditMaxLength(1);
    };
    hooks.afterEdit = [this](int, int) {
        if (m_session->phase() != LearnSession::Phase::Recalling)
            showPhase();
    };
    hooks.cellChanged = [this](int, int, int row, int column) {
        showGroup(row, column);
        keepCursorOnNextDigit();
    };
    m_grid->setHooks(std::move(hooks));
    m_grid->installEventFilter(this);

    m_noteLabel = TrainingLook::makeLabel(this, "learnNoteLabel", 10, true);
    m_noteLabel->setText(QStringLiteral("Your note for this block (an image, a place), shown when it fails:"));
    m_note = new QLineEdit(this);
    m_note->setObjectName(QStringLiteral("learnNote"));
    m_note->setFont(TrainingLook::font(11));
    connect(m_note, &QLineEdit::editingFinished, this, &LearnView::saveNote);
    connect(m_note, &QLineEdit::returnPressed, this, &LearnView::takeFocus);

    m_back = new SkinButton(skinImage(), QStringLiteral("BACK"), this);
    m_back->setObjectName(QStringLiteral("btnBack"));
    QPalette palette = m_back->palette();
    palette.setColor(QPalette::Window, QColor(SkinPieces::InnerColour));
    m_back->setPalette(palette);
    m_back->passFocusTo(m_grid);
    connect(m_back, &SkinButton::clicked, this, &LearnView::goBack, Qt::QueuedConnection);
}

void LearnView::takeFocus()
{
    m_grid->takeFocus();
}

bool LearnView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && !m_forwarding)
        return handleKey(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool LearnView::handleKey(QKeyEvent* event)
{
    switch (m_session->phase()) {
    case LearnSession::Phase::Showing:
        if (!isEnter(*event))
            return false;
        saveNote();
        m_session->hide();
        showSheet();
        return true;
    case LearnSession::Phase::Recalling:
        if (event->key() == HintKey) {
            m_session->hint();
            m_grid->answers().sheetTextsChanged();
            showPhase();
            return true;
        }
        if (isDigitKey(*event) &&
            m_session->nextCell() == GridCell{m_grid->dataRowCount(), m_grid->dataColumnCount()}) {
            commitLastDigit(event);
            return true;
        }
        return false;
    case LearnSession::Phase::Failed:
    case LearnSession::Phase::Learned:
        if (!isEnter(*event))
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

// The grid keeps the editor of its last cell open until Enter, as the record stage wants for its last
// digit; here the block's last digit ends the recall as soon as it is typed.
void LearnView::commitLastDigit(QKeyEvent* event)
{
    m_forwarding = true;
    QCoreApplication::sendEvent(m_grid, event);
    m_forwarding = false;
    if (m_grid->isEditing())
        m_grid->setCurrentCell(1, 1);
}

void LearnView::showSheet()
{
    m_grid->clearSheet();
    m_grid->setSheet(*m_session);
    // A new sheet brings the grid's default column widths.
    setColumnWidths();
    showPhase();
    showGroup(m_grid->currentRow(), m_grid->currentColumn());
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
        m_grid->answers().setFlood(ending->cell.row, ending->cell.column,
                                   ending->typed.isNull() ? HintedDigitColour : WrongDigitColour, MarkPercent);
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
    m_grid->setVisible(phase != LearnSession::Phase::Done);
    update();
}

void LearnView::showGroup(int row, int column)
{
    const std::optional<CurrentGroup> group =
        row > 0 && column > 0 ? currentGroup(LearnSession::Columns, GroupSize, row, column) : std::nullopt;
    if (group)
        m_grid->answers().setGroupHighlight(group->row, group->firstColumn, GroupSize);
    else
        m_grid->answers().clearGroupHighlight();
}

// A click elsewhere in the grid during a recall would leave the next digit nowhere to go.
void LearnView::keepCursorOnNextDigit()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            const std::optional<GridCell> next = m_session->nextCell();
            if (next && !m_grid->isEditing() &&
                (m_grid->currentRow() != next->row || m_grid->currentColumn() != next->column))
                m_grid->setCurrentCell(next->row, next->column);
        },
        Qt::QueuedConnection);
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

void LearnView::setColumnWidths()
{
    m_grid->setColumnWidthUnits(0, HeaderColumnUnits);
    for (int column = 1; column <= m_grid->dataColumnCount(); ++column)
        m_grid->setColumnWidthUnits(column, ColumnPixels * WidthUnitsPerPixel);
}

void LearnView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setColumnWidths();
    const int gridWidth =
        HeaderColumnUnits / WidthUnitsPerPixel + LearnSession::Columns * ColumnPixels + ScrollBarWidth;
    const int gridHeight = AnswerGrid::HeaderRowHeight + 10 * AnswerGrid::RowHeight + 2;
    const int left = (width() - gridWidth) / 2;

    m_blockLine->setGeometry(left, 16, gridWidth + 200, 26);
    m_prompt->setGeometry(left, 46, width() - left - 20, 22);
    m_grid->setGeometry(left, 84, gridWidth, gridHeight);
    const int below = m_grid->geometry().bottom() + 18;
    m_outcome->setGeometry(left, below, gridWidth, 48);
    m_noteLabel->setGeometry(left, below + 56, gridWidth, 20);
    m_note->setGeometry(left, below + 80, gridWidth, 30);
    m_back->setGeometry(m_grid->geometry().right() + 40, m_grid->geometry().bottom() - 50, 170, 50);
}

void LearnView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
    if (m_grid->isVisible())
        DrawControlFrame(painter, m_grid->geometry());
}
