#include "VerifyCommand.h"

#include "journal/JournalSummary.h"
#include "journal/JournalVerifier.h"

#include <QDir>

#ifdef KORVALIN_WITH_REPORTS
#include "attempt/AttemptReport.h"
#endif

VerifyCommand::VerifyCommand()
    : m_draft(QStringLiteral("draft"), QStringLiteral("Compare with the draft FILE saved by the attempt."),
              QStringLiteral("FILE")),
      m_report(QStringLiteral("report"), QStringLiteral("Write the attempt report as a PDF to FILE."),
               QStringLiteral("FILE.pdf")),
      m_csv(QStringLiteral("csv"), QStringLiteral("Write one row per cell as CSV to FILE."),
            QStringLiteral("FILE.csv")),
      m_seal(
          QStringLiteral("seal"),
          QStringLiteral("Compare with the seal written down from the results screen, e.g. \"1A2B 3C4D 5E6F 7081\"."),
          QStringLiteral("SEAL")),
      m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Checks the journal of a KORVALIN attempt: its hash chain, every event against the rules, "
                       "and the recorded score. Exit code 0: valid; 1: altered or against the rules; 2: cannot be "
                       "read, or the seal given is not a seal; 3: incomplete (the journal ends early, as a crash "
                       "leaves it, and holds no result); 4: a valid rehearsal from training, not a record attempt."));
    m_parser.addPositionalArgument(QStringLiteral("JOURNAL"), QStringLiteral("The attempt_<number>.journal file."));
    m_parser.addOptions({m_draft, m_report, m_csv, m_seal, m_help});
}

bool VerifyCommand::parse(const QStringList& arguments)
{
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return false;
    }
    if (wantsHelp())
        return true;
    if (m_parser.positionalArguments().size() != 1) {
        m_error = m_parser.positionalArguments().isEmpty() ? QStringLiteral("Name one journal file.")
                                                           : QStringLiteral("Name only one journal file.");
        return false;
    }
    return true;
}

bool VerifyCommand::wantsHelp() const
{
    return m_parser.isSet(m_help);
}

QString VerifyCommand::helpText() const
{
    return m_parser.helpText();
}

bool VerifyCommand::writesPdf() const
{
    return m_parser.isSet(m_report);
}

bool VerifyCommand::writesReport() const
{
    return m_parser.isSet(m_report) || m_parser.isSet(m_csv);
}

int VerifyCommand::run(QTextStream& out, QTextStream& err) const
{
    VerifyOptions options;
    options.draftPath = m_parser.value(m_draft);
    options.expectedSeal = m_parser.value(m_seal);
    const QString journal = m_parser.positionalArguments().constFirst();
#ifdef KORVALIN_WITH_REPORTS
    const AttemptReportResult report =
        writeAttemptReport(journal, m_parser.value(m_report), m_parser.value(m_csv), options);
    const VerificationResult& result = report.verification;
    const QString reportError = report.error;
#else
    const VerificationResult result = verifyJournalFile(journal, options);
    const QString reportError =
        writesReport() ? QStringLiteral("This korvalin-verify was built without Qt Charts and writes no report "
                                        "(--report, --csv).")
                       : QString();
#endif

    out << QStringLiteral("%1 %2\n").arg(QStringLiteral("Journal"), -12).arg(QDir::toNativeSeparators(journal));
    out << journalSummaryText(result);
    out.flush();
    if (!result.wasChecked())
        return result.exitCode();
    if (!reportError.isEmpty()) {
        err << reportError << '\n';
        return CannotRead;
    }
    return result.exitCode();
}
