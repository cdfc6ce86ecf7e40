#include "settings/SettingsLists.h"

QStringList defaultTypeEntries()
{
    return {QStringLiteral("Digits of SQRT(2)"), QStringLiteral("Digits of \"Pi\""),
            QStringLiteral("Digits of Number \"e\"")};
}

QStringList columnCountEntries()
{
    return {QStringLiteral("30"), QStringLiteral("36"), QStringLiteral("40")};
}

QStringList groupCountEntries(int columnCountPosition)
{
    switch (columnCountPosition) {
    case 0:
        return QStringLiteral("1,2,3,5,6,10,15").split(QLatin1Char(','));
    case 1:
        return QStringLiteral("1,2,3,4,6,9,12,18").split(QLatin1Char(','));
    case 2:
        return QStringLiteral("1,2,4,5,8,10,20").split(QLatin1Char(','));
    default:
        return {};
    }
}

QStringList yesNoEntries()
{
    return {QStringLiteral("Yes"), QStringLiteral("No")};
}

QStringList concentrationEntries()
{
    return QStringLiteral("3,4,5,10,15,20,25,30,40,50,60").split(QLatin1Char(','));
}

SettingsLists::SettingsLists(const QStringList& typeEntries)
{
    (*this)[SettingsListId::Type] = PickList(typeEntries);
    (*this)[SettingsListId::ColCount] = PickList(columnCountEntries());
    // The group-count list stays empty until the column count fills it.
    (*this)[SettingsListId::Timer] = PickList(yesNoEntries());
    (*this)[SettingsListId::ConTime] = PickList(concentrationEntries());
    (*this)[SettingsListId::CellTimer] = PickList(yesNoEntries());
}
