#include "record/XmlText.h"

#include <array>

namespace {
const std::array<QString, 128>& asciiCharacters()
{
    static const std::array<QString, 128> texts = [] {
        std::array<QString, 128> made;
        for (int c = 1; c < 128; ++c)
            made[std::size_t(c)] = QString(QChar(c));
        return made;
    }();
    return texts;
}
} // namespace

QString textFromUtf8(const char* utf8)
{
    const auto first = static_cast<unsigned char>(utf8[0]);
    if (first == 0)
        return QString();
    if (first < 0x80 && utf8[1] == 0)
        return asciiCharacters()[first];
    return QString::fromUtf8(utf8);
}

bool sameText(const QString& text, const char* utf8)
{
    const QChar* units = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x80 || units[i].unicode() >= 0x80)
            return QString::fromUtf8(utf8) == text;
        if (byte == 0 || byte != units[i].unicode())
            return false;
    }
    return utf8[size] == 0;
}

void setAttributeText(pugi::xml_attribute attribute, const QString& text)
{
    if (text.size() == 1 && text.at(0).unicode() < 0x80) {
        const char ascii[2] = {static_cast<char>(text.at(0).unicode()), 0};
        attribute.set_value(ascii);
        return;
    }
    attribute.set_value(text.toUtf8().constData());
}
