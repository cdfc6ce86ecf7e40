// The crash soak: the real program, killed with SIGKILL at random moments while a competitor types at
// competition speed, and the draft it leaves checked after every kill.
//     crash_soak <program> [kills] [seed]
// bench/crash_soak.sh builds it and runs it on a headless X server. Each run starts a copy of the program
// in a folder of its own with a 3-second concentration countdown on pi, 30 digits a row (the largest draft),
// presses START, types one digit and waits for its draft, then types a digit every 16 ms until the kill.
// After the kill the newest draft must load as the program restores drafts, and its answers must be a
// prefix of what was typed; the digits typed but missing from it are counted.
#include "../BenchFigures.h"
#include "crash_soak/SoakDisplay.h"
#include "crash_soak/SoakFolder.h"
#include "crash_soak/SoakProcess.h"
#include "crash_soak/SoakWait.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {
using SteadyClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int Rows = 1092;
constexpr int Columns = 30;
constexpr auto KeyInterval = 16ms;
constexpr auto LongestTyping = 1500ms;
constexpr auto Countdown = 3s;
const QByteArray Settings = "<?xml version='1.0' encoding='iso-8859-9'?>\n<Ayarlar language=\"1\">\n"
                            "\t<SpecialNumbers set01=\"1\" set02=\"30\" set03=\"1\" set04=\"0\" set05=\"3\" "
                            "set06=\"0\" />\n</Ayarlar>\n";

struct Tally
{
    int kills = 0;
    int setUpFailures = 0;
    int endedBeforeKill = 0;
    int torn = 0;
    int notPrefix = 0;
    int killsLeavingTemporaryFile = 0;
    int temporaryFilesAfterStart = 0;
    std::vector<double> missing;
};

class CrashSoak final
{
public:
    CrashSoak(SoakFolder& folder, unsigned seed) : m_folder(folder), m_random(seed) {}

    bool displayOpen() const { return m_display.isOpen(); }
    const Tally& tally() const { return m_tally; }

    void runOnce()
    {
        m_folder.removeDrafts();
        SoakProcess program(m_folder.programPath(), {});
        if (!program.started()) {
            ++m_tally.setUpFailures;
            return;
        }
        std::vector<int> typed;
        if (!startStage(program.pid(), typed)) {
            ++m_tally.setUpFailures;
            program.kill();
            return;
        }
        typeUntilKill(typed);
        if (program.kill())
            ++m_tally.endedBeforeKill;
        ++m_tally.kills;
        check(typed);
    }

private:
    // START, the concentration countdown, and a first digit whose draft is on disk.
    bool startStage(pid_t pid, std::vector<int>& typed)
    {
        std::optional<SoakDisplay::Window> settings;
        if (!waitFor([&] { return (settings = m_display.findWindow(pid, "KORVALIN")).has_value(); }, 20s))
            return false;
        // The program removes temporary files of killed writers before its first window shows.
        m_tally.temporaryFilesAfterStart += m_folder.temporaryDraftFiles();

        // The settings window gives START the focus when it is activated; Space presses it.
        std::optional<SoakDisplay::Window> stage;
        for (int attempt = 0; attempt < 5 && !stage; ++attempt) {
            m_display.focus(*settings);
            m_display.typeSpace();
            waitFor([&] { return (stage = m_display.findWindow(pid, "KORVALIN", true)).has_value(); }, 2s);
        }
        if (!stage)
            return false;
        if (m_display.focusedWindow() != *stage)
            m_display.focus(*stage);
        std::this_thread::sleep_for(Countdown + 200ms);
        typeDigit(typed);
        return waitFor([&] { return m_folder.hasDraft(); }, 5s);
    }

    void typeUntilKill(std::vector<int>& typed)
    {
        std::uniform_int_distribution<long long> killAfter(0, std::chrono::microseconds(LongestTyping).count());
        const auto killAt = SteadyClock::now() + std::chrono::microseconds(killAfter(m_random));
        for (auto next = SteadyClock::now() + KeyInterval; next < killAt; next += KeyInterval) {
            std::this_thread::sleep_until(next);
            typeDigit(typed);
        }
        std::this_thread::sleep_until(killAt);
    }

    void typeDigit(std::vector<int>& typed)
    {
        const int digit = std::uniform_int_distribution<int>(0, 9)(m_random);
        m_display.typeDigit(digit);
        typed.push_back(digit);
    }

    void check(const std::vector<int>& typed)
    {
        if (m_folder.temporaryDraftFiles() > 0)
            ++m_tally.killsLeavingTemporaryFile;
        const SoakFolder::Draft draft = m_folder.newestDraft(Rows, Columns);
        if (!draft.found || !draft.error.isEmpty()) {
            ++m_tally.torn;
            std::fprintf(stderr, "kill %d: torn draft: %s\n", m_tally.kills,
                         draft.found ? qPrintable(draft.error) : "no draft");
            return;
        }
        std::size_t answered = 0;
        while (answered < draft.answers.size() && !draft.answers[answered].isEmpty())
            ++answered;
        bool prefix = answered <= typed.size();
        for (std::size_t k = 0; k < draft.answers.size() && prefix; ++k)
            prefix = k < answered ? draft.answers[k] == QString::number(typed[k]) : draft.answers[k].isEmpty();
        if (!prefix) {
            ++m_tally.notPrefix;
            std::fprintf(stderr, "kill %d: the draft's %zu answers are not a prefix of the %zu typed digits\n",
                         m_tally.kills, answered, typed.size());
            return;
        }
        m_tally.missing.push_back(double(typed.size() - answered));
    }

    SoakDisplay m_display;
    SoakFolder& m_folder;
    std::mt19937 m_random;
    Tally m_tally;
};

void report(const Tally& tally)
{
    const Figures missing = figures(tally.missing);
    printFigure("crash soak: kills", tally.kills, "");
    printFigure("crash soak: torn drafts (missing or not loadable)", tally.torn, "", 0);
    printFigure("crash soak: drafts not a prefix of the typed digits", tally.notPrefix, "", 0);
    printFigure("crash soak: typed digits missing from the draft, p50", missing.median, "");
    printFigure("crash soak: typed digits missing from the draft, p99", missing.p99, "", 1);
    printFigure("crash soak: typed digits missing from the draft, max", missing.max, "");
    printFigure("crash soak: kills that left a temporary draft file", tally.killsLeavingTemporaryFile, "");
    printFigure("crash soak: temporary draft files found after a start", tally.temporaryFilesAfterStart, "", 0);
    printFigure("crash soak: runs that ended before the kill", tally.endedBeforeKill, "", 0);
    printFigure("crash soak: runs that could not be set up", tally.setUpFailures, "");
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: crash_soak <program> [kills] [seed]\n");
        return 2;
    }
    const int kills = argc > 2 ? std::atoi(argv[2]) : 1000;
    const unsigned seed = argc > 3 ? unsigned(std::strtoul(argv[3], nullptr, 10)) : std::random_device()();
    QTemporaryDir base;
    SoakFolder folder(base.path(), QString::fromLocal8Bit(argv[1]), Settings);
    if (folder.path().isEmpty()) {
        std::fprintf(stderr, "crash_soak: cannot copy %s into %s\n", argv[1], qPrintable(base.path()));
        return 1;
    }
    CrashSoak soak(folder, seed);
    if (!soak.displayOpen()) {
        std::fprintf(stderr, "crash_soak: no X display (DISPLAY is not set or the server is not running)\n");
        return 1;
    }
    std::printf("crash soak: %d kills, seed %u, program copied to %s\n", kills, seed, qPrintable(folder.path()));
    std::fflush(stdout);
    const auto start = SteadyClock::now();
    // Runs that could not be set up do not count; too many of them end the soak.
    while (soak.tally().kills < kills && soak.tally().setUpFailures <= kills / 10 + 10) {
        const int before = soak.tally().kills;
        soak.runOnce();
        if (soak.tally().kills != before && soak.tally().kills % 50 == 0)
            std::fprintf(stderr, "  %d kills, %d torn, %d set-up failures, %.0f s\n", soak.tally().kills,
                         soak.tally().torn, soak.tally().setUpFailures,
                         std::chrono::duration<double>(SteadyClock::now() - start).count());
    }
    report(soak.tally());
    return soak.tally().kills >= kills ? 0 : 1;
}
