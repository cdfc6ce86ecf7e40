#include "record/CellHandles.h"

#include <cstring>

namespace {
// The number n of an element named prefix + n (decimal, no sign, no leading zero); 0 for any other
// name. Numbers past `limit` give limit + 1 so that huge numbers cannot overflow.
int numberedName(const char* name, const char* prefix, int limit)
{
    const std::size_t prefixLength = std::strlen(prefix);
    if (std::strncmp(name, prefix, prefixLength) != 0)
        return 0;
    const char* digits = name + prefixLength;
    if (*digits < '1' || *digits > '9')
        return 0;
    long long number = 0;
    for (const char* c = digits; *c != 0; ++c) {
        if (*c < '0' || *c > '9')
            return 0;
        number = number * 10 + (*c - '0');
        if (number > limit)
            number = (long long)limit + 1;
    }
    return int(number);
}

QString nameOf(pugi::xml_node node)
{
    return QString::fromUtf8(node.name());
}

// Places every element child named prefix + 1..count into `found`; reports strays, duplicates and gaps.
std::optional<QString> numberedChildren(pugi::xml_node parent, const char* prefix, int count,
                                        std::vector<pugi::xml_node>& found)
{
    found.assign(std::size_t(count), pugi::xml_node());
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const int number = numberedName(child.name(), prefix, count);
        if (number < 1 || number > count)
            return QStringLiteral("unexpected element %1 in %2").arg(nameOf(child), nameOf(parent));
        if (found[std::size_t(number - 1)])
            return QStringLiteral("element %1 appears twice in %2").arg(nameOf(child), nameOf(parent));
        found[std::size_t(number - 1)] = child;
    }
    for (int i = 0; i < count; ++i) {
        if (!found[std::size_t(i)])
            return QStringLiteral("element %1%2 missing in %3")
                .arg(QString::fromLatin1(prefix))
                .arg(i + 1)
                .arg(nameOf(parent));
    }
    return std::nullopt;
}
} // namespace

std::optional<QString> findAttemptRecordCells(pugi::xml_node specialNumbers, int rows, int columns,
                                              std::vector<AttemptRecordCell>& cells)
{
    if (rows < 0 || columns < 0 || (rows > 0 && columns == 0))
        return QStringLiteral("no answer sheet of %1 rows and %2 columns").arg(rows).arg(columns);
    std::vector<pugi::xml_node> rowNodes;
    if (auto error = numberedChildren(specialNumbers, "Satir_", rows, rowNodes))
        return error;
    cells.clear();
    cells.reserve(std::size_t(rows) * std::size_t(columns));
    std::vector<pugi::xml_node> cellNodes;
    for (const pugi::xml_node row : rowNodes) {
        if (auto error = numberedChildren(row, "Soru_", columns, cellNodes))
            return error;
        for (const pugi::xml_node cell : cellNodes) {
            const AttemptRecordCell handles{cell.attribute("soru"), cell.attribute("cevap")};
            if (!handles.soru || !handles.cevap)
                return QStringLiteral("%1 in %2 lacks its soru or cevap attribute").arg(nameOf(cell), nameOf(row));
            cells.push_back(handles);
        }
    }
    return std::nullopt;
}
