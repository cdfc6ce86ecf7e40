#include "journal/DraftCheck.h"

#include "journal/AttemptReplay.h"
#include "record/AttemptRecordDocument.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace {
constexpr int MaxReportedCells = 5;

JournalProblem draftProblem(const QString& message)
{
    return {0, ProblemKind::Altered, QStringLiteral("draft: ") + message};
}

// The draft was written with the decimal separator of the machine that ran the attempt, which need not
// be this machine's: a full stop and a comma are both tried.
std::optional<QString> loadDraft(AttemptRecordDocument& draft, const QByteArray& bytes, int rows, int columns)
{
    std::optional<QString> error;
    for (const QLocale& locale : {QLocale::system(), QLocale::c(), QLocale(QLocale::German)}) {
        draft.setLocale(locale);
        error = draft.loadFromBytes(bytes, rows, columns);
        if (!error)
            break;
    }
    return error;
}
} // namespace

DraftComparison compareWithDraft(const QString& draftPath, const VerificationResult& result,
                                 const std::vector<QString>& answersAtLastEdit,
                                 std::optional<double> usedSecondsAtLastEdit)
{
    DraftComparison comparison;
    QFile file(draftPath);
    if (!file.open(QIODevice::ReadOnly)) {
        comparison.unreadable =
            QStringLiteral("%1 cannot be read: %2").arg(QDir::toNativeSeparators(draftPath), file.errorString());
        return comparison;
    }
    AttemptRecordDocument draft;
    if (const auto error = loadDraft(draft, file.readAll(), result.rows, result.columns)) {
        comparison.problems.push_back(draftProblem(QStringLiteral("not a draft of this attempt: %1").arg(*error)));
        return comparison;
    }

    int differing = 0;
    for (int row = 1; row <= result.rows; ++row) {
        for (int column = 1; column <= result.columns; ++column) {
            const std::size_t cell = std::size_t(row - 1) * std::size_t(result.columns) + std::size_t(column - 1);
            if (draft.soru(row, column) != result.questions[cell] ||
                draft.cevap(row, column) != answersAtLastEdit[cell]) {
                if (++differing <= MaxReportedCells)
                    comparison.problems.push_back(draftProblem(
                        QStringLiteral("row %1, column %2 holds question \"%3\" and answer \"%4\"; the journal gives "
                                       "\"%5\" and \"%6\"")
                            .arg(row)
                            .arg(column)
                            .arg(draft.soru(row, column), draft.cevap(row, column), result.questions[cell],
                                 answersAtLastEdit[cell])));
            }
        }
    }
    if (differing > MaxReportedCells)
        comparison.problems.push_back(
            draftProblem(QStringLiteral("%1 more cells differ").arg(differing - MaxReportedCells)));

    const std::optional<float> draftUsed = draft.usedTime();
    if (usedSecondsAtLastEdit &&
        (!draftUsed || std::abs(double(*draftUsed) - *usedSecondsAtLastEdit) > AttemptReplay::UsedTimeToleranceSeconds))
        comparison.problems.push_back(
            draftProblem(QStringLiteral("its used time %1 s differs from the %2 s the "
                                        "journal gives at its last entry")
                             .arg(draftUsed ? QString::number(*draftUsed, 'f', 2) : QStringLiteral("(none)"),
                                  QString::number(*usedSecondsAtLastEdit, 'f', 2))));
    return comparison;
}
