// The training window's kill soak: the real program reciting pi, killed with SIGKILL at random moments
// while a competitor types, and its training database checked after every kill.
//     training_soak <program> [kills] [seed]
// bench/training_soak.sh builds it and runs it on a headless X server; ctest runs a short one. Each run
// starts `<program> --train recite --number pi --from N --data-dir DIR` on the same data folder, from the
// digit after the last one kept before. A digit is typed once the one before it shows (the window's
// pixels changed and settled); one run in five types a wrong digit somewhere, which ends the recital.
// The kill comes at a random moment up to 1.5 s after the first digit showed. Then the database must open
// without damage, and its keystroke_log must hold the digits typed, in order, with their positions and
// digits: at least every one shown but the last, and none that was not typed.
#include "../BenchFigures.h"
#include "crash_soak/SoakDatabase.h"
#include "crash_soak/SoakDisplay.h"
#include "crash_soak/SoakProcess.h"
#include "crash_soak/SoakWait.h"
#include "training/TrainingNumber.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {
using SteadyClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto LongestTyping = 1500ms;
constexpr int LongestGapMs = 16;
constexpr int WrongRunsOutOf = 5;
// A run types far fewer; the recital goes back to digit 1 before it could reach the number's end.
constexpr int RoomAtTheEnd = 2000;
const char* const WindowName = "KORVALIN Training";

struct Run
{
    int from = 1;
    std::vector<int> typed;
    int shown = 0;
    bool ready = false;
};

struct Tally
{
    int kills = 0;
    int setUpFailures = 0;
    int endedBeforeKill = 0;
    int damaged = 0;
    int wrongLog = 0;
    int shownLostBeforeLast = 0;
    long long typed = 0;
    int wrongDigitsKept = 0;
    int keptFewerThanTyped = 0;
    std::vector<double> lostShown;
    std::vector<double> lostTyped;
};

class TrainingSoak final
{
public:
    TrainingSoak(QString program, QString folder, unsigned seed)
        : m_program(std::move(program)), m_folder(std::move(folder)), m_random(seed)
    {
    }

    bool displayOpen() const { return m_display.isOpen(); }
    const Tally& tally() const { return m_tally; }
    int faults() const { return m_tally.damaged + m_tally.wrongLog + m_tally.shownLostBeforeLast; }

    void runOnce()
    {
        Run run;
        run.from = m_next;
        {
            SoakProcess program(m_program, {QStringLiteral("--train"), QStringLiteral("recite"),
                                            QStringLiteral("--number"), QStringLiteral("pi"), QStringLiteral("--from"),
                                            QString::number(run.from), QStringLiteral("--data-dir"), m_folder});
            if (program.started())
                typeUntilKill(program.pid(), run);
            if (program.kill())
                ++m_tally.endedBeforeKill;
        }
        if (run.ready)
            ++m_tally.kills;
        else
            ++m_tally.setUpFailures;
        check(run);
    }

private:
    // The window, the keyboard focus on it, and a picture that no longer changes.
    std::optional<SoakDisplay::Window> openWindow(pid_t pid)
    {
        std::optional<SoakDisplay::Window> window;
        if (!waitFor([&] { return (window = m_display.findWindow(pid, WindowName)).has_value(); }, 20s))
            return std::nullopt;
        m_display.focus(*window);
        if (!waitFor([&] { return m_display.focusedWindow() == *window; }, 5s))
            return std::nullopt;
        // Three reads alike, a tenth of a second apart: the first paint is over.
        std::optional<std::size_t> last;
        int alike = 0;
        const bool steady = waitFor(
            [&] {
                const std::optional<std::size_t> now = m_display.fingerprint(*window);
                alike = now && now == last ? alike + 1 : 0;
                last = now;
                return alike == 2;
            },
            10s, 100ms);
        return steady ? window : std::nullopt;
    }

    // Waits until the picture differs from `before` and then reads the same twice in a row: the program
    // has painted what a key changed. False when `until` comes first.
    bool waitForChange(SoakDisplay::Window window, std::size_t& before, SteadyClock::time_point until)
    {
        std::optional<std::size_t> last;
        while (SteadyClock::now() < until) {
            const std::optional<std::size_t> now = m_display.fingerprint(window);
            if (now && *now != before && now == last) {
                before = *now;
                return true;
            }
            last = now;
            std::this_thread::sleep_for(200us);
        }
        return false;
    }

    void typeUntilKill(pid_t pid, Run& run)
    {
        const std::optional<SoakDisplay::Window> window = openWindow(pid);
        if (!window)
            return;
        std::optional<std::size_t> picture = m_display.fingerprint(*window);
        if (!picture)
            return;
        const QString& digits = numberDigits(TrainingNumber::Pi);
        const int wrongAt = std::uniform_int_distribution<int>(0, WrongRunsOutOf - 1)(m_random) == 0
                                ? std::uniform_int_distribution<int>(0, 20)(m_random)
                                : -1;
        std::uniform_int_distribution<long long> killAfter(0, std::chrono::microseconds(LongestTyping).count());
        std::optional<SteadyClock::time_point> killAt;
        for (int k = 0;; ++k) {
            const int right = digits[run.from - 1 + k].digitValue();
            const int digit = k == wrongAt ? (right + std::uniform_int_distribution<int>(1, 9)(m_random)) % 10 : right;
            m_display.typeDigit(digit);
            run.typed.push_back(digit);
            if (!waitForChange(*window, *picture, killAt.value_or(SteadyClock::now() + 10s)))
                break;
            ++run.shown;
            if (!killAt) {
                run.ready = true;
                killAt = SteadyClock::now() + std::chrono::microseconds(killAfter(m_random));
            }
            const auto next = SteadyClock::now() +
                              std::chrono::milliseconds(std::uniform_int_distribution<int>(0, LongestGapMs)(m_random));
            if (k == wrongAt || next >= *killAt) {
                std::this_thread::sleep_until(*killAt);
                break;
            }
            std::this_thread::sleep_until(next);
        }
    }

    void check(const Run& run)
    {
        m_tally.typed += qint64(run.typed.size());
        const SoakDatabase::Look look = SoakDatabase(m_folder).look(m_lastSession);
        if (!look.fault.isEmpty()) {
            ++m_tally.damaged;
            std::fprintf(stderr, "kill %d: the database: %s\n", m_tally.kills, qPrintable(look.fault));
            return;
        }
        const QString fault = logFault(run, look.sessions);
        if (!look.sessions.empty())
            m_lastSession = look.sessions.back().id;
        if (!fault.isEmpty()) {
            ++m_tally.wrongLog;
            std::fprintf(stderr, "kill %d (from digit %d, %zu typed, %d shown): %s\n", m_tally.kills, run.from,
                         run.typed.size(), run.shown, qPrintable(fault));
            return;
        }
        const int kept = look.sessions.empty() ? 0 : int(look.sessions.back().keystrokes.size());
        if (kept < run.shown - 1) {
            ++m_tally.shownLostBeforeLast;
            std::fprintf(stderr, "kill %d (from digit %d): %d digits shown, only %d kept\n", m_tally.kills, run.from,
                         run.shown, kept);
        }
        if (run.ready) {
            m_tally.lostShown.push_back(std::max(0, run.shown - kept));
            m_tally.lostTyped.push_back(double(run.typed.size()) - kept);
            m_tally.keptFewerThanTyped += kept < int(run.typed.size()) ? 1 : 0;
        }
        int rightKept = 0;
        while (rightKept < kept && run.typed[std::size_t(rightKept)] ==
                                       numberDigits(TrainingNumber::Pi)[run.from - 1 + rightKept].digitValue())
            ++rightKept;
        m_tally.wrongDigitsKept += kept - rightKept;
        m_next = run.from + rightKept;
        if (m_next + RoomAtTheEnd > int(numberDigits(TrainingNumber::Pi).size()))
            m_next = 1;
    }

    // What is wrong with the sessions the run left, beside digits lost; empty when nothing.
    static QString logFault(const Run& run, const std::vector<SoakDatabase::Session>& sessions)
    {
        if (sessions.size() > 1)
            return QStringLiteral("%1 sessions for one recital").arg(sessions.size());
        if (sessions.empty())
            return QString();
        const SoakDatabase::Session& session = sessions.front();
        if (session.mode != QStringLiteral("recite") || session.number != QStringLiteral("pi") ||
            session.firstPosition != run.from)
            return QStringLiteral("session %1 is %2 %3 from %4")
                .arg(session.id)
                .arg(session.mode, session.number)
                .arg(session.firstPosition);
        if (session.keystrokes.size() > run.typed.size())
            return QStringLiteral("%1 keystrokes kept of %2 typed")
                .arg(session.keystrokes.size())
                .arg(run.typed.size());
        const QString& digits = numberDigits(TrainingNumber::Pi);
        int correct = 0;
        for (std::size_t i = 0; i < session.keystrokes.size(); ++i) {
            const SoakDatabase::Keystroke& key = session.keystrokes[i];
            const int position = run.from + int(i);
            const int expected = digits[position - 1].digitValue();
            if (key.seq != int(i) + 1 || key.position != position || key.expected != expected ||
                key.typed != run.typed[i])
                return QStringLiteral("keystroke %1 is seq %2, position %3, expected %4, typed %5; it was typed %6 "
                                      "at position %7, where the digit is %8")
                    .arg(i + 1)
                    .arg(key.seq)
                    .arg(key.position)
                    .arg(key.expected)
                    .arg(key.typed)
                    .arg(run.typed[i])
                    .arg(position)
                    .arg(expected);
            correct += key.typed == expected ? 1 : 0;
        }
        if (session.typed != int(session.keystrokes.size()) || session.correct != correct)
            return QStringLiteral("session_summary counts %1 typed, %2 correct; keystroke_log holds %3, %4 correct")
                .arg(session.typed)
                .arg(session.correct)
                .arg(session.keystrokes.size())
                .arg(correct);
        return QString();
    }

    const QString m_program;
    const QString m_folder;
    SoakDisplay m_display;
    std::mt19937 m_random;
    Tally m_tally;
    int m_next = 1;
    qint64 m_lastSession = 0;
};

void report(const Tally& tally)
{
    printFigure("training soak: kills", tally.kills, "");
    printFigure("training soak: digits typed", double(tally.typed), "");
    printFigure("training soak: wrong digits typed and kept", tally.wrongDigitsKept, "");
    printFigure("training soak: databases damaged or set aside", tally.damaged, "", 0);
    printFigure("training soak: keystroke logs out of order or not as typed", tally.wrongLog, "", 0);
    printFigure("training soak: painted digits missing from the log per kill, max", figures(tally.lostShown).max, "",
                1);
    // A digit typed but not yet painted may not have reached the program: no goal for these.
    printFigure("training soak: typed digits missing from the log per kill, max", figures(tally.lostTyped).max, "");
    printFigure("training soak: kills that left a typed digit out of the log", tally.keptFewerThanTyped, "");
    printFigure("training soak: runs that ended before the kill", tally.endedBeforeKill, "", 0);
    printFigure("training soak: runs that could not be set up", tally.setUpFailures, "");
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The program must open its window on the X server, also when started from the headless tests.
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (argc < 2) {
        std::fprintf(stderr, "usage: training_soak <program> [kills] [seed]\n");
        return 2;
    }
    const int kills = argc > 2 ? std::atoi(argv[2]) : 1000;
    const unsigned seed = argc > 3 ? unsigned(std::strtoul(argv[3], nullptr, 10)) : std::random_device()();
    QTemporaryDir folder;
    TrainingSoak soak(QString::fromLocal8Bit(argv[1]), folder.path(), seed);
    if (!soak.displayOpen()) {
        std::fprintf(stderr, "training_soak: no X display (DISPLAY is not set or the server is not running)\n");
        return 1;
    }
    std::printf("training soak: %d kills, seed %u, data folder %s\n", kills, seed, qPrintable(folder.path()));
    std::fflush(stdout);
    const auto start = SteadyClock::now();
    while (soak.tally().kills < kills && soak.tally().setUpFailures <= kills / 10 + 2) {
        const int before = soak.tally().kills;
        soak.runOnce();
        if (soak.tally().kills != before && soak.tally().kills % 50 == 0)
            std::fprintf(stderr, "  %d kills, %d faults, %d set-up failures, %.0f s\n", soak.tally().kills,
                         soak.faults(), soak.tally().setUpFailures,
                         std::chrono::duration<double>(SteadyClock::now() - start).count());
    }
    report(soak.tally());
    return soak.tally().kills >= kills && soak.faults() == 0 && soak.tally().endedBeforeKill == 0 ? 0 : 1;
}
