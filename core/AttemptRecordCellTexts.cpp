#include "AttemptRecordCellTexts.h"

#include "AttemptRecordDocument.h"

int AttemptRecordCellTexts::rowCount() const
{
    return m_record.rowCount();
}

int AttemptRecordCellTexts::columnCount() const
{
    return m_record.columnCount();
}

QString AttemptRecordCellTexts::cellText(int row, int column) const
{
    return m_attribute == Attribute::Soru ? m_record.soru(row, column) : m_record.cevap(row, column);
}
