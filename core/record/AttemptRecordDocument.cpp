#include "record/AttemptRecordDocument.h"

#include "rules/AttemptRules.h"

#include "base/Clock.h"
#include "record/UsedTimeText.h"
#include "record/XmlText.h"
#include "stage/AnswerSheet.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
// A draft of the longest sheet is about 1 MB; anything far larger is not a record and is not read.
constexpr qint64 MaxRecordFileSize = 64 * 1024 * 1024;

void prependDeclaration(pugi::xml_document& document)
{
    // Written as a processing instruction so that the text keeps exactly this data; pugixml's own
    // declaration node would quote it differently.
    pugi::xml_node declaration = document.prepend_child(pugi::node_pi);
    declaration.set_name("xml");
    declaration.set_value("version='1.0' encoding='utf-8'");
}

std::string utf8OfCharacter(QChar character)
{
    if (character.unicode() < 0x80)
        return std::string(1, static_cast<char>(character.unicode()));
    return QString(character).toUtf8().toStdString();
}

class ByteArrayWriter final : public pugi::xml_writer
{
public:
    explicit ByteArrayWriter(QByteArray& bytes) : m_bytes(bytes) {}
    void write(const void* data, size_t size) override
    {
        m_bytes.append(static_cast<const char*>(data), qsizetype(size));
    }

private:
    QByteArray& m_bytes;
};
} // namespace

AttemptRecordDocument::AttemptRecordDocument()
{
    BuildAttemptRecord(QString(), 0);
}

AttemptRecordDocument::~AttemptRecordDocument() = default;

pugi::xml_node AttemptRecordDocument::BuildAttemptRecord(const QString& selectedDigits, int digitsPerRow)
{
    auto document = std::make_unique<pugi::xml_document>();
    prependDeclaration(*document);
    pugi::xml_node specialNumbers = document->append_child("Korvalin").append_child("SpecialNumbers");
    const int columns = std::max(digitsPerRow, 0);
    // Only whole rows are asked; the digits of a last partial row appear nowhere.
    const int rows = columns > 0 ? int(selectedDigits.size() / columns) : 0;

    std::vector<std::string> cellNames;
    for (int j = 1; j <= columns; ++j)
        cellNames.push_back("Soru_" + std::to_string(j));
    std::vector<AttemptRecordCell> cells;
    cells.reserve(std::size_t(rows) * std::size_t(columns));
    qsizetype k = 0;
    for (int i = 1; i <= rows; ++i) {
        pugi::xml_node row = specialNumbers.append_child(("Satir_" + std::to_string(i)).c_str());
        for (int j = 1; j <= columns; ++j) {
            pugi::xml_node cell = row.append_child(cellNames[std::size_t(j - 1)].c_str());
            AttemptRecordCell handles{cell.append_attribute("soru"), cell.append_attribute("cevap")};
            handles.soru.set_value(utf8OfCharacter(selectedDigits.at(k++)).c_str());
            cells.push_back(handles);
        }
    }

    m_document = std::move(document);
    m_specialNumbers = specialNumbers;
    m_rows = rows;
    m_columns = columns;
    m_cells = std::move(cells);
    m_copiedFrom = nullptr;
    return m_specialNumbers;
}

std::optional<QString> AttemptRecordDocument::loadFromFile(const QString& path, int expectedRows, int expectedColumns)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.exists())
        return QStringLiteral("%1 does not exist").arg(shownPath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 cannot be read: %2").arg(shownPath, file.errorString());
    if (file.size() > MaxRecordFileSize)
        return QStringLiteral("%1 is too large for an attempt record").arg(shownPath);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("%1 cannot be read: %2").arg(shownPath, file.errorString());
    return loadFromBytes(bytes, expectedRows, expectedColumns);
}

std::optional<QString> AttemptRecordDocument::loadRestoredDraft(const QString& path, const CellTextSource& questions)
{
    const int rows = questions.rowCount();
    const int columns = questions.columnCount();
    AttemptRecordDocument draft;
    draft.setLocale(locale());
    if (auto error = draft.loadFromFile(path, rows, columns))
        return error;
    // A draft of another number, or one whose digits were edited, would be scored against questions the
    // attempt never asked; an answer that is not a digit could never have been typed.
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            if (draft.soru(row, column) != questions.cellText(row, column))
                return QStringLiteral("its question digit in row %1, column %2 is not the number's")
                    .arg(row)
                    .arg(column);
            const QString answer = draft.cevap(row, column);
            if (!answer.isEmpty() && !isDigitText(answer))
                return QStringLiteral("its answer in row %1, column %2 is not a digit").arg(row).arg(column);
        }
    }
    std::swap(m_document, draft.m_document);
    m_specialNumbers = draft.m_specialNumbers;
    m_rows = rows;
    m_columns = columns;
    m_cells = std::move(draft.m_cells);
    m_copiedFrom = nullptr;
    return std::nullopt;
}

std::optional<QString> AttemptRecordDocument::loadFromBytes(const QByteArray& bytes, int expectedRows,
                                                            int expectedColumns)
{
    auto document = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result parsed = document->load_buffer(bytes.constData(), std::size_t(bytes.size()));
    if (parsed.status != pugi::status_ok) {
        return QStringLiteral("not a well-formed XML document: %1 at byte %2")
            .arg(QString::fromLatin1(parsed.description()))
            .arg(qint64(parsed.offset));
    }
    const pugi::xml_node root = document->document_element();
    if (std::strcmp(root.name(), "Korvalin") != 0)
        return QStringLiteral("the root element is %1, not Korvalin").arg(QString::fromUtf8(root.name()));
    const pugi::xml_node specialNumbers = root.child("SpecialNumbers");
    if (!specialNumbers)
        return QStringLiteral("Korvalin has no SpecialNumbers element");
    std::vector<AttemptRecordCell> cells;
    if (auto error = findAttemptRecordCells(specialNumbers, expectedRows, expectedColumns, cells))
        return error;
    // The stage clock is moved back by this value, so a text it cannot read must not get in.
    if (const pugi::xml_attribute used = specialNumbers.attribute("used_time")) {
        if (!parseUsedTimeText(textFromUtf8(used.value()), locale()))
            return QStringLiteral("used_time \"%1\" is not a time in seconds").arg(QString::fromUtf8(used.value()));
    }
    // The parser drops the file's own declaration; the record is always written back as UTF-8.
    prependDeclaration(*document);

    m_document = std::move(document);
    m_specialNumbers = specialNumbers;
    m_rows = expectedRows;
    m_columns = expectedColumns;
    m_cells = std::move(cells);
    m_copiedFrom = nullptr;
    return std::nullopt;
}

QByteArray AttemptRecordDocument::serialize() const
{
    QByteArray bytes;
    bytes.reserve(m_lastSerializedSize + 4096);
    ByteArrayWriter writer(bytes);
    m_document->save(writer, "\t", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    m_lastSerializedSize = bytes.size();
    return bytes;
}

QString AttemptRecordDocument::soru(int row, int column) const
{
    return textFromUtf8(cell(row, column).soru.value());
}

QString AttemptRecordDocument::cevap(int row, int column) const
{
    return textFromUtf8(cell(row, column).cevap.value());
}

QString AttemptRecordDocument::CellTexts::cellText(int row, int column) const
{
    return m_questions ? m_record.soru(row, column) : m_record.cevap(row, column);
}

float AttemptRecordDocument::RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock,
                                           const CellTextSource& grid)
{
    const float used = measureUsedSeconds(stageStartTime, clock.seconds());
    writeTimes(used, maxStageSeconds);
    copyAnswers(grid);
    return used;
}

float AttemptRecordDocument::RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock,
                                           const AnswerSheet& grid)
{
    const float used = measureUsedSeconds(stageStartTime, clock.seconds());
    writeTimes(used, maxStageSeconds);
    copyAnswers(grid, nullptr);
    return used;
}

float AttemptRecordDocument::RecordAnswers(float stageStartTime, int maxStageSeconds, const Clock& clock,
                                           const AnswerSheet& grid, RecordChanges& changes)
{
    const float used = measureUsedSeconds(stageStartTime, clock.seconds());
    writeTimes(used, maxStageSeconds);
    changes.usedTime = m_specialNumbers.attribute("used_time").value();
    changes.maxTime = m_specialNumbers.attribute("max_time").value();
    copyAnswers(grid, &changes);
    return used;
}

void AttemptRecordDocument::apply(const RecordChanges& changes)
{
    if (changes.build)
        BuildAttemptRecord(changes.build->selectedDigits, changes.build->digitsPerRow);
    if (changes.load) {
        setLocale(changes.load->locale);
        loadFromBytes(changes.load->bytes, changes.load->rows, changes.load->columns);
    }
    if (!changes.usedTime.isEmpty())
        setTimeTexts(changes.usedTime.constData(), changes.maxTime.constData());
    for (const auto& [index, text] : changes.answers) {
        if (index < m_cells.size())
            copyAnswer(index, text);
    }
}

std::optional<float> AttemptRecordDocument::usedTime() const
{
    return secondsAttribute("used_time");
}

std::optional<float> AttemptRecordDocument::maxTime() const
{
    return secondsAttribute("max_time");
}

std::optional<float> AttemptRecordDocument::secondsAttribute(const char* name) const
{
    const pugi::xml_attribute value = m_specialNumbers.attribute(name);
    if (!value)
        return std::nullopt;
    return parseUsedTimeText(textFromUtf8(value.value()), locale());
}

void AttemptRecordDocument::writeTimes(float usedSeconds, int maxStageSeconds)
{
    const float recorded = std::min(usedSeconds, float(maxStageSeconds));
    setTimeTexts(usedTimeText(recorded, locale()).toUtf8().constData(),
                 QByteArray::number(maxStageSeconds).constData());
}

void AttemptRecordDocument::setTimeTexts(const char* usedTime, const char* maxTime)
{
    pugi::xml_attribute maxAttribute = m_specialNumbers.attribute("max_time");
    pugi::xml_attribute usedAttribute = m_specialNumbers.attribute("used_time");
    if (!usedAttribute) {
        usedAttribute = maxAttribute ? m_specialNumbers.insert_attribute_before("used_time", maxAttribute)
                                     : m_specialNumbers.append_attribute("used_time");
    }
    // max_time always follows used_time directly, also in a loaded file that had them the other way.
    if (maxAttribute && usedAttribute.next_attribute() != maxAttribute) {
        m_specialNumbers.remove_attribute(maxAttribute);
        maxAttribute = pugi::xml_attribute();
    }
    if (!maxAttribute)
        maxAttribute = m_specialNumbers.insert_attribute_after("max_time", usedAttribute);
    usedAttribute.set_value(usedTime);
    maxAttribute.set_value(maxTime);
}

void AttemptRecordDocument::copyAnswers(const CellTextSource& grid)
{
    m_copiedFrom = nullptr;
    const int rows = std::min(grid.rowCount(), m_rows);
    const int columns = std::min(grid.columnCount(), m_columns);
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= columns; ++j)
            copyAnswer(flat(i, j), grid.cellText(i, j));
    }
}

void AttemptRecordDocument::copyAnswers(const AnswerSheet& grid, RecordChanges* changes)
{
    if (grid.rowCount() != m_rows || grid.columnCount() != m_columns) {
        copyAnswers(static_cast<const CellTextSource&>(grid));
        // A sheet of another shape is no copy of the record; a reader of changes starts from the whole.
        if (changes) {
            changes->answers.clear();
            for (std::size_t k = 0; k < m_cells.size(); ++k)
                changes->answers.emplace_back(std::uint32_t(k), textFromUtf8(m_cells[k].cevap.value()));
        }
        return;
    }
    // Same shape, same row-major order: walk both arrays side by side, and only cells whose text
    // changed since the last copy from this sheet.
    if (m_copiedFrom != &grid || m_copiedVersions.size() != m_cells.size()) {
        m_copiedFrom = &grid;
        m_copiedVersions.assign(m_cells.size(), UINT32_MAX);
    }
    const std::vector<QString>& texts = grid.texts();
    for (std::size_t k = 0; k < m_cells.size(); ++k) {
        const std::uint32_t version = grid.textVersion(k);
        if (version == m_copiedVersions[k])
            continue;
        if (copyAnswer(k, texts[k]) && changes)
            changes->answers.emplace_back(std::uint32_t(k), texts[k]);
        m_copiedVersions[k] = version;
    }
}

bool AttemptRecordDocument::copyAnswer(std::size_t index, const QString& text)
{
    const pugi::xml_attribute cevap = m_cells[index].cevap;
    // Rewriting an equal value would only churn the document's memory.
    if (sameText(text, cevap.value()))
        return false;
    setAttributeText(cevap, text);
    return true;
}
