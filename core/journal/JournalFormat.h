#pragma once

#include "base/Rounding.h"
#include "journal/JournalEvents.h"

#include <QLatin1StringView>
#include <QStringView>

#include <optional>

// The names the journal's lines use, shared by the writer and the reader (docs/journal.md).
namespace JournalKey {
inline constexpr QLatin1StringView Event("e");
inline constexpr QLatin1StringView Number("n");
inline constexpr QLatin1StringView Ms("ms");
inline constexpr QLatin1StringView Wall("wall");
inline constexpr QLatin1StringView Prev("prev");

inline constexpr QLatin1StringView Version("version");
inline constexpr QLatin1StringView Settings("settings");
inline constexpr QLatin1StringView NumberPosition("number");
inline constexpr QLatin1StringView DigitsPerRow("digitsPerRow");
inline constexpr QLatin1StringView GroupSize("groupSize");
inline constexpr QLatin1StringView ShowStageTimer("showStageTimer");
inline constexpr QLatin1StringView ConcentrationSeconds("concentrationSeconds");
inline constexpr QLatin1StringView CellTimerOn("cellTimerOn");
inline constexpr QLatin1StringView Source("source");
inline constexpr QLatin1StringView SourceSha256("sourceSha256");
inline constexpr QLatin1StringView Time("time");
inline constexpr QLatin1StringView Host("host");
inline constexpr QLatin1StringView Draft("draft");
inline constexpr QLatin1StringView Rehearsal("rehearsal");

inline constexpr QLatin1StringView Row("r");
inline constexpr QLatin1StringView Column("c");
inline constexpr QLatin1StringView Old("old");
inline constexpr QLatin1StringView New("new");
inline constexpr QLatin1StringView Opened("opened");

inline constexpr QLatin1StringView DraftSha256("sha256");
inline constexpr QLatin1StringView Cells("cells");
inline constexpr QLatin1StringView Added("added");
inline constexpr QLatin1StringView DraftSeal("draftSeal");
inline constexpr QLatin1StringView Overwrites("overwrites");

inline constexpr QLatin1StringView Box("box");
inline constexpr QLatin1StringView Answer("answer");
inline constexpr QLatin1StringView By("by");
inline constexpr QLatin1StringView Asked("asked");

inline constexpr QLatin1StringView CountDown("countDown");

inline constexpr QLatin1StringView Reason("reason");
inline constexpr QLatin1StringView Used("used");
inline constexpr QLatin1StringView Score("score");
} // namespace JournalKey

// Used times are written in seconds rounded to hundredths, as the stage keeps them.
inline double inHundredths(double seconds)
{
    return roundHalfEven(seconds * 100.0) / 100.0;
}

enum class EventKind
{
    Start,
    CountdownEnd,
    Edit,
    Restore,
    Box,
    TimeDisplay,
    End,
};

QLatin1StringView nameOf(EventKind kind);
QLatin1StringView nameOf(EndReason reason);
QLatin1StringView nameOf(BoxKind kind);
QLatin1StringView nameOf(BoxAnswer answer);
QLatin1StringView nameOf(AnsweredBy by);

// The value a name stands for; none for a name the journal never writes.
std::optional<EventKind> eventKindNamed(QStringView name);
std::optional<EndReason> endReasonNamed(QStringView name);
std::optional<BoxKind> boxKindNamed(QStringView name);
std::optional<BoxAnswer> boxAnswerNamed(QStringView name);
std::optional<AnsweredBy> answeredByNamed(QStringView name);
