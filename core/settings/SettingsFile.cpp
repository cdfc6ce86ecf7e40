#include "settings/SettingsFile.h"

#include "files/ProgramDirectory.h"
#include "settings/Latin5.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace SettingsFile {
namespace {
constexpr unsigned ParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_pi | pugi::parse_comments | pugi::parse_doctype;

class ByteArrayWriter final : public pugi::xml_writer
{
public:
    void write(const void* data, size_t size) override
    {
        bytes.append(static_cast<const char*>(data), qsizetype(size));
    }
    QByteArray bytes;
};

// A byte-order mark, or the zero bytes of UTF-16 or UTF-32 text: pugixml tells these apart itself.
bool isWideOrMarked(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE") ||
           bytes.left(4).contains('\0');
}

bool nameFitsLatin5(const char* name)
{
    // QString::fromUtf8 would drop a byte-order mark that begins the name, and so hide it. Stateless, so
    // that a name cut off inside a UTF-8 sequence decodes to a replacement character rather than being
    // held back as the start of text still to come.
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    return fitsLatin5(QString(utf8(name)));
}

// The node after `node` and everything inside it, in document order, without leaving `top`.
pugi::xml_node nextOutside(pugi::xml_node node, const pugi::xml_node& top)
{
    for (; node && node != top; node = node.parent()) {
        if (node.next_sibling())
            return node.next_sibling();
    }
    return {};
}

// A character reference is not allowed inside a name, so a name Latin-5 cannot hold cannot be written
// at all: such attributes, and such elements and processing instructions with all they hold, are left out.
// A hand-edited file may bring them in; without this the stored file would no longer load. The walk is a
// loop rather than a recursion because a file may nest elements deeper than the stack reaches.
void dropNamesLatin5CannotHold(pugi::xml_node top)
{
    pugi::xml_node node = top.first_child();
    while (node) {
        const bool named = node.type() == pugi::node_element || node.type() == pugi::node_pi;
        if (named && !nameFitsLatin5(node.name())) {
            const pugi::xml_node next = nextOutside(node, top);
            node.parent().remove_child(node);
            node = next;
            continue;
        }
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;) {
            const pugi::xml_attribute next = attribute.next_attribute();
            if (!nameFitsLatin5(attribute.name()))
                node.remove_attribute(attribute);
            attribute = next;
        }
        node = node.first_child() ? node.first_child() : nextOutside(node, top);
    }
}

QString declaredEncoding(const QByteArray& bytes)
{
    static const QRegularExpression declaration(
        QStringLiteral(R"(^<\?xml\s[^>]*?encoding\s*=\s*["']([A-Za-z0-9._-]+)["'])"));
    const QRegularExpressionMatch match = declaration.match(QString::fromLatin1(bytes.left(200)));
    return match.hasMatch() ? match.captured(1) : QString();
}

bool readsAsUtf8(const QByteArray& bytes)
{
    const QString encoding = declaredEncoding(bytes);
    const bool declaresUtf8 = encoding.isEmpty() ||
                              encoding.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0 ||
                              encoding.compare(QLatin1String("utf8"), Qt::CaseInsensitive) == 0;
    return declaresUtf8 && bytes.isValidUtf8();
}
} // namespace

QString path()
{
    return programFilePath(QLatin1String(FileName));
}

bool parse(const QByteArray& bytes, pugi::xml_document& document)
{
    pugi::xml_parse_result result;
    if (isWideOrMarked(bytes) || readsAsUtf8(bytes)) {
        result = document.load_buffer(bytes.constData(), size_t(bytes.size()), ParseOptions,
                                      isWideOrMarked(bytes) ? pugi::encoding_auto : pugi::encoding_utf8);
    } else {
        const QByteArray utf8 = fromLatin5(bytes).toUtf8();
        result = document.load_buffer(utf8.constData(), size_t(utf8.size()), ParseOptions, pugi::encoding_utf8);
    }
    return result && qstrcmp(document.document_element().name(), RootName) == 0;
}

void buildDefaults(pugi::xml_document& document)
{
    document.reset();
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "iso-8859-9";
    pugi::xml_node root = document.append_child(RootName);
    root.append_attribute("language") = "1";
    pugi::xml_node numbers = root.append_child(SectionName);
    for (const Attribute& attribute : Attributes)
        numbers.append_attribute(attribute.name) = attribute.defaultValue;
}

QByteArray serialise(const pugi::xml_document& document)
{
    pugi::xml_document writable;
    writable.reset(document);
    dropNamesLatin5CannotHold(writable);
    ByteArrayWriter writer;
    for (const pugi::xml_node& node : writable.children()) {
        // The file is always written in Latin-5, so it always carries the declaration that says so.
        if (node.type() != pugi::node_declaration)
            node.print(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    }
    return "<?xml " + QByteArray(DeclarationData) + "?>\n" + toLatin5Xml(QString::fromUtf8(writer.bytes));
}

pugi::xml_node section(const pugi::xml_document& document)
{
    return document.child(RootName).child(SectionName);
}

std::optional<int> integerValue(const pugi::xml_attribute& attribute)
{
    if (!attribute)
        return std::nullopt;
    bool ok = false;
    const int value = QString::fromUtf8(attribute.value()).trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace SettingsFile
