#include "training/TrainingItem.h"

#include <QList>

QString kindName(ItemKind kind)
{
    return kind == ItemKind::Block ? QStringLiteral("block") : QStringLiteral("junction");
}

QString TrainingItem::id() const
{
    return numberName(number) + u'/' + kindName(kind) + u'/' + QString::number(index);
}

std::optional<ParsedItemId> parseItemId(QStringView id)
{
    const QList<QStringView> parts = id.split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    const std::optional<TrainingNumber> number = numberFromName(parts[0]);
    if (!number)
        return std::nullopt;
    ItemKind kind;
    if (parts[1] == kindName(ItemKind::Block))
        kind = ItemKind::Block;
    else if (parts[1] == kindName(ItemKind::Junction))
        kind = ItemKind::Junction;
    else
        return std::nullopt;
    // Only the form id() writes: no sign, no leading zero, no spaces.
    const QStringView digits = parts[2];
    if (digits.isEmpty() || digits.size() > 6 || digits.front() == u'0')
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return ParsedItemId{*number, kind, digits.toInt()};
}
