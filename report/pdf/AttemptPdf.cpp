#include "pdf/AttemptPdf.h"

#include "base/ClockText.h"
#include "base/ProgramVersion.h"
#include "digits/SpecialNumbers.h"
#include "journal/JournalHash.h"
#include "journal/JournalSummary.h"
#include "pdf/PageFlow.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {
constexpr int Resolution = 300;
constexpr double ChartHeightMm = 78.0;
constexpr double SignatureBlockMm = 72.0;
const QColor ValidColour(0, 110, 40);
const QColor InvalidColour(190, 0, 0);
const QColor WrongDigitColour(200, 0, 0);
const QColor RuleColour(60, 60, 60);

QString yesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString secondsText(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 2) + QStringLiteral(" s");
}

void header(PageFlow& flow, const VerificationResult& result)
{
    const AttemptHeader& header = result.header;
    flow.title(header.rehearsal ? QStringLiteral("KORVALIN rehearsal report")
                                : QStringLiteral("KORVALIN attempt report"));
    if (header.rehearsal)
        flow.paragraph(
            QStringLiteral("A rehearsal under the record rules, started from training: not a record attempt."),
            PageFlow::bodyFont(11), InvalidColour);
    flow.fields({
        {QStringLiteral("Attempt number"), QString::number(header.draftNumber)},
        {QStringLiteral("Number"), header.sourceName},
        {QStringLiteral("Digits per row"), QString::number(header.settings.digitsPerRow)},
        {QStringLiteral("Columns per group"), QString::number(header.settings.groupSize)},
        {QStringLiteral("Time display"), yesNo(header.settings.showStageTimer)},
        {QStringLiteral("Concentration"), QStringLiteral("%1 s").arg(header.settings.concentrationSeconds)},
        {QStringLiteral("Cell timer"), yesNo(header.settings.cellTimerOn)},
        {QStringLiteral("Started"), startTimeText(result)},
        {QStringLiteral("Ended"), result.end ? endTimeText(result) : QStringLiteral("no end recorded")},
        {QStringLiteral("Host"), header.host},
        {QStringLiteral("Program version"), header.version},
    });
}

int digitsFilled(const VerificationResult& result)
{
    return int(std::count_if(result.answers.begin(), result.answers.end(),
                             [](const QString& answer) { return !answer.isEmpty(); }));
}

void outcome(PageFlow& flow, const VerificationResult& result)
{
    flow.space(3);
    QFont big = PageFlow::bodyFont(16);
    big.setBold(true);
    flow.paragraph(
        QStringLiteral("Score %1    Used time %2").arg(result.score).arg(clockText(float(result.usedSeconds))), big);
    flow.fields({
        {QStringLiteral("Ended by"),
         result.end ? endReasonText(result.end->reason) : QStringLiteral("no end recorded")},
        {QStringLiteral("Used time"), usedTimeSummary(result.usedSeconds)},
        {QStringLiteral("Digits filled"),
         QStringLiteral("%1 of %2 cells").arg(digitsFilled(result)).arg(result.answers.size())},
        {QStringLiteral("Longest gap"), longestGapSummary(result)},
        {QStringLiteral("Corrections"), QString::number(result.corrections.size())},
        {QStringLiteral("Restores"), QString::number(result.restores.size())},
        {QStringLiteral("Journal events"), QString::number(result.events)},
    });
    flow.space(2);
    QFont verdictFont = PageFlow::bodyFont(11);
    verdictFont.setBold(true);
    const bool trusted = result.verdict == Verdict::Valid;
    flow.paragraph(QStringLiteral("Verdict: ") + result.verdictText, verdictFont,
                   trusted ? ValidColour : InvalidColour);
    for (const QString& warning : result.warnings)
        flow.paragraph(QStringLiteral("Warning: ") + warning, PageFlow::bodyFont(9));
}

void seal(PageFlow& flow, const VerificationResult& result)
{
    flow.space(3);
    QFont sealFont = PageFlow::monoFont(20);
    sealFont.setBold(true);
    flow.paragraph(QStringLiteral("Seal  ") + shortSeal(result.seal), sealFont);
    flow.paragraph(QString::fromLatin1(result.seal), PageFlow::monoFont(7.5));
}

// What an arbiter needs to check the report against the program: the digits it was checked against and
// the build that checked it.
void provenance(PageFlow& flow, const VerificationResult& result, const QString& verifiedBy)
{
    flow.space(2);
    flow.fields({
        {QStringLiteral("Verified by"), verifiedBy},
        {QStringLiteral("Build"), QStringLiteral("version %1, commit %2")
                                      .arg(QLatin1StringView(ProgramVersion), QLatin1StringView(ProgramCommit))},
        {QStringLiteral("Source SHA-256"), QString::fromLatin1(result.header.sourceSha256)},
    });
}

void corrections(PageFlow& flow, const VerificationResult& result)
{
    flow.heading(QStringLiteral("Corrections"));
    if (result.corrections.empty()) {
        flow.paragraph(QStringLiteral("None."), PageFlow::bodyFont());
        return;
    }
    QList<QStringList> rows;
    for (const CorrectionEntry& entry : result.corrections) {
        const auto shown = [](const QString& text) { return text.isEmpty() ? QStringLiteral("(empty)") : text; };
        rows.append({QString::number(entry.event), secondsText(entry.ms),
                     QStringLiteral("row %1, column %2").arg(entry.row).arg(entry.column),
                     shown(entry.oldText) + QStringLiteral(" \u2192 ") + shown(entry.newText)});
    }
    flow.table({QStringLiteral("Event"), QStringLiteral("Time"), QStringLiteral("Cell"), QStringLiteral("Change")},
               rows, {0.12, 0.18, 0.35, 0.35});
}

QString cellText(std::size_t cell, int columns)
{
    const int perRow = std::max(columns, 1);
    return QStringLiteral("row %1, column %2").arg(int(cell) / perRow + 1).arg(int(cell) % perRow + 1);
}

// Runs of cells a few to a paragraph, so that a restore of scattered cells still breaks across pages.
void cellRuns(PageFlow& flow, const RestoreEntry& entry, int columns)
{
    constexpr int RunsPerParagraph = 12;
    QStringList runs;
    for (const CellRun& run : entry.cellRuns) {
        runs.append(run.first == run.last
                        ? cellText(run.first, columns)
                        : cellText(run.first, columns) + QStringLiteral(" to ") + cellText(run.last, columns) +
                              QStringLiteral(" (%1 cells)").arg(run.last - run.first + 1));
        if (runs.size() == RunsPerParagraph) {
            flow.paragraph(runs.join(QStringLiteral("; ")), PageFlow::bodyFont(8.5));
            runs.clear();
        }
    }
    if (!runs.isEmpty())
        flow.paragraph(runs.join(QStringLiteral("; ")), PageFlow::bodyFont(8.5));
}

void restoreDetails(PageFlow& flow, const RestoreEntry& entry, int columns)
{
    flow.space(2);
    QFont bold = PageFlow::bodyFont(10);
    bold.setBold(true);
    flow.paragraph(QStringLiteral("Restore at event %1").arg(entry.event), bold);
    flow.fields({
        {QStringLiteral("Draft SHA-256"), entry.draftSha256},
        {QStringLiteral("Draft of attempt"),
         entry.draftNumber ? QString::number(*entry.draftNumber) : QStringLiteral("not recorded")},
        {QStringLiteral("That attempt's seal"),
         entry.draftSeal.isEmpty() ? QStringLiteral("no journal beside the draft") : entry.draftSeal},
    });
    flow.paragraph(QStringLiteral("Cells changed (%1):").arg(entry.cellsChanged), PageFlow::bodyFont(9));
    cellRuns(flow, entry, columns);
    if (entry.overwritten.empty())
        return;
    flow.paragraph(QStringLiteral("Typed answers the draft replaced:"), PageFlow::bodyFont(9), WrongDigitColour);
    QList<QStringList> rows;
    for (const CorrectionEntry& overwrite : entry.overwritten)
        rows.append({QStringLiteral("row %1, column %2").arg(overwrite.row).arg(overwrite.column), overwrite.oldText,
                     overwrite.newText});
    flow.table({QStringLiteral("Cell"), QStringLiteral("Typed"), QStringLiteral("From the draft")}, rows,
               {0.4, 0.3, 0.3});
}

void restores(PageFlow& flow, const VerificationResult& result)
{
    flow.heading(QStringLiteral("Restores"));
    if (result.restores.empty()) {
        flow.paragraph(QStringLiteral("None."), PageFlow::bodyFont());
        return;
    }
    QList<QStringList> rows;
    for (const RestoreEntry& entry : result.restores)
        rows.append({QString::number(entry.event), secondsText(entry.ms),
                     entry.draftNumber ? QString::number(*entry.draftNumber) : QStringLiteral("?"),
                     QString::number(entry.cellsChanged), QString::number(entry.overwritten.size()),
                     QString::number(entry.addedSeconds, 'f', 2) + QStringLiteral(" s")});
    flow.table({QStringLiteral("Event"), QStringLiteral("Time"), QStringLiteral("Draft of"),
                QStringLiteral("Cells changed"), QStringLiteral("Typed replaced"), QStringLiteral("Used time added")},
               rows, {0.1, 0.15, 0.15, 0.18, 0.19, 0.23});
    for (const RestoreEntry& entry : result.restores)
        restoreDetails(flow, entry, result.columns);
}

// An empty wrong cell shows a dot; a text longer than a digit (from a foreign draft) its first character.
QString shownAnswer(const QString& answer, bool wrong)
{
    if (answer.isEmpty())
        return wrong ? QStringLiteral("\u00b7") : QString();
    return answer.size() > 1 ? answer.left(1) + QStringLiteral("\u2026") : answer;
}

// Rows up to the last answered cell that hold a wrong or missing digit, question over answer, the
// wrong answers in red.
void errorRows(PageFlow& flow, const VerificationResult& result)
{
    flow.heading(QStringLiteral("Rows with errors"));
    std::size_t lastAnswered = 0;
    for (std::size_t cell = 0; cell < result.answers.size(); ++cell) {
        if (!result.answers[cell].isEmpty())
            lastAnswered = cell + 1;
    }
    const QFont mono = PageFlow::monoFont(9);
    const QFont label = PageFlow::bodyFont(8.5);
    const double cellWidth = flow.width() * 0.8 / std::max(result.columns, 1);
    int shown = 0;
    for (int row = 1; std::size_t(row - 1) * std::size_t(result.columns) < lastAnswered; ++row) {
        const std::size_t first = std::size_t(row - 1) * std::size_t(result.columns);
        bool hasError = false;
        for (int column = 0; column < result.columns; ++column)
            hasError = hasError ||
                       (first + std::size_t(column) < lastAnswered && !result.correct[first + std::size_t(column)]);
        if (!hasError)
            continue;
        ++shown;
        const QRectF band = flow.band(11);
        if (!flow.drawing())
            continue;
        QPainter& painter = flow.painter();
        painter.setFont(label);
        painter.setPen(Qt::black);
        const double lineHeight = band.height() / 2.2;
        painter.drawText(QRectF(band.left(), band.top(), flow.width() * 0.2, lineHeight), Qt::AlignVCenter,
                         QStringLiteral("Row %1  question").arg(row));
        painter.drawText(QRectF(band.left(), band.top() + lineHeight, flow.width() * 0.2, lineHeight), Qt::AlignVCenter,
                         QStringLiteral("answer"));
        painter.setFont(mono);
        for (int column = 0; column < result.columns; ++column) {
            const std::size_t cell = first + std::size_t(column);
            const double x = band.left() + flow.width() * 0.2 + column * cellWidth;
            painter.setPen(Qt::black);
            painter.drawText(QRectF(x, band.top(), cellWidth, lineHeight), Qt::AlignCenter, result.questions[cell]);
            const bool wrong = cell < lastAnswered && !result.correct[cell];
            painter.setPen(wrong ? WrongDigitColour : Qt::black);
            painter.drawText(QRectF(x, band.top() + lineHeight, cellWidth, lineHeight), Qt::AlignCenter,
                             shownAnswer(result.answers[cell], wrong));
        }
    }
    if (shown == 0)
        flow.paragraph(QStringLiteral("None."), PageFlow::bodyFont());
}

void signatures(PageFlow& flow)
{
    flow.keepTogether(SignatureBlockMm);
    flow.heading(QStringLiteral("Witnesses and arbiter"));
    const QFont roleFont = PageFlow::bodyFont(10);
    const QFont captionFont = PageFlow::bodyFont(7.5);
    const double widths[] = {0.38, 0.38, 0.24};
    const QString captions[] = {QStringLiteral("Name"), QStringLiteral("Signature"), QStringLiteral("Date")};
    for (const QString& role : {QStringLiteral("Witness 1"), QStringLiteral("Witness 2"), QStringLiteral("Arbiter")}) {
        const QRectF band = flow.band(20);
        if (!flow.drawing())
            continue;
        QPainter& painter = flow.painter();
        painter.setFont(roleFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(band.left(), band.top(), band.width(), flow.pixels(5)), Qt::AlignLeft | Qt::AlignTop,
                         role);
        // Room to write above each line, its caption under it.
        const double lineY = band.top() + flow.pixels(14);
        double x = band.left();
        painter.setFont(captionFont);
        for (int field = 0; field < 3; ++field) {
            const double fieldWidth = band.width() * widths[field] - flow.pixels(4);
            painter.setPen(QPen(RuleColour, 0));
            painter.drawLine(QPointF(x, lineY), QPointF(x + fieldWidth, lineY));
            painter.setPen(Qt::black);
            painter.drawText(QRectF(x, lineY + flow.pixels(0.5), fieldWidth, flow.pixels(4)),
                             Qt::AlignLeft | Qt::AlignTop, captions[field]);
            x += band.width() * widths[field];
        }
    }
}

void layOut(PageFlow& flow, const VerificationResult& result, const QPicture& gapChart, const QString& verifiedBy)
{
    header(flow, result);
    outcome(flow, result);
    seal(flow, result);
    provenance(flow, result, verifiedBy);
    flow.space(3);
    flow.picture(gapChart, ChartHeightMm);
    corrections(flow, result);
    restores(flow, result);
    errorRows(flow, result);
    signatures(flow);
    flow.finish();
}
} // namespace

QByteArray attemptPdf(const VerificationResult& result, const QPicture& gapChart, const QString& verifiedBy)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(Resolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("KORVALIN %1 %2")
                        .arg(result.header.rehearsal ? QStringLiteral("rehearsal") : QStringLiteral("attempt"))
                        .arg(result.header.draftNumber));
    writer.setCreator(verifiedBy);

    QPainter painter(&writer);
    const QString footer = QStringLiteral("KORVALIN %1 %2    Seal %3")
                               .arg(result.header.rehearsal ? QStringLiteral("rehearsal") : QStringLiteral("attempt"))
                               .arg(result.header.draftNumber)
                               .arg(shortSeal(result.seal));
    PageFlow counting(writer, painter, PageFlow::Pass::Count, footer);
    layOut(counting, result, gapChart, verifiedBy);
    PageFlow flow(writer, painter, PageFlow::Pass::Draw, footer, counting.pageCount());
    layOut(flow, result, gapChart, verifiedBy);
    painter.end();
    return bytes;
}
