#include "TrainingView.h"

QString viewName(TrainingView view)
{
    switch (view) {
    case TrainingView::SessionSummary:
        return QStringLiteral("session_summary");
    case TrainingView::KeystrokeLog:
        return QStringLiteral("keystroke_log");
    case TrainingView::ItemState:
        return QStringLiteral("item_state");
    case TrainingView::ReviewLog:
        return QStringLiteral("review_log");
    }
    return {};
}

QStringList viewColumns(TrainingView view)
{
    switch (view) {
    case TrainingView::SessionSummary:
        return {QStringLiteral("session_id"),     QStringLiteral("mode"),        QStringLiteral("number"),
                QStringLiteral("first_position"), QStringLiteral("started_utc"), QStringLiteral("seconds"),
                QStringLiteral("typed"),          QStringLiteral("correct")};
    case TrainingView::KeystrokeLog:
        return {QStringLiteral("session_id"), QStringLiteral("seq"),   QStringLiteral("position"),
                QStringLiteral("expected"),   QStringLiteral("typed"), QStringLiteral("ms")};
    case TrainingView::ItemState:
        return {QStringLiteral("item_id"),        QStringLiteral("number"),        QStringLiteral("kind"),
                QStringLiteral("first_position"), QStringLiteral("last_position"), QStringLiteral("stability"),
                QStringLiteral("difficulty"),     QStringLiteral("due_utc"),       QStringLiteral("reps"),
                QStringLiteral("lapses")};
    case TrainingView::ReviewLog:
        return {QStringLiteral("item_id"), QStringLiteral("session_id"), QStringLiteral("reviewed_utc"),
                QStringLiteral("rating")};
    }
    return {};
}
