#include "frmSpecialNumber_Main/StageDrafts.h"

#include "base/ProgramTitle.h"
#include "boxes/modMsgBox.h"
#include "frmSpecialNumber_Main/AnswerGrid.h"
#include "frmSpecialNumber_Main/AnswerGridModel.h"
#include "record/AttemptRecordDocument.h"
#include "stage/RunningAttempt.h"

#include <QKeyEvent>
#include <QLabel>

namespace {
const QString AccessCode = QStringLiteral("qvz");
} // namespace

StageDrafts::StageDrafts(QWidget* stageWindow, AnswerGrid& grid, RunningAttempt& attempt,
                         std::function<void()> showCurrentGroup)
    : QObject(stageWindow), m_stageWindow(stageWindow), m_grid(grid), m_attempt(attempt),
      m_showCurrentGroup(std::move(showCurrentGroup)), m_notice(new QLabel(stageWindow))
{
    m_notice->setObjectName(QStringLiteral("draftNotice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setWordWrap(true);
    m_notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_notice->setStyleSheet(QStringLiteral("QLabel { background: rgb(255, 244, 204); color: rgb(150, 0, 0); "
                                           "border: 1px solid rgb(150, 0, 0); padding: 4px; }"));
    m_notice->hide();
    stageWindow->installEventFilter(this);
    connect(&m_attempt, &RunningAttempt::draftWritten, this, &StageDrafts::draftWritten);
    connect(&m_attempt, &RunningAttempt::journalWritten, this, &StageDrafts::journalWritten);
}

bool StageDrafts::handleKeyPress(QKeyEvent* event)
{
    const Qt::KeyboardModifiers held = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() != Qt::Key_F12 || held != Qt::ControlModifier)
        return false;
    event->accept();
    if (m_attempt.hasEnded())
        return true;
    // The stage's clocks keep ticking under the prompt and may end and close the stage meanwhile.
    const QPointer<StageDrafts> self(this);
    const QString code =
        PromptForText(m_stageWindow, ProgramTitle, QStringLiteral("Draft kayıt yükleme kodunu giriniz:"));
    if (!self || m_attempt.hasEnded())
        return true;
    if (code == AccessCode)
        loadDraft();
    return true;
}

void StageDrafts::loadDraft()
{
    if (m_attempt.hasEnded())
        return;
    if (const auto error = m_attempt.restoreDraft()) {
        m_loadError = QStringLiteral("The draft was not loaded: %1.").arg(*error);
        updateNotice();
        return;
    }
    m_loadError.clear();
    updateNotice();

    m_grid.answers().sheetTextsChanged();
    if (m_showCurrentGroup)
        m_showCurrentGroup();
}

void StageDrafts::stageEnding()
{
    m_attempt.end();
    closeOpenPrompt();
}

void StageDrafts::waitForPendingWrite()
{
    m_attempt.waitForPendingWrite();
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

void StageDrafts::draftWritten(bool ok, const QString& error)
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

void StageDrafts::journalWritten(bool ok, const QString& error)
{
    if (ok)
        m_journalError.clear();
    else
        m_journalError = QStringLiteral("The attempt journal could not be written: %1. The attempt goes on; the "
                                        "next entry writes what is missing.")
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
    if (!m_journalError.isEmpty())
        lines.append(m_journalError);
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
