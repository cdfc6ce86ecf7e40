#pragma once

#include "base/CellTextSource.h"
#include "record/CellHandles.h"
#include "record/RecordChanges.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <pugixml.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class AnswerSheet;
class Clock;

// The XML document of one attempt: Korvalin / SpecialNumbers / Satir_i / Soru_j with the question
// digit in `soru` and the answer in `cevap`, plus the used and maximum stage times on SpecialNumbers.
// The handles of every cell are found once, when the tree is built or loaded, and kept row-major, so
// reading or writing a cell never searches the tree. Rows and columns count from 1.
class AttemptRecordDocument final
{
public:
    AttemptRecordDocument();
    ~AttemptRecordDocument();
    AttemptRecordDocument(const AttemptRecordDocument&) = delete;
    AttemptRecordDocument& operator=(const AttemptRecordDocument&) = delete;

    // Replaces the content with a new record of the whole rows of `selectedDigits`: floor(length / D)
    // rows of D cells, every cevap empty, no time attributes. Returns the SpecialNumbers element.
    pugi::xml_node BuildAttemptRecord(const QString& selectedDigits, int digitsPerRow);

    // Replaces the content with a saved record, but only when it is a well-formed attempt record of
    // exactly `expectedRows` x `expectedColumns` cells with a readable used time. Otherwise the record
    // stays as it was and the reason is returned. Handles taken before a successful load are stale.
    std::optional<QString> loadFromFile(const QString& path, int expectedRows, int expectedColumns);
    std::optional<QString> loadFromBytes(const QByteArray& bytes, int expectedRows, int expectedColumns);
    // The same for a draft restored into a running attempt: its question digits must be `questions`, and
    // every answer a single digit or empty, or nothing is loaded.
    std::optional<QString> loadRestoredDraft(const QString& path, const CellTextSource& questions);

    // The whole document as UTF-8 XML text, the body of a draft file.
    QByteArray serialize() const;

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    QString soru(int row, int column) const;
    QString cevap(int row, int column) const;
    const AttemptRecordCell& cell(int row, int column) const { return m_cells[flat(row, column)]; }
    pugi::xml_node specialNumbersElement() const { return m_specialNumbers; }

    const CellTextSource& questions() const { return m_questions; }
    const CellTextSource& answers() const { return m_answers; }

    // Writes used_time (the used time, at most maxStageSeconds) and then max_time, then every cevap
    // from the grid, rows outer; only the cevap values that differ are touched. Returns the used time
    // in seconds, rounded to hundredths and not capped, for the stage's stageSeconds.
    float RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock, const CellTextSource& grid);
    float RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock, const AnswerSheet& grid);
    // The same, also noting in `changes` what it changed.
    float RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock, const AnswerSheet& grid,
                        RecordChanges& changes);

    // Brings a copy of another record up to date with what that record reported.
    void apply(const RecordChanges& changes);

    // The used_time attribute read with the record's locale; none while it is absent or unreadable.
    std::optional<float> usedTime() const;
    // The max_time attribute, read the same way.
    std::optional<float> maxTime() const;

    // The locale whose decimal separator used_time is written and read with; the system's by default.
    QLocale locale() const { return m_locale.value_or(QLocale::system()); }
    void setLocale(const QLocale& locale) { m_locale = locale; }

private:
    // The question digits or the recorded answers, read live as a sheet of cell texts, so that they
    // follow a rebuild or a draft load of this document.
    class CellTexts final : public CellTextSource
    {
    public:
        CellTexts(const AttemptRecordDocument& record, bool questions) : m_record(record), m_questions(questions) {}
        int rowCount() const override { return m_record.rowCount(); }
        int columnCount() const override { return m_record.columnCount(); }
        QString cellText(int row, int column) const override;

    private:
        const AttemptRecordDocument& m_record;
        bool m_questions;
    };

    std::size_t flat(int row, int column) const
    {
        return std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1);
    }
    void writeTimes(float usedSeconds, int maxStageSeconds);
    void setTimeTexts(const char* usedTime, const char* maxTime);
    std::optional<float> secondsAttribute(const char* name) const;
    void copyAnswers(const CellTextSource& grid);
    void copyAnswers(const AnswerSheet& grid, RecordChanges* changes);
    bool copyAnswer(std::size_t index, const QString& text);

    // Kept behind a pointer so that a replacement document is complete, with its handles, before it
    // takes the place of the current one.
    std::unique_ptr<pugi::xml_document> m_document;
    pugi::xml_node m_specialNumbers;
    int m_rows = 0;
    int m_columns = 0;
    std::vector<AttemptRecordCell> m_cells;
    // The sheet last copied from and the text version of each of its cells at that copy: cells whose
    // text has not changed since are not compared again.
    const AnswerSheet* m_copiedFrom = nullptr;
    std::vector<std::uint32_t> m_copiedVersions;
    std::optional<QLocale> m_locale;
    mutable qsizetype m_lastSerializedSize = 0;
    CellTexts m_questions{*this, true};
    CellTexts m_answers{*this, false};
};
