#include "TrainingVocabulary.h"

#include <array>
#include <utility>

namespace {
template <class Enum, std::size_t Size>
QString textOf(const std::array<std::pair<Enum, const char*>, Size>& words, Enum value)
{
    for (const auto& [candidate, word] : words) {
        if (candidate == value)
            return QString::fromLatin1(word);
    }
    return {};
}

template <class Enum, std::size_t Size>
std::optional<Enum> valueOf(const std::array<std::pair<Enum, const char*>, Size>& words, const QString& text)
{
    for (const auto& [value, word] : words) {
        if (text == QLatin1String(word))
            return value;
    }
    return std::nullopt;
}

constexpr std::array<std::pair<TrainingNumber, const char*>, 3> NumberWords{{
    {TrainingNumber::Sqrt2, "sqrt2"},
    {TrainingNumber::Pi, "pi"},
    {TrainingNumber::E, "e"},
}};

constexpr std::array<std::pair<TrainingMode, const char*>, 5> ModeWords{{
    {TrainingMode::Learn, "learn"},
    {TrainingMode::Review, "review"},
    {TrainingMode::Recite, "recite"},
    {TrainingMode::Drill, "drill"},
    {TrainingMode::Rehearse, "rehearse"},
}};

constexpr std::array<std::pair<ItemKind, const char*>, 2> KindWords{{
    {ItemKind::Block, "block"},
    {ItemKind::Junction, "junction"},
}};
} // namespace

QString numberText(TrainingNumber number)
{
    return textOf(NumberWords, number);
}

QString modeText(TrainingMode mode)
{
    return textOf(ModeWords, mode);
}

QString kindText(ItemKind kind)
{
    return textOf(KindWords, kind);
}

std::optional<TrainingNumber> numberFromText(const QString& text)
{
    return valueOf(NumberWords, text);
}

std::optional<TrainingMode> modeFromText(const QString& text)
{
    return valueOf(ModeWords, text);
}

std::optional<ItemKind> kindFromText(const QString& text)
{
    return valueOf(KindWords, text);
}

QString utcText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime utcFromText(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
}

TrainingActivity activityOf(TrainingMode mode)
{
    switch (mode) {
    case TrainingMode::Learn:
        return TrainingActivity::Learn;
    case TrainingMode::Review:
        return TrainingActivity::Review;
    case TrainingMode::Recite:
        return TrainingActivity::Recite;
    case TrainingMode::Drill:
        return TrainingActivity::Drill;
    case TrainingMode::Rehearse:
        break;
    }
    return TrainingActivity::Rehearse;
}

TrainingMode modeOf(TrainingActivity activity)
{
    switch (activity) {
    case TrainingActivity::Review:
        return TrainingMode::Review;
    case TrainingActivity::Recite:
        return TrainingMode::Recite;
    case TrainingActivity::Drill:
        return TrainingMode::Drill;
    case TrainingActivity::Rehearse:
        return TrainingMode::Rehearse;
    case TrainingActivity::Learn:
    case TrainingActivity::Progress:
        break;
    }
    return TrainingMode::Learn;
}
