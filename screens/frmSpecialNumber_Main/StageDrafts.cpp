#include "frmSpecialNumber_Main/StageDrafts.h"

#include "base/Clock.h"
#include "boxes/modMsgBox.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "record/AttemptRecord.h"
#include "stage/StageState.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>

#ifdef Q_OS_LINUX
#include <sched.h>
#endif

namespace {
const QString AccessCode = QStringLiteral("qvz");
const QString RestoredFileName = QStringLiteral("draft_record.xml");

// One reading given out again, so that a start computed from it and the measurement agree.
class FixedReading final : public Clock
{
public:
    explicit FixedReading(float seconds) : m_seconds(seconds) {}
    float secondsSinceMidnight() const override { return m_seconds; }

private:
    float m_seconds;
};

// The writer thread is woken by every keystroke. On a busy machine the wake-up would take the processor from
// the user-interface thread in the middle of the keystroke; a batch thread waits until a processor is free.
void yieldToInteractiveThreads()
{
#ifdef Q_OS_LINUX
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
    const sched_param parameters{};
    sched_setscheduler(0, SCHED_BATCH, &parameters); // a refusal only leaves the thread as it was
#endif
}
} // namespace

StageDrafts::StageDrafts(QWidget* stageWindow, AnswerGrid& grid, StageState& state, const Clock& clock,
                         std::function<void()> showCurrentGroup)
    : QObject(stageWindow), m_stageWindow(stageWindow), m_grid(grid), m_state(state), m_clock(clock),
      m_showCurrentGroup(std::move(showCurrentGroup)),
      m_writer([this](const QString& path, const QByteArray&) { return serializeAndWrite(path); }),
      m_notice(new QLabel(stageWindow))
{
    m_notice->setObjectName(QStringLiteral("draftNotice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setWordWrap(true);
    m_notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_notice->setStyleSheet(QStringLiteral("QLabel { background: rgb(255, 244, 204); color: rgb(150, 0, 0); "
                                           "border: 1px solid rgb(150, 0, 0); padding: 4px; }"));
    m_notice->hide();
    stageWindow->installEventFilter(this);
    connect(&m_writer, &DraftWriter::writeFinished, this, &StageDrafts::writeFinished);
}

StageDrafts::~StageDrafts()
{
    m_writer.waitForIdle();
}

void StageDrafts::saveDraft()
{
    {
        const std::lock_guard lock(m_recordMutex);
        if (m_recallStarted) {
            m_state.stageSeconds =
                RecordAnswers(m_state.stageStartTime, m_state.maxStageSeconds, m_clock, m_grid.answers().sheet());
        } else {
            // Before the recall the stage start time times the countdown; the used time is what drafts restored.
            const FixedReading now(m_clock.secondsSinceMidnight());
            m_state.stageSeconds = RecordAnswers(now.secondsSinceMidnight() - m_pendingRestoredSeconds,
                                                 m_state.maxStageSeconds, now, m_grid.answers().sheet());
        }
    }
    // The writer serialises the record when it gets to this file, so a newer save that came meanwhile is
    // what it writes.
    const QString fileName =
        QStringLiteral("draft_record_") + QString::number(m_state.draftNumber) + QStringLiteral(".xml");
    m_writer.submit(programFilePath(fileName), QByteArray());
    // After the stage has ended, the stage itself may change the record at any moment.
    if (m_stageEnded)
        waitForPendingWrite();
}

WriteResult StageDrafts::serializeAndWrite(const QString& path)
{
    yieldToInteractiveThreads();
    QByteArray bytes;
    {
        const std::lock_guard lock(m_recordMutex);
        bytes = AttemptRecord.serialize();
    }
    return writeFileAtomically(path, bytes);
}

bool StageDrafts::handleKeyPress(QKeyEvent* event)
{
    const Qt::KeyboardModifiers held = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() != Qt::Key_F12 || held != Qt::ControlModifier)
        return false;
    event->accept();
    if (m_stageEnded)
        return true;
    // The stage's clocks keep ticking under the prompt and may end and close the stage meanwhile.
    const QPointer<StageDrafts> self(this);
    const QString code =
        PromptForText(m_stageWindow, QStringLiteral("KORVALIN"), QStringLiteral("Draft kayıt yükleme kodunu giriniz:"));
    if (!self || m_stageEnded)
        return true;
    if (code == AccessCode)
        loadDraft();
    return true;
}

void StageDrafts::loadDraft()
{
    if (m_stageEnded)
        return;
    const int rows = m_grid.dataRowCount();
    const int columns = m_grid.dataColumnCount();
    std::unique_lock lock(m_recordMutex);
    if (const auto error = AttemptRecord.loadFromFile(programFilePath(RestoredFileName), rows, columns)) {
        lock.unlock();
        m_loadError = QStringLiteral("The draft was not loaded: %1.").arg(*error);
        updateNotice();
        return;
    }
    // Only this thread changes the record; reading it alongside the writer needs no lock.
    lock.unlock();
    const float restored = AttemptRecord.usedTime().value_or(0.0f);
    m_loadError.clear();
    updateNotice();

    m_grid.setDimensions(rows, columns);
    m_grid.answers().setTexts(AttemptRecord.answers());
    if (m_showCurrentGroup)
        m_showCurrentGroup();
    // During the countdown stageStartTime times the countdown; moving it would cut the countdown short.
    if (m_recallStarted)
        m_state.stageStartTime -= restored;
    else
        m_pendingRestoredSeconds += restored;
}

void StageDrafts::recallStarted()
{
    if (m_recallStarted)
        return;
    m_recallStarted = true;
    m_state.stageStartTime -= m_pendingRestoredSeconds;
    m_pendingRestoredSeconds = 0.0f;
}

void StageDrafts::stageEnding()
{
    m_stageEnded = true;
    closeOpenPrompt();
    waitForPendingWrite();
}

void StageDrafts::waitForPendingWrite()
{
    m_writer.waitForIdle();
    // The outcome is queued to this thread; deliver it now rather than after the stage has closed.
    QCoreApplication::sendPostedEvents(&m_writer, QEvent::MetaCall);
}

QString StageDrafts::noticeText() const
{
    return m_notice && !m_notice->isHidden() ? m_notice->text() : QString();
}

bool StageDrafts::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_stageWindow && event->type() == QEvent::Resize && m_notice && !m_notice->isHidden())
        placeNotice();
    return QObject::eventFilter(watched, event);
}

void StageDrafts::writeFinished(const QString& /*path*/, bool ok, const QString& error)
{
    // Results arrive in the order of the writes, so the last one tells the state of the newest save.
    if (ok)
        m_saveError.clear();
    else
        m_saveError = QStringLiteral("The draft could not be saved: %1. The attempt goes on; the next entry "
                                     "saves it again.")
                          .arg(error);
    updateNotice();
}

void StageDrafts::updateNotice()
{
    if (!m_notice)
        return;
    QStringList lines;
    if (!m_saveError.isEmpty())
        lines.append(m_saveError);
    if (!m_loadError.isEmpty())
        lines.append(m_loadError);
    if (lines.isEmpty()) {
        m_notice->hide();
        m_notice->clear();
        return;
    }
    m_notice->setText(lines.join(u'\n'));
    placeNotice();
    m_notice->show();
    m_notice->raise();
}

void StageDrafts::placeNotice()
{
    // Along the bottom edge of the stage window, over the end of the grid: away from the clocks and buttons.
    const int width = std::max(m_stageWindow->width() - 2 * NoticeMargin, 1);
    const int height = m_notice->heightForWidth(width);
    m_notice->setGeometry(NoticeMargin, m_stageWindow->height() - NoticeMargin - height, width, height);
}
