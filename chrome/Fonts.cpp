#include "Fonts.h"

#include <QDir>
#include <QFontDatabase>

namespace {
const QString WineFontDirectory = QStringLiteral("/usr/share/wine/fonts");

QString& tahoma()
{
    static QString family = QStringLiteral("Tahoma");
    return family;
}

QString& arial()
{
    static QString family = QStringLiteral("Arial");
    return family;
}

bool hasFamily(const QString& family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}
} // namespace

void registerFallbackFonts()
{
    if (!hasFamily(QStringLiteral("Tahoma"))) {
        const QDir wine(WineFontDirectory);
        const QStringList files = wine.entryList({QStringLiteral("tahoma*.ttf")}, QDir::Files);
        for (const QString& file : files) {
            const int id = QFontDatabase::addApplicationFont(wine.filePath(file));
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                tahoma() = families.first();
        }
    }
    if (!hasFamily(QStringLiteral("Arial")) && hasFamily(QStringLiteral("Liberation Sans")))
        arial() = QStringLiteral("Liberation Sans");
}

QString tahomaFamily()
{
    return tahoma();
}

QString arialFamily()
{
    return arial();
}
