#pragma once

#include "journal/JournalVerifier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

// The journal verifier written in Python from docs/journal.md alone (tests/journal_py), held to the
// judgement of korvalin-verify: where the two part, the document is not enough to verify from, or the
// C++ verifier is wrong. A test that includes this defines KORVALIN_JOURNAL_PY (the script) and
// KORVALIN_DIGITS_DIR (the program's digit files), and skips when python3 is not installed.

// The interpreter python3 names, asked once: a version manager's python3 is a script that takes longer to
// start than the verifier takes to run.
inline QString pythonProgram()
{
    static const QString program = [] {
        const QString found = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (found.isEmpty())
            return found;
        QProcess process;
        process.start(found, {QStringLiteral("-c"), QStringLiteral("import sys; print(sys.executable)")});
        if (!process.waitForFinished(60'000) || process.exitCode() != 0)
            return found;
        const QString executable = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
        return QFileInfo(executable).isExecutable() ? executable : found;
    }();
    return program;
}

struct IndependentVerdict
{
    QString verdict;
    int exitCode = -1;
    std::optional<int> score;
    std::optional<double> usedSeconds;
    QString output;
};

inline IndependentVerdict runIndependentVerifier(const QString& journalPath, const VerifyOptions& options = {})
{
    QStringList arguments{QStringLiteral("-B"), QStringLiteral(KORVALIN_JOURNAL_PY), journalPath,
                          QStringLiteral("--digits"), QStringLiteral(KORVALIN_DIGITS_DIR)};
    if (!options.draftPath.isEmpty())
        arguments << QStringLiteral("--draft") << options.draftPath;
    if (!options.expectedSeal.isEmpty())
        arguments << QStringLiteral("--seal") << options.expectedSeal;
    QProcess process;
    // Nothing may be written into the source tree, a bytecode cache included.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PYTHONDONTWRITEBYTECODE"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(pythonProgram(), arguments);
    IndependentVerdict verdict;
    if (!process.waitForFinished(120'000)) {
        process.kill();
        process.waitForFinished();
        verdict.output = QStringLiteral("python3 did not finish");
        return verdict;
    }
    verdict.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    verdict.output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    for (const QString& line : verdict.output.split(QLatin1Char('\n'))) {
        const QString value = line.mid(13);
        if (line.startsWith(QLatin1StringView("Verdict ")))
            verdict.verdict = value;
        else if (line.startsWith(QLatin1StringView("Score ")))
            verdict.score = value.toInt();
        else if (line.startsWith(QLatin1StringView("Used time ")))
            verdict.usedSeconds = value.toDouble();
    }
    return verdict;
}

// What both verifiers word alike: the whole verdict of a valid or incomplete journal, and the kind and the
// event of any other ("altered: event 12"), each after the mark of a rehearsal. Only the kind of a journal
// that cannot be read.
inline QString verdictHead(const QString& verdict)
{
    static const QString rehearsal = QStringLiteral("rehearsal, not a record attempt: ");
    if (verdict.startsWith(rehearsal))
        return rehearsal + verdictHead(verdict.mid(rehearsal.size()));
    const qsizetype colon = verdict.indexOf(QLatin1Char(':'));
    const QString kind = verdict.left(colon);
    if (colon < 0 || kind == QLatin1StringView("incomplete"))
        return verdict;
    if (kind != QLatin1StringView("altered") && kind != QLatin1StringView("breaks the rules"))
        return kind;
    const qsizetype eventEnd = verdict.indexOf(QLatin1Char(':'), colon + 1);
    const QString named = verdict.mid(colon + 2, eventEnd - colon - 2);
    return named.startsWith(QLatin1StringView("event ")) ? kind + QStringLiteral(": ") + named : kind;
}

inline testing::AssertionResult agreesWithIndependentVerifier(const QString& journalPath,
                                                              const VerifyOptions& options = {})
{
    const VerificationResult result = verifyJournalFile(journalPath, options);
    const IndependentVerdict independent = runIndependentVerifier(journalPath, options);
    QStringList differences;
    if (verdictHead(independent.verdict) != verdictHead(result.verdictText))
        differences << QStringLiteral("verdict");
    if (independent.exitCode != result.exitCode())
        differences << QStringLiteral("exit code %1").arg(independent.exitCode);
    if (result.wasChecked()) {
        if (independent.score != result.score)
            differences << QStringLiteral("score");
        if (!independent.usedSeconds || std::abs(*independent.usedSeconds - result.usedSeconds) > 0.005)
            differences << QStringLiteral("used time");
    }
    if (differences.isEmpty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the verifiers part on "
                                       << differences.join(QStringLiteral(", ")).toStdString()
                                       << "\nkorvalin-verify: " << result.verdictText.toStdString() << ", exit "
                                       << result.exitCode() << ", score " << result.score << ", used "
                                       << result.usedSeconds << "\nverify_journal.py:\n"
                                       << independent.output.toStdString();
}

// The same for journal bytes, written to a file of their own.
inline testing::AssertionResult agreesWithIndependentVerifier(const QByteArray& journal,
                                                              const VerifyOptions& options = {})
{
    QTemporaryDir directory;
    const QString path = QDir(directory.path()).filePath(QStringLiteral("attempt.journal"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(journal) != journal.size())
        return testing::AssertionFailure() << "cannot write " << path.toStdString();
    file.close();
    return agreesWithIndependentVerifier(path, options);
}
