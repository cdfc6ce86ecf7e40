// Writes review histories scheduled by ts-fsrs, for the scheduler's cross-check (tests/training/).
// The histories are random but seeded, so running it again gives the same file:
//     cd tests/fsrs && npm ci && npm run vectors
// ts-fsrs runs with fuzz off, short-term (same-day) reviews on and no learning steps, as the program
// schedules: every review, the first one included, sets the next due day in whole days.
import { writeFileSync } from 'node:fs';
import { createEmptyCard, fsrs, Rating, State, FSRSVersion } from 'ts-fsrs';

const HISTORIES = 240;
const SEED = 20240616;
const FIRST_DAY = Date.UTC(2025, 0, 1);
const DAY_MS = 24 * 60 * 60 * 1000;

// mulberry32: small, seeded and the same on every machine.
function random(seed) {
    let a = seed >>> 0;
    return () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}
const next = random(SEED);
const between = (low, high) => low + Math.floor(next() * (high - low + 1));
const pick = (choices) => choices[Math.floor(next() * choices.length)];

function rating() {
    const u = next();
    if (u < 0.15) return Rating.Again;
    if (u < 0.3) return Rating.Hard;
    if (u < 0.85) return Rating.Good;
    return Rating.Easy;
}

// The next review's day: often on time, sometimes early, late, after a long break or on the same day.
function nextDay(day, scheduledDays) {
    const u = next();
    if (u < 0.2) return day;
    if (u < 0.3) return day + between(1, Math.max(1, scheduledDays - 1));
    if (u < 0.75) return day + scheduledDays;
    if (u < 0.95) return day + scheduledDays + between(1, 3 * scheduledDays + 5);
    // Years away: a weak memory forgotten that late reaches the ceiling a lapse may leave it at.
    return day + (next() < 0.5 ? between(30, 400) : between(400, 4000));
}

// Chosen histories for what random ones seldom reach: weak memories forgotten after years, where a lapse
// stops at its ceiling, and several reviews on one day. Each review is [day, rating].
const CHOSEN = [
    [[0, Rating.Again], [3000, Rating.Again], [3000, Rating.Good], [3001, Rating.Good]],
    [[0, Rating.Again], [0, Rating.Again], [5000, Rating.Again], [5010, Rating.Hard]],
    [[0, Rating.Hard], [0, Rating.Again], [0, Rating.Again], [2500, Rating.Again], [2500, Rating.Easy]],
    [[0, Rating.Good], [0, Rating.Good], [0, Rating.Easy], [0, Rating.Hard], [1, Rating.Again], [1, Rating.Good]],
];

function schedulerFor(retention) {
    return fsrs({
        request_retention: retention,
        enable_fuzz: false,
        enable_short_term: true,
        learning_steps: [],
        relearning_steps: [],
    });
}

const rows = [];
// Runs one history through ts-fsrs; `plan(review, scheduledDays)` gives each review's day and rating, or
// null when the history ends.
function run(history, retention, plan) {
    const scheduler = schedulerFor(retention);
    let card = createEmptyCard(new Date(FIRST_DAY));
    let lastDay = 0;
    for (let review = 0, step = plan(0, 0); step !== null; step = plan(++review, card.scheduled_days)) {
        const [day, g] = step;
        // Times of day stay inside one UTC day, so the day count is what ts-fsrs counts.
        const when = new Date(FIRST_DAY + day * DAY_MS + between(6 * 60, 22 * 60) * 60 * 1000 + review);
        const elapsed = card.state === State.New ? 0 : day - lastDay;
        const r = card.state === State.New ? '' : String(scheduler.forgetting_curve(elapsed, card.stability));
        const result = scheduler.next(card, when, g);
        card = result.card;
        if (card.state !== State.Review) throw new Error('a review left the review state');
        if (card.elapsed_days !== elapsed) throw new Error('ts-fsrs counted other days');
        lastDay = day;
        rows.push([history, retention, day, g, elapsed, r, card.stability, card.difficulty, card.scheduled_days,
                   card.reps, card.lapses].join(','));
    }
}

for (let history = 0; history < HISTORIES; ++history) {
    const retention = pick([0.9, 0.9, 0.9, 0.7, 0.8, 0.85, 0.95, 0.97]);
    const reviews = between(2, 30);
    let day = 0;
    run(history, retention, (review, scheduledDays) => {
        if (review === reviews) return null;
        if (review > 0) day = nextDay(day, scheduledDays);
        return [day, rating()];
    });
}
CHOSEN.forEach((reviews, k) => run(HISTORIES + k, 0.9, (review) => reviews[review] ?? null));

const out = process.argv[2] ?? '../data/fsrs_vectors.csv';
const header = [
    `# ${FSRSVersion}; fuzz off, short-term reviews on, no learning steps; seed ${SEED}; made by tests/fsrs/make_vectors.mjs`,
    'history,retention,day,rating,elapsed_days,retrievability,stability,difficulty,interval_days,reps,lapses',
];
writeFileSync(out, header.concat(rows).join('\n') + '\n');
console.log(`${rows.length} reviews in ${HISTORIES + CHOSEN.length} histories written to ${out}`);
