#include "TrainingSchema.h"

namespace {
// The tables are the store's own; other programs read the views, which keep their columns whatever
// the tables become. A session's counts and length are kept in its row as its keystrokes come, so the
// summary never has to count millions of keystrokes.
const QStringList Version1 = {
    QStringLiteral(R"(CREATE TABLE sessions (
    session_id INTEGER PRIMARY KEY,
    mode TEXT NOT NULL CHECK (mode IN ('learn', 'review', 'recite', 'drill', 'rehearse')),
    number TEXT NOT NULL CHECK (number IN ('sqrt2', 'pi', 'e')),
    first_position INTEGER NOT NULL CHECK (first_position >= 1),
    started_utc TEXT NOT NULL,
    milliseconds INTEGER NOT NULL DEFAULT 0,
    typed INTEGER NOT NULL DEFAULT 0,
    correct INTEGER NOT NULL DEFAULT 0))"),
    QStringLiteral("CREATE INDEX sessions_by_start ON sessions (started_utc)"),
    // Keyed by session and sequence, so a session's keystrokes lie together and need no second index.
    QStringLiteral(R"(CREATE TABLE keystrokes (
    session_id INTEGER NOT NULL REFERENCES sessions (session_id),
    seq INTEGER NOT NULL CHECK (seq >= 1),
    position INTEGER NOT NULL CHECK (position >= 1),
    expected INTEGER NOT NULL CHECK (expected BETWEEN 0 AND 9),
    typed INTEGER NOT NULL CHECK (typed BETWEEN 0 AND 9),
    ms INTEGER NOT NULL CHECK (ms >= 0),
    PRIMARY KEY (session_id, seq)) WITHOUT ROWID)"),
    QStringLiteral(R"(CREATE TABLE items (
    item_id TEXT PRIMARY KEY,
    number TEXT NOT NULL CHECK (number IN ('sqrt2', 'pi', 'e')),
    kind TEXT NOT NULL CHECK (kind IN ('block', 'junction')),
    first_position INTEGER NOT NULL CHECK (first_position >= 1),
    last_position INTEGER NOT NULL CHECK (last_position >= first_position),
    stability REAL NOT NULL,
    difficulty REAL NOT NULL,
    due_utc TEXT NOT NULL,
    reps INTEGER NOT NULL CHECK (reps >= 0),
    lapses INTEGER NOT NULL CHECK (lapses >= 0)))"),
    QStringLiteral(R"(CREATE TABLE reviews (
    review_id INTEGER PRIMARY KEY,
    item_id TEXT NOT NULL REFERENCES items (item_id),
    session_id INTEGER NOT NULL REFERENCES sessions (session_id),
    reviewed_utc TEXT NOT NULL,
    rating INTEGER NOT NULL CHECK (rating BETWEEN 1 AND 4)))"),
    QStringLiteral("CREATE INDEX reviews_by_item ON reviews (item_id, reviewed_utc)"),

    QStringLiteral(R"(CREATE VIEW session_summary AS
SELECT session_id, mode, number, first_position, started_utc, milliseconds / 1000.0 AS seconds, typed, correct
FROM sessions)"),
    QStringLiteral(R"(CREATE VIEW keystroke_log AS
SELECT session_id, seq, position, expected, typed, ms FROM keystrokes)"),
    QStringLiteral(R"(CREATE VIEW item_state AS
SELECT item_id, number, kind, first_position, last_position, stability, difficulty, due_utc, reps, lapses
FROM items)"),
    QStringLiteral(R"(CREATE VIEW review_log AS
SELECT item_id, session_id, reviewed_utc, rating FROM reviews)"),
};

// The competitor's notes on items. An item may have a note before its first review (a block's mnemonic is
// written while it is learned), so a note does not refer to items.
const QStringList Version2 = {
    QStringLiteral(R"(CREATE TABLE item_notes (
    item_id TEXT PRIMARY KEY CHECK (item_id <> ''),
    text TEXT NOT NULL CHECK (text <> '')) WITHOUT ROWID)"),
};

// The competitor's training settings: one row, none until they are first saved. The ranges are the program's,
// not the table's, so that a later program may widen them without a step of its own.
const QStringList Version3 = {
    QStringLiteral(R"(CREATE TABLE settings (
    settings_id INTEGER PRIMARY KEY CHECK (settings_id = 1),
    desired_retention REAL NOT NULL,
    new_blocks_per_day INTEGER NOT NULL,
    daily_minutes_cap REAL))"),
};
} // namespace

const SchemaSteps& trainingSchemaSteps()
{
    static const SchemaSteps steps = {{1, Version1}, {2, Version2}, {3, Version3}};
    return steps;
}

int currentTrainingSchemaVersion()
{
    return trainingSchemaSteps().back().version;
}
