#include "frmTraining/DrillView.h"

#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmTraining/TrainingGrid.h"
#include "frmTraining/TrainingLook.h"
#include "skin/FramePainter.h"
#include "skin/SkinPieces.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>

namespace {
constexpr int RowsInSight = 2;

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}
} // namespace

DrillView::DrillView(DrillPositions positions, QRandomGenerator random, TrainingStore& store,
                     const TrainingClock& clock, QWidget* parent)
    : QWidget(parent), m_recorder(store),
      m_session(std::make_unique<DrillSession>(std::move(positions), random, clock, m_recorder))
{
    setObjectName(QStringLiteral("drillView"));
    createControls();
    showQuestion();
}

DrillView::~DrillView()
{
    m_session->finish();
    m_grid->release();
}

void DrillView::createControls()
{
    m_title = TrainingLook::makeLabel(this, "drillTitle", 13, true);
    m_question = TrainingLook::makeLabel(this, "drillQuestion", 11, false);
    m_question->setWordWrap(true);
    m_outcome = TrainingLook::makeLabel(this, "drillOutcome", 11, true, TrainingLook::WarningColour);
    m_outcome->setWordWrap(true);

    TrainingGrid::Calls calls;
    calls.nextCell = [this] { return m_session->nextCell(); };
    calls.digitTaken = [this] { showState(); };
    calls.key = [this](QKeyEvent& event) { return handleKey(event); };
    m_grid = new TrainingGrid(this, std::move(calls));

    m_positionLabel = TrainingLook::makeLabel(this, "drillPositionLabel", 11, false);
    m_positionLabel->setText(QStringLiteral("Ask me the digits at position (Enter):"));
    m_position = new QSpinBox(this);
    m_position->setObjectName(QStringLiteral("drillPosition"));
    m_position->setFont(TrainingLook::font(11));
    m_position->setRange(1, int(numberDigits(m_session->positions().number()).size()));
    connect(m_position, &QSpinBox::editingFinished, this, [this] {
        if (m_position->hasFocus())
            ask(m_position->value());
    });

    m_back = TrainingLook::makeButton(this, "btnBack", QStringLiteral("BACK"));
    m_back->passFocusTo(&m_grid->grid());
    connect(m_back, &SkinButton::clicked, this, &DrillView::goBack, Qt::QueuedConnection);
}

void DrillView::takeFocus()
{
    m_grid->grid().takeFocus();
}

void DrillView::ask(int position)
{
    if (m_session->ask(position))
        showQuestion();
    takeFocus();
}

bool DrillView::handleKey(QKeyEvent& event)
{
    switch (m_session->phase()) {
    case DrillSession::Phase::Asking:
        if (event.key() != HintKey)
            return false;
        m_session->hint();
        m_grid->showTexts();
        showState();
        return true;
    case DrillSession::Phase::Failed:
    case DrillSession::Phase::Passed:
        if (!isEnter(event))
            return false;
        if (m_session->next())
            showQuestion();
        return true;
    case DrillSession::Phase::Nothing:
        break;
    }
    return false;
}

void DrillView::showQuestion()
{
    m_grid->showSheet(*m_session);
    const std::optional<DrillQuestion>& question = m_session->question();
    if (!question) {
        m_question->setText(QStringLiteral("Learn a block first: the drill asks within the digits you have "
                                           "learned. You can still name a position below."));
    } else if (!question->cue) {
        m_question->setText(
            QStringLiteral("Type the %1 digits from digit %2.").arg(question->count).arg(question->position));
    } else if (question->cue->length == 0) {
        m_question->setText(QStringLiteral("Type the first %1 digits after the point.").arg(question->count));
    } else {
        m_question->setText(QStringLiteral("Where are these %1 digits%2? Type the %3 after them.")
                                .arg(question->cue->length)
                                .arg(question->cue->fromStart() ? QStringLiteral(" (from the point)") : QString())
                                .arg(question->count));
    }
    showState();
}

void DrillView::showState()
{
    const DrillSession& session = *m_session;
    const DrillPositions& positions = session.positions();
    m_title->setText(QStringLiteral("%1, position drill: %2 of %3 right")
                         .arg(TrainingLook::numberCaption(positions.number()))
                         .arg(session.passed())
                         .arg(session.answered()));
    m_outcome->clear();
    const std::optional<AskedDigits>& run = session.run();
    if (!run || session.phase() == DrillSession::Phase::Asking)
        return;
    const QString where = QStringLiteral("They are digits %1 to %2.")
                              .arg(session.question()->position)
                              .arg(session.question()->position + session.question()->count - 1);
    if (const RecallKeystroke* failure = run->failure()) {
        const QString what =
            failure->hint ? QStringLiteral("Digit %1 is %2 (hint).").arg(failure->position).arg(failure->expected)
                          : QStringLiteral("Digit %1: you typed %2; it is %3.")
                                .arg(failure->position)
                                .arg(failure->typed)
                                .arg(failure->expected);
        m_outcome->setText(what + u' ' + where + QStringLiteral(" Enter asks the next."));
        m_grid->mark(run->cellOf(failure->position),
                     failure->hint ? TrainingGrid::HintedDigitColour : TrainingGrid::WrongDigitColour);
    } else {
        m_outcome->setText(QStringLiteral("Right. ") + where + QStringLiteral(" Enter asks the next."));
    }
}

void DrillView::goBack()
{
    m_session->finish();
    emit back();
}

void DrillView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int gridWidth = TrainingGrid::width();
    const int left = (width() - gridWidth) / 2;
    m_title->setGeometry(left, 8, gridWidth + 300, 26);
    m_question->setGeometry(left, 44, gridWidth + 200, 48);
    m_grid->grid().setGeometry(left, 100, gridWidth, TrainingGrid::height(RowsInSight));
    const QRect grid = m_grid->grid().geometry();
    m_outcome->setGeometry(left, grid.bottom() + 14, gridWidth, 48);
    m_positionLabel->setGeometry(left, grid.bottom() + 80, 300, 28);
    m_position->setGeometry(left + 306, grid.bottom() + 80, 100, 28);
    m_back->setGeometry(grid.right() + 40, grid.top(), 170, 50);
}

void DrillView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
    DrawControlFrame(painter, m_grid->grid().geometry());
}
