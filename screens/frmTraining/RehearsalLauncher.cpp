#include "frmTraining/RehearsalLauncher.h"

#include "frmMain/frmMain.h"
#include "journal/JournalVerifier.h"
#include "stage/AttemptOutcome.h"
#include "training/RehearsalHistory.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <memory>

RehearsalLauncher::RehearsalLauncher(Clock& clock, TrainingRecorder& recorder, QObject* parent)
    : QObject(parent), m_clock(clock), m_recorder(recorder)
{
}

RehearsalLauncher::~RehearsalLauncher()
{
    delete m_window;
}

frmMain* RehearsalLauncher::window() const
{
    return m_window;
}

bool RehearsalLauncher::start(TrainingNumber number)
{
    if (!m_window) {
        auto window = std::make_unique<frmMain>(m_clock);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!window->load())
            return false;
        connect(window.get(), &frmMain::attemptEnded, this, &RehearsalLauncher::attemptEnded);
        m_window = window.release();
    }
    // A rehearsal under way keeps its number; the list picks only between attempts.
    if (!m_window->workingScreen())
        m_window->beginRehearsal(typeListPosition(number));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

void RehearsalLauncher::attemptEnded(const AttemptEvidence& evidence)
{
    if (evidence.journalPath.isEmpty())
        return;
    // Checking a whole pi journal takes a tenth of a second: not on the thread that shows the results.
    // The application object carries the result back; the pointer is read there only.
    const QString journal = evidence.journalPath;
    QPointer<RehearsalLauncher> self(this);
    QThreadPool::globalInstance()->start([self, journal] {
        auto result = std::make_shared<const VerificationResult>(verifyJournalFile(journal));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, result] {
                if (!self)
                    return;
                if (const std::optional<qint64> session = recordRehearsal(*result, self->m_recorder))
                    emit self->recorded(*session);
            },
            Qt::QueuedConnection);
    });
}
