#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"

#include "base/Clock.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/ConcentrationPanel.h"
#include "frmSpecialNumber_Main/StageDrafts.h"
#include "frmSpecialNumber_Main/TimeDisplay.h"
#include "skin/Fonts.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"
#include "stage/RunningAttempt.h"
#include "stage/StageClocks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {
constexpr int TickMilliseconds = 10;

QTimer* makeClock(const char* name, QObject* parent)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(TickMilliseconds);
    return timer;
}
} // namespace

frmSpecialNumber_Main::frmSpecialNumber_Main(QWidget* owner, const StageSettings& settings, const DigitSource& source,
                                             Clock& clock)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), m_surface(this),
      m_attempt(std::make_unique<RunningAttempt>(settings, source, RunningAttempt::chooseDraftNumber(clock), clock)),
      m_state(m_attempt->state())
{
    setObjectName(QStringLiteral("frmSpecialNumber_Main"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);

    createControls();
    setUpGrid();
    m_drafts = new StageDrafts(this, *m_grid, *m_attempt, [this] { showCurrentGroup(); });
    showCurrentGroup();

    // Key preview: the stage sees every key of its window before the control that has the focus.
    qApp->installEventFilter(this);
}

frmSpecialNumber_Main::~frmSpecialNumber_Main()
{
    qApp->removeEventFilter(this);
    stopClocks();
    // The attempt goes before the child widgets: the grid lets go of its sheet first.
    m_grid->clearSheet();
}

void frmSpecialNumber_Main::createControls()
{
    m_grid = new AnswerGrid(this);
    AnswerGridHooks hooks;
    hooks.beforeEdit = [this](int row, int column, bool& cancel) { beforeEdit(row, column, cancel); };
    hooks.afterEdit = [this](int row, int column) { afterEdit(row, column); };
    hooks.cellChanged = [this](int, int, int, int) {
        if (!m_firstActivation && !hasEnded())
            showCurrentGroup();
    };
    m_grid->setHooks(std::move(hooks));

    m_groupLabel = new QLabel(this);
    m_groupLabel->setObjectName(QStringLiteral("lbGroup"));
    QFont labelFont(tahomaFamily());
    labelFont.setPointSizeF(9);
    labelFont.setBold(true);
    m_groupLabel->setFont(labelFont);
    m_groupLabel->hide();

    m_timeDisplay = new TimeDisplay(this);
    m_timeDisplay->setResizeText([this] { return timeDisplayResizeText(m_state); });
    connect(m_timeDisplay, &TimeDisplay::clicked, this, &frmSpecialNumber_Main::toggleCountDown);

    const auto makeButton = [this](const char* name, const char* caption) {
        auto* button = new SkinButton(skinImage(), QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        QPalette palette = button->palette();
        palette.setColor(QPalette::Window, QColor(SkinPieces::InnerColour));
        button->setPalette(palette);
        button->passFocusTo(m_grid);
        button->hide();
        return button;
    };
    m_back = makeButton("btnBack", "BACK");
    m_finish = makeButton("btnFinish", "FINISH");

    m_concentration = new ConcentrationPanel(this);
    m_concentration->hide();
    m_concentration->cancelButton().passFocusTo(m_grid);

    // Queued: the confirmations wait in a modal box, and the stage may end and go while they wait,
    // so they run from the event loop rather than inside the button's own mouse handler.
    connect(m_back, &SkinButton::clicked, this, &frmSpecialNumber_Main::confirmLeave, Qt::QueuedConnection);
    connect(&m_concentration->cancelButton(), &SkinButton::clicked, this, &frmSpecialNumber_Main::confirmLeave,
            Qt::QueuedConnection);
    connect(m_finish, &SkinButton::clicked, this, &frmSpecialNumber_Main::confirmFinish, Qt::QueuedConnection);

    m_trmConcentration = makeClock("trmConcentration", this);
    m_trmSure = makeClock("trmSure", this);
    m_trmEdit = makeClock("trmEdit", this);
    connect(m_trmConcentration, &QTimer::timeout, this, &frmSpecialNumber_Main::concentrationTick);
    connect(m_trmSure, &QTimer::timeout, this, &frmSpecialNumber_Main::stageTick);
    connect(m_trmEdit, &QTimer::timeout, this, &frmSpecialNumber_Main::digitTick);
}

void frmSpecialNumber_Main::setUpGrid()
{
    m_grid->setSheet(*m_attempt);
    m_grid->setColumnWidthUnits(0, AnswerGrid::HeaderColumnUnits);
}

bool frmSpecialNumber_Main::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !hasEnded()) {
        if (m_firstActivation) {
            startConcentration();
            m_firstActivation = false;
        }
        m_grid->takeFocus();
    }
    return QWidget::event(event);
}

bool frmSpecialNumber_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || hasEnded())
        return QWidget::eventFilter(watched, event);
    // An ignored key travels on to the parents of its receiver; only its first delivery is previewed.
    auto* receiver = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    const bool firstDelivery = focus ? receiver == focus : receiver == this;
    if (firstDelivery && receiver->window() == this)
        return previewKey(static_cast<QKeyEvent*>(event), receiver);
    return QWidget::eventFilter(watched, event);
}

bool frmSpecialNumber_Main::previewKey(QKeyEvent* event, QWidget* receiver)
{
    QPointer<frmSpecialNumber_Main> alive(this);
    if (handleDraftKey(event)) {
        if (alive && !hasEnded())
            m_grid->takeFocus();
        return true;
    }
    m_grid->takeFocus();
    const auto inGrid = [this](const QWidget* widget) { return widget == m_grid || m_grid->isAncestorOf(widget); };
    if (inGrid(receiver))
        return false;
    // A key that reached another control of the window goes on to the grid, so that no typed digit is lost;
    // also while no window of the program is active (no window manager gives the activation back).
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = m_grid->focusWidget() ? m_grid->focusWidget() : m_grid;
    if (!inGrid(target))
        return false;
    const std::unique_ptr<QKeyEvent> copy(event->clone());
    QCoreApplication::sendEvent(target, copy.get());
    return true;
}

void frmSpecialNumber_Main::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_surface.paintOnto(painter, event->rect());
}

void frmSpecialNumber_Main::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        layOutStage();
}

void frmSpecialNumber_Main::closeEvent(QCloseEvent* event)
{
    // The window system's close (Alt+F4) would drop a running attempt without a word; BACK asks first.
    if (event->spontaneous() && !hasEnded()) {
        event->ignore();
        return;
    }
    // However the stage closes, its clocks stop first and nothing of it acts again.
    stopClocks();
    m_attempt->end();
    QWidget::closeEvent(event);
}
