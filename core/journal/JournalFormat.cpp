#include "journal/JournalFormat.h"

#include <array>
#include <utility>

namespace {
template <typename Enum, std::size_t Count> using NameTable = std::array<std::pair<Enum, QLatin1StringView>, Count>;

constexpr NameTable<EventKind, 7> EventKindNames = {{
    {EventKind::Start, QLatin1StringView("start")},
    {EventKind::CountdownEnd, QLatin1StringView("countdownEnd")},
    {EventKind::Edit, QLatin1StringView("edit")},
    {EventKind::Restore, QLatin1StringView("restore")},
    {EventKind::Box, QLatin1StringView("box")},
    {EventKind::TimeDisplay, QLatin1StringView("timeDisplay")},
    {EventKind::End, QLatin1StringView("end")},
}};

constexpr NameTable<EndReason, 6> EndReasonNames = {{
    {EndReason::Finish, QLatin1StringView("finish")},
    {EndReason::StageTime, QLatin1StringView("stageTime")},
    {EndReason::DigitTime, QLatin1StringView("digitTime")},
    {EndReason::WrongLockedDigit, QLatin1StringView("wrongLockedDigit")},
    {EndReason::Back, QLatin1StringView("back")},
    {EndReason::Cancel, QLatin1StringView("cancel")},
}};

constexpr NameTable<BoxKind, 2> BoxKindNames = {{
    {BoxKind::Leave, QLatin1StringView("leave")},
    {BoxKind::Finish, QLatin1StringView("finish")},
}};

constexpr NameTable<BoxAnswer, 2> BoxAnswerNames = {{
    {BoxAnswer::Yes, QLatin1StringView("yes")},
    {BoxAnswer::No, QLatin1StringView("no")},
}};

constexpr NameTable<AnsweredBy, 3> AnsweredByNames = {{
    {AnsweredBy::User, QLatin1StringView("user")},
    {AnsweredBy::Countdown, QLatin1StringView("countdown")},
    {AnsweredBy::StageEnd, QLatin1StringView("stageEnd")},
}};

template <typename Enum, std::size_t Count>
QLatin1StringView lookUpName(const NameTable<Enum, Count>& table, Enum value)
{
    for (const auto& [entry, name] : table) {
        if (entry == value)
            return name;
    }
    return {};
}

template <typename Enum, std::size_t Count>
std::optional<Enum> lookUpValue(const NameTable<Enum, Count>& table, QStringView name)
{
    for (const auto& [entry, entryName] : table) {
        if (name == entryName)
            return entry;
    }
    return std::nullopt;
}
} // namespace

QLatin1StringView nameOf(EventKind kind)
{
    return lookUpName(EventKindNames, kind);
}

QLatin1StringView nameOf(EndReason reason)
{
    return lookUpName(EndReasonNames, reason);
}

QLatin1StringView nameOf(BoxKind kind)
{
    return lookUpName(BoxKindNames, kind);
}

QLatin1StringView nameOf(BoxAnswer answer)
{
    return lookUpName(BoxAnswerNames, answer);
}

QLatin1StringView nameOf(AnsweredBy by)
{
    return lookUpName(AnsweredByNames, by);
}

std::optional<EventKind> eventKindNamed(QStringView name)
{
    return lookUpValue(EventKindNames, name);
}

std::optional<EndReason> endReasonNamed(QStringView name)
{
    return lookUpValue(EndReasonNames, name);
}

std::optional<BoxKind> boxKindNamed(QStringView name)
{
    return lookUpValue(BoxKindNames, name);
}

std::optional<BoxAnswer> boxAnswerNamed(QStringView name)
{
    return lookUpValue(BoxAnswerNames, name);
}

std::optional<AnsweredBy> answeredByNamed(QStringView name)
{
    return lookUpValue(AnsweredByNames, name);
}
