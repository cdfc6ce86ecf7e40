#include "StageScript.h"

#include <QStringList>

namespace {
QString nameOf(StageActionKind kind)
{
    switch (kind) {
    case StageActionKind::TypeRight:
        return QStringLiteral("TypeRight");
    case StageActionKind::TypeWrong:
        return QStringLiteral("TypeWrong");
    case StageActionKind::Backspace:
        return QStringLiteral("Backspace");
    case StageActionKind::Enter:
        return QStringLiteral("Enter");
    case StageActionKind::EditKey:
        return QStringLiteral("EditKey");
    case StageActionKind::MoveBy:
        return QStringLiteral("MoveBy");
    case StageActionKind::MoveToFront:
        return QStringLiteral("MoveToFront");
    case StageActionKind::RevisitAtLock:
        return QStringLiteral("RevisitAtLock");
    case StageActionKind::AskFinish:
        return QStringLiteral("AskFinish");
    case StageActionKind::AskLeave:
        return QStringLiteral("AskLeave");
    case StageActionKind::RestoreDraft:
        return QStringLiteral("RestoreDraft");
    case StageActionKind::RestoreOwn:
        return QStringLiteral("RestoreOwn");
    case StageActionKind::RestoreMisfit:
        return QStringLiteral("RestoreMisfit");
    case StageActionKind::ToggleTime:
        return QStringLiteral("ToggleTime");
    }
    return QStringLiteral("?");
}

QString textOf(DraftText text)
{
    switch (text) {
    case DraftText::Right:
        return QStringLiteral("right");
    case DraftText::Wrong:
        return QStringLiteral("wrong");
    case DraftText::Empty:
        return QStringLiteral("empty");
    }
    return QStringLiteral("?");
}
} // namespace

QString describe(const StageScript& script)
{
    QStringList lines;
    lines << QStringLiteral("number %1, %2 a row, groups of %3, timer %4, countdown %5 s, cell timer %6, clock at %7 s")
                 .arg(script.numberPosition)
                 .arg(script.digitsPerRow)
                 .arg(script.groupSize)
                 .arg(script.showStageTimer ? QStringLiteral("on") : QStringLiteral("off"))
                 .arg(script.concentrationSeconds)
                 .arg(script.cellTimerOn ? QStringLiteral("on") : QStringLiteral("off"))
                 .arg(script.clockStartSeconds, 0, 'f', 3);
    for (const StageAction& action : script.actions) {
        QString line = QStringLiteral("%1 after %2 ms").arg(nameOf(action.kind)).arg(action.waitMs);
        if (action.amount != 0)
            line += QStringLiteral(", amount %1").arg(action.amount);
        if (action.kind == StageActionKind::AskFinish || action.kind == StageActionKind::AskLeave)
            line += QStringLiteral(", %1 after %2 ms")
                        .arg(action.yes ? QStringLiteral("yes") : QStringLiteral("no"))
                        .arg(action.answerAfterMs);
        if (action.kind == StageActionKind::RestoreDraft) {
            QStringList cells;
            for (const DraftCell& cell : action.cells)
                cells << QStringLiteral("%1 %2").arg(cell.frontOffset).arg(textOf(cell.text));
            line += QStringLiteral(", %1 s, cells [%2]")
                        .arg(double(action.restoredSeconds), 0, 'f', 2)
                        .arg(cells.join(QStringLiteral(", ")));
        }
        lines << line;
    }
    return lines.join(u'\n');
}
