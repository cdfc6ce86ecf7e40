#pragma once

#include "CellTextSource.h"

class AttemptRecordDocument;

// The question digits or the recorded answers of an attempt record, read as a sheet of cell texts.
// It reads the record live, so it follows a rebuild or a draft load of the same document.
class AttemptRecordCellTexts final : public CellTextSource
{
public:
    enum class Attribute
    {
        Soru,
        Cevap
    };

    AttemptRecordCellTexts(const AttemptRecordDocument& record, Attribute attribute)
        : m_record(record), m_attribute(attribute)
    {
    }

    int rowCount() const override;
    int columnCount() const override;
    QString cellText(int row, int column) const override;

private:
    const AttemptRecordDocument& m_record;
    Attribute m_attribute;
};
