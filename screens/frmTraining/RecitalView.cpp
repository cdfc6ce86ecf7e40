#include "frmTraining/RecitalView.h"

#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmTraining/TrainingGrid.h"
#include "frmTraining/TrainingLook.h"
#include "skin/FramePainter.h"
#include "skin/SkinPieces.h"
#include "training/TrainingItems.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>

namespace {
constexpr int RowsInSight = 10;

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

QSpinBox* makeSpinBox(QWidget* parent, const char* objectName, int minimum, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setFont(TrainingLook::font(11));
    box->setRange(minimum, maximum);
    return box;
}
} // namespace

RecitalView::RecitalView(TrainingNumber number, int fromPosition, TrainingStore& store, const TrainingClock& clock,
                         QWidget* parent)
    : QWidget(parent), m_number(number), m_clock(clock), m_recorder(store)
{
    setObjectName(QStringLiteral("recitalView"));
    createControls();
    m_from->setValue(fromPosition);
    start(m_from->value(), std::nullopt);
}

RecitalView::~RecitalView()
{
    m_session->finish();
    m_grid->release();
}

void RecitalView::createControls()
{
    const int length = int(numberDigits(m_number).size());
    m_title = TrainingLook::makeLabel(this, "recitalTitle", 13, true);
    m_fromLabel = TrainingLook::makeLabel(this, "recitalFromLabel", 11, false);
    m_fromLabel->setText(QStringLiteral("From digit"));
    m_from = makeSpinBox(this, "recitalFrom", 1, length);
    m_blockLabel = TrainingLook::makeLabel(this, "recitalBlockLabel", 11, false);
    m_blockLabel->setText(QStringLiteral("or block"));
    m_block = makeSpinBox(this, "recitalBlock", 0, blockCount(length));
    m_block->setSpecialValueText(QStringLiteral("-"));
    m_countLabel = TrainingLook::makeLabel(this, "recitalCountLabel", 11, false);
    m_countLabel->setText(QStringLiteral("Digits"));
    m_count = makeSpinBox(this, "recitalCount", 0, length);
    m_count->setSpecialValueText(QStringLiteral("until an error"));
    connect(m_block, &QSpinBox::valueChanged, this, [this](int block) {
        if (block > 0)
            m_from->setValue((block - 1) * BlockLength + 1);
    });
    for (QSpinBox* box : {m_from, m_block, m_count})
        connect(box, &QSpinBox::editingFinished, this, [this, box] {
            if (box->hasFocus())
                startFromControls();
        });
    m_start = TrainingLook::makeButton(this, "btnStart", QStringLiteral("START"));
    connect(m_start, &SkinButton::clicked, this, &RecitalView::startFromControls, Qt::QueuedConnection);

    m_pace = TrainingLook::makeLabel(this, "recitalPace", 12, true);
    m_outcome = TrainingLook::makeLabel(this, "recitalOutcome", 11, true, TrainingLook::WarningColour);
    m_outcome->setWordWrap(true);

    TrainingGrid::Calls calls;
    calls.nextCell = [this] { return m_session->nextCell(); };
    calls.digitTaken = [this] { digitTaken(); };
    calls.key = [this](QKeyEvent& event) { return handleKey(event); };
    // The window moves on only past its last cell.
    calls.lastCellTaken = [this] {
        if (m_session->windowVersion() != m_shownWindow) {
            m_shownWindow = m_session->windowVersion();
            m_grid->showSheet(*m_session);
        }
    };
    m_grid = new TrainingGrid(this, std::move(calls));

    m_back = TrainingLook::makeButton(this, "btnBack", QStringLiteral("BACK"));
    m_back->passFocusTo(&m_grid->grid());
    m_start->passFocusTo(&m_grid->grid());
    connect(m_back, &SkinButton::clicked, this, &RecitalView::goBack, Qt::QueuedConnection);
}

void RecitalView::takeFocus()
{
    m_grid->grid().takeFocus();
}

void RecitalView::start(int position, std::optional<int> count)
{
    if (m_session)
        m_session->finish();
    m_grid->release();
    m_session = std::make_unique<RecitalSession>(m_number, position, count, m_clock, m_recorder);
    m_shownWindow = m_session->windowVersion();
    m_grid->showSheet(*m_session);
    showState();
}

void RecitalView::startFromControls()
{
    const int count = m_count->value();
    start(m_from->value(), count > 0 ? std::optional<int>(count) : std::nullopt);
    takeFocus();
}

bool RecitalView::handleKey(QKeyEvent& event)
{
    if (isEnter(event) && m_session->phase() != RecitalSession::Phase::Reciting) {
        startFromControls();
        return true;
    }
    return false;
}

void RecitalView::digitTaken()
{
    showState();
}

void RecitalView::showState()
{
    const RecitalSession& session = *m_session;
    m_title->setText(QStringLiteral("%1, recital from digit %2%3")
                         .arg(TrainingLook::numberCaption(m_number))
                         .arg(session.firstPosition())
                         .arg(session.lastPosition() < int(numberDigits(m_number).size())
                                  ? QStringLiteral(" to %1").arg(session.lastPosition())
                                  : QString()));
    const std::optional<double> pace = session.secondsPerDigit();
    m_pace->setText(pace ? QStringLiteral("%1 %2, %3 s a digit")
                               .arg(session.correct())
                               .arg(session.correct() == 1 ? QStringLiteral("digit") : QStringLiteral("digits"))
                               .arg(*pace, 0, 'f', 2)
                         : QStringLiteral("Type the digits from digit %1.").arg(session.nextPosition()));
    switch (session.phase()) {
    case RecitalSession::Phase::Reciting:
    case RecitalSession::Phase::Stopped:
        m_outcome->clear();
        break;
    case RecitalSession::Phase::Wrong: {
        const RecitalSession::Mistake& mistake = *session.mistake();
        m_outcome->setText(QStringLiteral("Digit %1: you typed %2; it is %3. Enter recites again.")
                               .arg(mistake.position)
                               .arg(mistake.typed)
                               .arg(mistake.expected));
        m_grid->mark(mistake.cell, TrainingGrid::WrongDigitColour);
        break;
    }
    case RecitalSession::Phase::Counted:
    case RecitalSession::Phase::Whole:
        m_outcome->setText(QStringLiteral("All %1 digits without an error. Enter recites again.").arg(session.typed()));
        break;
    }
}

void RecitalView::goBack()
{
    m_session->finish();
    emit back();
}

void RecitalView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int gridWidth = TrainingGrid::width();
    const int left = (width() - gridWidth) / 2;
    m_title->setGeometry(left, 8, gridWidth + 300, 26);
    int x = left;
    const auto place = [&x](QWidget* widget, int widgetWidth) {
        widget->setGeometry(x, 44, widgetWidth, 28);
        x += widgetWidth + 8;
    };
    place(m_fromLabel, 80);
    place(m_from, 90);
    place(m_blockLabel, 64);
    place(m_block, 70);
    place(m_countLabel, 52);
    place(m_count, 150);
    m_pace->setGeometry(left, 82, gridWidth, 24);
    m_grid->grid().setGeometry(left, 112, gridWidth, TrainingGrid::height(RowsInSight));
    const QRect grid = m_grid->grid().geometry();
    m_outcome->setGeometry(left, grid.bottom() + 14, gridWidth, 48);
    m_start->setGeometry(grid.right() + 40, grid.top(), 170, 50);
    m_back->setGeometry(grid.right() + 40, grid.bottom() - 50, 170, 50);
}

void RecitalView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
    DrawControlFrame(painter, m_grid->grid().geometry());
}
