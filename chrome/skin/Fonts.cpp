#include "skin/Fonts.h"

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
        // Only the regular face: Qt renders Wine's separate bold file with another font's glyphs, while
        // the bold it synthesises from the regular face looks right.
        const int id =
            QFontDatabase::addApplicationFont(QDir(WineFontDirectory).filePath(QStringLiteral("tahoma.ttf")));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            tahoma() = families.first();
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

QString sealFamily()
{
    static const QString family = hasFamily(QStringLiteral("DejaVu Sans Mono"))
                                      ? QStringLiteral("DejaVu Sans Mono")
                                      : QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return family;
}
