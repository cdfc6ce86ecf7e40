#include "digits/SpecialNumbers.h"

#include <QFile>

// korvalin_core is a static library: without this reference the linker drops the resource object and
// the digits are missing from the executable. Q_INIT_RESOURCE must run outside any namespace.
static void initDigitResources()
{
    Q_INIT_RESOURCE(digits);
}

namespace {

QString loadDigits(const QString& fileName)
{
    initDigitResources();
    QFile file(QStringLiteral(":/digits/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll());
}

} // namespace

const QString& digitsForResourceKey(int key)
{
    switch (key) {
    case 101: {
        static const QString e = loadDigits(QStringLiteral("e.txt"));
        return e;
    }
    case 102: {
        static const QString sqrt2 = loadDigits(QStringLiteral("sqrt2.txt"));
        return sqrt2;
    }
    case 103: {
        static const QString pi = loadDigits(QStringLiteral("pi.txt"));
        return pi;
    }
    default: {
        static const QString none;
        return none;
    }
    }
}

int resourceKeyForPosition(int position)
{
    // The keys do not follow the list order.
    switch (position) {
    case 0:
        return 102;
    case 1:
        return 103;
    case 2:
        return 101;
    default:
        return 0;
    }
}

const QStringList& specialNumberEntries()
{
    static const QStringList entries = {
        QStringLiteral("Digits of SQRT(2)"),
        QStringLiteral("Digits of \"Pi\""),
        QStringLiteral("Digits of Number \"e\""),
    };
    return entries;
}

void SpecialNumberChoice::SelectSpecialNumber(int position, const QString& displayedText)
{
    const int key = resourceKeyForPosition(position);
    if (key != 0)
        m_selectedDigits = digitsForResourceKey(key);
    m_selectedTypeCaption = displayedText;
}
