#pragma once

#include "journal/VerificationResult.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

// korvalin-verify JOURNAL [--draft FILE] [--report FILE.pdf] [--csv FILE.csv] [--seal SEAL]
// Exit codes (VerifyExitCode): 0 the journal is valid, 1 it was altered or the attempt broke a rule, 2 it
// (or the draft) cannot be read, the seal given is not a seal, the command line is wrong, or the report
// cannot be written (also when it was asked of a build without Qt Charts, after the checks), 3 it is
// incomplete: unchanged and by the rules, but without an end.
class VerifyCommand final
{
public:
    static constexpr int CannotRead = VerifyExitCode::CannotRead;

    VerifyCommand();

    // The command line, program name first. False on a mistake, which error() tells.
    bool parse(const QStringList& arguments);
    QString error() const { return m_error; }
    bool wantsHelp() const;
    QString helpText() const;
    // The PDF's chart needs a QApplication; the checks alone need none.
    bool writesPdf() const;
    // --report or --csv; a build without Qt Charts refuses them.
    bool writesReport() const;

    // Verifies, prints the summary and writes what was asked; returns the exit code.
    int run(QTextStream& out, QTextStream& err) const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_draft;
    QCommandLineOption m_report;
    QCommandLineOption m_csv;
    QCommandLineOption m_seal;
    QCommandLineOption m_help;
    QString m_error;
};
