#include "frmTraining/RehearseView.h"

#include "base/ClockText.h"
#include "buttons/SkinButton.h"
#include "frmTraining/TrainingLook.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int PastShown = 10;
constexpr QSize ButtonSize(170, 50);

SkinButton* makeButton(const QString& caption, const char* objectName, QWidget* parent)
{
    auto* button = new SkinButton(skinImage(), caption, parent);
    button->setObjectName(QLatin1StringView(objectName));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Window, QColor(SkinPieces::InnerColour));
    button->setPalette(palette);
    return button;
}

QString pastLines(TrainingNumber number, const std::vector<StoredSession>& sessions)
{
    std::vector<StoredSession> rehearsals;
    std::copy_if(sessions.begin(), sessions.end(), std::back_inserter(rehearsals),
                 [number](const StoredSession& s) { return s.mode == TrainingMode::Rehearse && s.number == number; });
    if (rehearsals.empty())
        return QStringLiteral("No rehearsal of this number yet.");
    std::stable_sort(rehearsals.begin(), rehearsals.end(),
                     [](const StoredSession& a, const StoredSession& b) { return a.startedUtc > b.startedUtc; });
    QStringList lines{QStringLiteral("Past rehearsals:")};
    for (std::size_t index = 0; index < rehearsals.size() && index < std::size_t(PastShown); ++index) {
        const StoredSession& session = rehearsals[index];
        lines.append(QStringLiteral("%1    %2 digits, %3 right    %4")
                         .arg(session.startedUtc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                         .arg(session.typed)
                         .arg(session.correct)
                         .arg(clockText(float(session.seconds))));
    }
    return lines.join(u'\n');
}
} // namespace

RehearseView::RehearseView(TrainingNumber number, const std::vector<StoredSession>& sessions, bool canStart,
                           QWidget* parent)
    : QWidget(parent), m_number(number)
{
    setObjectName(QStringLiteral("rehearseView"));
    m_heading = TrainingLook::makeLabel(this, "rehearseHeading", 14, true);
    m_heading->setText(QStringLiteral("Rehearse %1 under the record rules").arg(TrainingLook::numberCaption(number)));
    m_rules = TrainingLook::makeLabel(this, "rehearseRules", 10.5, false);
    m_rules->setWordWrap(true);
    m_rules->setText(QStringLiteral(
        "START opens the settings window with this number picked; its START begins a whole attempt on the record "
        "stage: 15 seconds for each new digit, cells lock after 600 seconds, 8 hours. Its draft, journal and report "
        "are kept as a record attempt's are, but the journal says it is a rehearsal, so it never passes for a "
        "record attempt. When it ends its answers go into your training history."));
    m_past = TrainingLook::makeLabel(this, "rehearsePast", 10.5, false);
    m_past->setText(pastLines(number, sessions));
    m_past->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_start = makeButton(QStringLiteral("START"), "btnRehearse", this);
    m_start->setEnabled(canStart);
    connect(
        m_start, &SkinButton::clicked, this, [this] { emit startRequested(m_number); }, Qt::QueuedConnection);
    m_back = makeButton(QStringLiteral("BACK"), "btnBack", this);
    connect(m_back, &SkinButton::clicked, this, &RehearseView::back, Qt::QueuedConnection);
    m_unavailable = TrainingLook::makeLabel(this, "rehearseUnavailable", 10, true, TrainingLook::WarningColour);
    m_unavailable->setText(QStringLiteral("A rehearsal cannot be started from here."));
    m_unavailable->setVisible(!canStart);
}

QString RehearseView::pastText() const
{
    return m_past->text();
}

void RehearseView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int textWidth = std::min(width() - 40, 820);
    const int left = (width() - textWidth) / 2;
    m_heading->setGeometry(left, 10, textWidth, 32);
    m_rules->setGeometry(left, 52, textWidth, 90);
    const int buttonsTop = 156;
    m_start->setGeometry(width() / 2 - ButtonSize.width() - 10, buttonsTop, ButtonSize.width(), ButtonSize.height());
    m_back->setGeometry(width() / 2 + 10, buttonsTop, ButtonSize.width(), ButtonSize.height());
    m_unavailable->setGeometry(left, buttonsTop + ButtonSize.height() + 6, textWidth, 20);
    m_past->setGeometry(left, buttonsTop + ButtonSize.height() + 34, textWidth,
                        std::max(0, height() - buttonsTop - ButtonSize.height() - 34));
}

void RehearseView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
}
