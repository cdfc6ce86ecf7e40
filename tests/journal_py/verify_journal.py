#!/usr/bin/env python3
"""An independent verifier of KORVALIN attempt journals, written from docs/journal.md alone.

    verify_journal.py JOURNAL [--digits DIR] [--draft FILE] [--seal SEAL]

DIR holds the program's digit files sqrt2.txt, pi.txt and e.txt (by default resources/digits of the
source tree this script lies in). Prints the verdict, the score and the used time, and exits as
korvalin-verify does: 0 valid, 1 altered or against the rules, 2 cannot be read or not a seal,
3 incomplete, 4 a valid rehearsal (not a record attempt). Standard library only.
"""

import argparse
import hashlib
import json
import math
import os
import sys
import xml.etree.ElementTree as ElementTree
from collections import deque

EXIT_VALID, EXIT_ALTERED_OR_BROKEN, EXIT_CANNOT_READ, EXIT_INCOMPLETE, EXIT_REHEARSAL = 0, 1, 2, 3, 4

DIGIT_FILES = {0: "sqrt2.txt", 1: "pi.txt", 2: "e.txt"}
ROW_LENGTHS = (30, 36, 40)
EVENT_KINDS = ("start", "countdownEnd", "edit", "restore", "box", "timeDisplay", "end")
END_REASONS = ("finish", "stageTime", "digitTime", "wrongLockedDigit", "back", "cancel")

MAX_STAGE_SECONDS = 28_800
MAX_DIGIT_MS = 15_000
LOCK_AFTER_MS = 600_000
ALLOWANCE_MS = 100
USED_TIME_TOLERANCE = 1.0
CLOCK_DRIFT_WARNING_MS = 2_000
NO_PREVIOUS_LINE = "0" * 64

ALTERED, BROKEN = "altered", "breaks the rules"


def sha256_hex(data):
    return hashlib.sha256(data).hexdigest()


def in_hundredths(seconds):
    # Python's round() sends halves to the even neighbour, as the journal's rounding does.
    return round(seconds * 100.0) / 100.0


def is_whole(value):
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        return False
    return isinstance(value, int) or (math.isfinite(value) and float(value).is_integer())


def is_number(value):
    return isinstance(value, (int, float)) and not isinstance(value, bool)


def is_digit_text(text):
    return len(text) == 1 and "0" <= text <= "9"


class Fields:
    """Reads the fields of one line; the first missing or mistyped one is remembered."""

    def __init__(self, obj):
        self.obj = obj
        self.bad = None

    def _get(self, key, valid, kind, default):
        value = self.obj.get(key)
        if not valid(value):
            if self.bad is None:
                self.bad = (key, kind)
            return default
        return value

    def whole(self, key):
        return int(self._get(key, is_whole, "a whole number", 0))

    def number(self, key):
        return float(self._get(key, is_number, "a number", 0.0))

    def text(self, key):
        return self._get(key, lambda v: isinstance(v, str), "a text", "")

    def boolean(self, key):
        return self._get(key, lambda v: isinstance(v, bool), "true or false", False)

    def list(self, key):
        return self._get(key, lambda v: isinstance(v, list), "a list", [])

    def object(self, key):
        return self._get(key, lambda v: isinstance(v, dict), "an object", {})

    def has(self, key):
        return key in self.obj

    def ok(self):
        return self.bad is None

    def problem(self):
        return 'the field "%s" is missing or not %s' % self.bad


class Line:
    def __init__(self, data):
        self.data = data
        self.hash = sha256_hex(data)
        self.obj = None
        try:
            parsed = json.loads(data.decode("utf-8"), parse_constant=_refuse_constant)
            if isinstance(parsed, dict):
                self.obj = parsed
        except (ValueError, UnicodeDecodeError):
            pass

    @property
    def readable(self):
        return self.obj is not None


def _refuse_constant(name):
    raise ValueError(name)


def split_lines(data):
    """Complete lines, and whether bytes follow the last line feed."""
    parts = data.split(b"\n")
    partial = parts[-1] != b""
    return [Line(part) for part in parts[:-1]], partial


class Result:
    def __init__(self):
        self.problems = []  # (event, kind, message) in the order found
        self.warnings = []
        self.verdict = None
        self.exit_code = EXIT_CANNOT_READ
        self.score = 0
        self.used = 0.0
        self.events = 0
        self.seal = ""
        self.ended = False
        self.restores = []  # cells changed by each
        self.rehearsal = False


def chain_break(lines):
    previous = NO_PREVIOUS_LINE
    for index, line in enumerate(lines):
        event = index + 1
        if not line.readable:
            return event, "its line is not a JSON object"
        number = line.obj.get("n")
        number = int(number) if is_whole(number) else -1
        if number != event:
            for later in range(index + 1, len(lines)):
                other = lines[later]
                if other.readable and is_whole(other.obj.get("n")) and int(other.obj["n"]) == event:
                    return event, "it is out of place: it stands as line %d" % (later + 1)
            if number > event:
                return event, "it is missing"
            return event, "its line is numbered %d" % number
        if line.obj.get("prev") != previous:
            if event == 1:
                return 1, "it does not begin the chain"
            if lines[index - 1].obj.get("e") == "end":
                return event, "it follows the end of the attempt"
            return event - 1, "it was changed after it was written (the chain breaks at event %d)" % event
        previous = line.hash
    return None


class Sheet:
    def __init__(self, digits, columns):
        self.columns = columns
        self.rows = len(digits) // columns
        self.questions = list(digits[: self.rows * columns])

    def cell(self, row, column):
        return (row - 1) * self.columns + (column - 1)

    def contains(self, row, column):
        return 1 <= row <= self.rows and 1 <= column <= self.columns


class Locks:
    """Cells locked by the journal's time, judged `shift_ms` longer than the journal shows them."""

    def __init__(self, shift_ms, cells):
        self.shift = shift_ms
        self.last_entry = [-1] * cells
        self.locked = [False] * cells
        self.waiting = deque()
        self.wrong_locked = set()

    def entered(self, cell, ms):
        self.last_entry[cell] = ms
        if self.locked[cell]:
            self.locked[cell] = False
            self.wrong_locked.discard(cell)
        self.waiting.append((cell, ms))

    def text_changed(self, cell, wrong):
        if self.locked[cell]:
            if wrong:
                self.wrong_locked.add(cell)
            else:
                self.wrong_locked.discard(cell)

    def advance(self, ms, is_wrong):
        while self.waiting and ms - self.waiting[0][1] + self.shift >= LOCK_AFTER_MS:
            cell, entry = self.waiting.popleft()
            if self.last_entry[cell] != entry or self.locked[cell]:
                continue
            self.locked[cell] = True
            if is_wrong(cell):
                self.wrong_locked.add(cell)


class Replay:
    def __init__(self, sheet, concentration_seconds):
        self.sheet = sheet
        self.concentration_ms = concentration_seconds * 1000
        cells = len(sheet.questions)
        self.answers = [""] * cells
        self.last_entry = [-1] * cells
        self.last_entry_event = [0] * cells
        self.surely = Locks(-ALLOWANCE_MS, cells)
        self.perhaps = Locks(ALLOWANCE_MS, cells)
        self.problems = []
        self.last_ms = 0
        self.countdown_end = None
        self.restored = 0.0
        self.restored_within_limit = 0.0
        self.next_digit_index = -1
        self.last_new_digit_ms = None
        self.last_new_digit_event = 0
        self.digit_clock_reported = False
        self.stage_clock_reported = False
        self.after_end = False
        self.previous_kind = None
        self.previous_box = None  # (event, box, answer, asked)
        self.must_end_after = None
        self.perhaps_wrong_at_last_edit = False
        self.changed_since_last_edit = []
        self.used_at_last_edit = None
        self.end = None  # (event, ms, reason, used, score)
        self.used = 0.0
        self.restores = []

    def report(self, event, kind, message):
        self.problems.append((event, kind, "event %d: %s" % (event, message)))

    def wrong(self, cell):
        return self.answers[cell] != self.sheet.questions[cell]

    def used_at(self, ms, ending=False):
        if self.countdown_end is not None:
            counted_from = self.countdown_end
        else:
            counted_from = 0 if ending else ms
        return (ms - counted_from) / 1000.0 + self.restored

    def clock_used_at(self, ms):
        start = self.countdown_end if self.countdown_end is not None else ms
        return (ms - start) / 1000.0 + self.restored_within_limit

    def recorded_used_at(self, ms, ending=False):
        return min(self.used_at(ms, ending), float(MAX_STAGE_SECONDS))

    # The time rules.
    def check_digit_clock(self, event, ms, new_digit=False):
        if self.last_new_digit_ms is None or self.digit_clock_reported:
            return
        gap = ms - self.last_new_digit_ms
        if gap - ALLOWANCE_MS < MAX_DIGIT_MS:
            return
        self.digit_clock_reported = True
        what = "the new digit" if new_digit else "it"
        self.report(event, BROKEN, "%s came %.2f s after the last new digit (event %d)"
                    % (what, gap / 1000.0, self.last_new_digit_event))

    def check_stage_clock(self, event, ms, may_follow_the_limit=False):
        if self.countdown_end is None or self.stage_clock_reported or may_follow_the_limit:
            return
        used = self.clock_used_at(ms)
        if used - ALLOWANCE_MS / 1000.0 < MAX_STAGE_SECONDS:
            return
        self.stage_clock_reported = True
        self.report(event, BROKEN, "it came at a used time of %.2f s, after the 8-hour limit" % used)

    def check_pending_end(self, event, kind, reason):
        if self.must_end_after is not None:
            if kind != "end" or reason != "wrongLockedDigit":
                self.report(self.must_end_after, BROKEN,
                            "a locked digit was wrong after this entry, but event %d follows" % event)
            self.must_end_after = None
        if self.previous_box is not None and self.previous_box[2] == "yes":
            box_event, box = self.previous_box[0], self.previous_box[1]
            makes = reason == "finish" if box == "finish" else reason in ("back", "cancel")
            if kind != "end" or not makes:
                self.report(box_event, BROKEN, "the box was answered Yes, but the attempt did not end there")

    def apply(self, event, obj):
        fields = Fields(obj)
        kind = fields.text("e")
        ms = fields.whole("ms")
        if not fields.ok() or kind not in EVENT_KINDS:
            self.report(event, ALTERED, fields.problem() if not fields.ok() else "unknown kind of event %r" % kind)
            return
        if self.after_end:
            self.report(event, ALTERED, "it follows the end of the attempt")
            self.after_end = False
        if ms < self.last_ms:
            self.report(event, ALTERED, "its time lies before the time of the event before")
        self.last_ms = max(self.last_ms, ms)
        reason = obj.get("reason") if kind == "end" else None
        self.check_pending_end(event, kind, reason)

        if kind == "start":
            self.report(event, ALTERED, "a second start")
        elif kind == "countdownEnd":
            self.countdown_ended(event, ms)
        elif kind == "edit":
            self.edit(event, ms, fields)
        elif kind == "restore":
            self.restore(event, ms, fields)
        elif kind == "box":
            self.box(event, ms, fields)
        elif kind == "timeDisplay":
            fields.boolean("countDown")
            self.check_digit_clock(event, ms)
            self.check_stage_clock(event, ms)
        elif kind == "end":
            self.ended(event, ms, fields)
        if not fields.ok():
            self.report(event, ALTERED, fields.problem())
        self.previous_kind = kind
        if kind != "box":
            self.previous_box = None

    def countdown_ended(self, event, ms):
        if self.countdown_end is not None:
            self.report(event, ALTERED, "a second end of the countdown")
            return
        if ms < self.concentration_ms - ALLOWANCE_MS:
            self.report(event, BROKEN, "the countdown of %d s ended after %.2f s"
                        % (self.concentration_ms // 1000, ms / 1000.0))
        self.check_digit_clock(event, ms)
        self.countdown_end = ms

    def set_text(self, cell, text):
        self.answers[cell] = text
        wrong = self.wrong(cell)
        self.surely.text_changed(cell, wrong)
        self.perhaps.text_changed(cell, wrong)

    def edit(self, event, ms, fields):
        row, column = fields.whole("r"), fields.whole("c")
        old, new = fields.text("old"), fields.text("new")
        opened = fields.whole("opened") if fields.has("opened") else ms
        if not fields.ok():
            return
        if not self.sheet.contains(row, column):
            self.report(event, BROKEN, "row %d, column %d lies outside the answer sheet" % (row, column))
            return
        cell = self.sheet.cell(row, column)
        digit_index = cell + 1
        if new != "" and not is_digit_text(new):
            self.report(event, BROKEN, "%r entered into row %d, column %d is not a digit" % (new, row, column))
        if old != self.answers[cell]:
            self.report(event, ALTERED, "row %d, column %d held %r, not %r as the event says"
                        % (row, column, self.answers[cell], old))
        if self.last_entry[cell] >= 0:
            age = opened - self.last_entry[cell]
            if age - ALLOWANCE_MS >= LOCK_AFTER_MS:
                self.report(event, BROKEN, "row %d, column %d was changed %.2f s after its last entry (event %d), "
                            "when it was locked" % (row, column, age / 1000.0, self.last_entry_event[cell]))
        new_digit = new != "" and digit_index >= self.next_digit_index
        self.check_digit_clock(event, ms, new_digit)
        self.check_stage_clock(event, ms)

        self.set_text(cell, new)
        if new != "":
            self.last_entry[cell] = ms
            self.last_entry_event[cell] = event
            self.surely.entered(cell, ms)
            self.perhaps.entered(cell, ms)
        if new_digit:
            self.next_digit_index = digit_index + 1
            self.last_new_digit_ms = ms
            self.last_new_digit_event = event

        self.surely.advance(ms, self.wrong)
        self.perhaps.advance(ms, self.wrong)
        self.perhaps_wrong_at_last_edit = bool(self.perhaps.wrong_locked)
        if self.surely.wrong_locked:
            self.must_end_after = event
        self.changed_since_last_edit = []
        self.used_at_last_edit = in_hundredths(self.recorded_used_at(ms))

    def restore(self, event, ms, fields):
        fields.text("sha256")
        cells = fields.list("cells")
        added = fields.number("added")
        if not fields.ok():
            return
        self.check_digit_clock(event, ms)
        self.check_stage_clock(event, ms)
        changed = 0
        for change in cells:
            well_formed = (isinstance(change, list) and len(change) == 4 and is_whole(change[0])
                           and is_whole(change[1]) and isinstance(change[2], str) and isinstance(change[3], str))
            if not well_formed or not self.sheet.contains(int(change[0]), int(change[1])):
                self.report(event, ALTERED, "a changed cell that is not a cell of the sheet")
                continue
            row, column, old, new = int(change[0]), int(change[1]), change[2], change[3]
            cell = self.sheet.cell(row, column)
            if old != self.answers[cell]:
                self.report(event, ALTERED, "row %d, column %d held %r, not %r as the restore says"
                            % (row, column, self.answers[cell], old))
            if new != "" and not is_digit_text(new):
                self.report(event, ALTERED, "%r restored into row %d, column %d is not a digit" % (new, row, column))
            self.changed_since_last_edit.append((cell, self.answers[cell]))
            self.set_text(cell, new)
            changed += 1
        if added < 0.0:
            self.report(event, ALTERED, "a restored draft cannot bring a negative used time")
        time_left = max(MAX_STAGE_SECONDS - self.clock_used_at(ms), 0.0)
        self.restored_within_limit += min(max(added, 0.0), time_left)
        self.restored += max(added, 0.0)
        if fields.has("draft"):
            fields.whole("draft")
        if fields.has("draftSeal"):
            fields.text("draftSeal")
        self.restores.append((event, changed))

    def box(self, event, ms, fields):
        box, answer, by = fields.text("box"), fields.text("answer"), fields.text("by")
        asked = fields.whole("asked")
        if not fields.ok():
            return
        if box not in ("finish", "leave") or answer not in ("yes", "no") or by not in ("user", "countdown",
                                                                                          "stageEnd"):
            self.report(event, ALTERED, "a box, answer or answerer the program does not know")
            return
        if asked > ms or asked < 0:
            self.report(event, ALTERED, "the box was answered before it was asked")
        if by == "countdown" and answer == "yes":
            self.report(event, BROKEN, "a box that answers by itself answers No")
        if box == "finish" and self.countdown_end is None:
            self.report(event, BROKEN, "FINISH was asked before the recall began")
        self.check_digit_clock(event, ms)
        self.check_stage_clock(event, asked)
        self.previous_box = (event, box, answer, asked)

    def ended(self, event, ms, fields):
        reason = fields.text("reason")
        recorded_used = fields.number("used")
        recorded_score = fields.whole("score")
        if not fields.ok():
            return
        if reason not in END_REASONS:
            self.report(event, ALTERED, "an end the program does not know")
            return
        self.end = (event, ms, reason, recorded_used, recorded_score)
        self.after_end = True
        self.check_end_reason(event, ms, reason)
        self.used = in_hundredths(self.recorded_used_at(ms, ending=True))
        if abs(recorded_used - self.used) > USED_TIME_TOLERANCE:
            self.report(event, ALTERED, "the recorded used time %.2f s differs from the %.2f s of the journal's "
                        "clock" % (recorded_used, self.used))

    def check_end_reason(self, event, ms, reason):
        box = self.previous_box
        confirmed = box is not None and box[2] == "yes"
        limit = MAX_STAGE_SECONDS
        time_is_up = self.countdown_end is not None and self.used_at(ms) + ALLOWANCE_MS / 1000.0 >= limit
        if reason == "finish":
            if not (confirmed and box[1] == "finish") and not (box is not None and time_is_up):
                self.report(event, BROKEN, "the attempt was finished without a confirmed FINISH")
        elif reason in ("back", "cancel"):
            if not (confirmed and box[1] == "leave"):
                self.report(event, BROKEN, "the attempt was left without a confirmation")
            elif (reason == "back") != (self.countdown_end is not None):
                self.report(event, BROKEN, "BACK during the countdown or CANCEL after it")
        elif reason == "stageTime":
            if not time_is_up:
                self.report(event, BROKEN, "the attempt was ended for the 8-hour limit before it")
        elif reason == "digitTime":
            if self.last_new_digit_ms is None or ms - self.last_new_digit_ms + ALLOWANCE_MS < MAX_DIGIT_MS:
                self.report(event, BROKEN, "the attempt was ended for the per-digit limit before it")
        elif reason == "wrongLockedDigit":
            if self.previous_kind != "edit" or not self.perhaps_wrong_at_last_edit:
                self.report(event, BROKEN, "the attempt was ended for a wrong locked digit, but no locked digit "
                            "was wrong at the last entry")
        if reason != "digitTime":
            self.check_digit_clock(event, ms)
        after_open_box = (box is not None and self.countdown_end is not None
                          and self.clock_used_at(box[3]) - ALLOWANCE_MS / 1000.0 < limit)
        self.check_stage_clock(event, ms, after_open_box)

    def score(self):
        score = 0
        for answer, question in zip(self.answers, self.sheet.questions):
            if answer != question:
                break
            score += 1
        return score

    def finish(self):
        score = self.score()
        if self.end is not None:
            if self.end[4] != score:
                self.report(self.end[0], ALTERED, "the recorded score %d differs from the score %d of the answers"
                            % (self.end[4], score))
        else:
            self.used = in_hundredths(self.recorded_used_at(self.last_ms)) if self.countdown_end is not None else 0.0
        return score

    def answers_at_last_edit(self):
        answers = list(self.answers)
        for cell, before in reversed(self.changed_since_last_edit):
            answers[cell] = before
        return answers


class NoDigits(Exception):
    pass


def read_digits(digits_dir, position):
    path = os.path.join(digits_dir, DIGIT_FILES[position])
    try:
        with open(path, "rb") as file:
            return file.read()
    except OSError as error:
        raise NoDigits("the digits %s cannot be read: %s" % (path, error.strerror)) from error


def read_start(obj, digits_dir):
    """The sheet of the start event, or the problem with it."""
    fields = Fields(obj)
    for key in ("version", "source", "sourceSha256", "time", "host"):
        fields.text(key)
    fields.whole("draft")
    settings = Fields(fields.object("settings"))
    position = settings.whole("number")
    columns = settings.whole("digitsPerRow")
    settings.whole("groupSize")
    settings.boolean("showStageTimer")
    concentration = settings.whole("concentrationSeconds")
    settings.boolean("cellTimerOn")
    if not fields.ok():
        return None, fields.problem()
    if not settings.ok():
        return None, "settings: " + settings.problem()
    if "rehearsal" in obj and obj["rehearsal"] is not True:
        return None, '"rehearsal" is not true'
    if position not in DIGIT_FILES:
        return None, "there is no number at position %d" % position
    if columns not in ROW_LENGTHS:
        return None, "%d digits per row is not a setting of the program" % columns
    digits = read_digits(digits_dir, position)
    if sha256_hex(digits) != obj["sourceSha256"]:
        return None, "the SHA-256 of the digit source is not that of the built-in digits"
    return (Sheet(digits.decode("ascii"), columns), concentration), None


def read_seal(text):
    """The lowercase hexadecimal seal written down, or the reason it is none."""
    digits = []
    for character in text:
        if character.isspace() or character in "-\u2010\u2011\u2012\u2013\u2014\u2015\u2212":
            continue
        lower = character.lower()
        if lower in "0123456789abcdef":
            digits.append(lower)
        elif lower == "o":
            digits.append("0")
        elif lower in ("i", "l", "\u0131"):
            digits.append("1")
        else:
            return None, "%s is not a hexadecimal digit" % character
    if len(digits) not in (16, 64):
        return None, "it has %d hexadecimal digits; a seal has 16 or 64" % len(digits)
    return "".join(digits), None


def read_used_time(text):
    plain = text.replace(",", ".", 1) if "." not in text else text
    if not plain or plain.startswith(".") or plain.endswith(".") or plain.count(".") > 1:
        return None
    if not all(c.isdigit() and c.isascii() or c == "." for c in plain):
        return None
    return float(plain)


def numbered_children(parent, prefix, count):
    found = {}
    for child in parent:
        name = child.tag
        number = name[len(prefix):] if name.startswith(prefix) else ""
        if not number.isdigit() or not number.isascii() or number[0] == "0" or not 1 <= int(number) <= count:
            return None, "unexpected element %s in %s" % (name, parent.tag)
        if int(number) in found:
            return None, "element %s appears twice in %s" % (name, parent.tag)
        found[int(number)] = child
    if len(found) != count:
        return None, "an element %s is missing in %s" % (prefix, parent.tag)
    return [found[number] for number in range(1, count + 1)], None


def read_draft(data, rows, columns):
    """(questions, answers, used time) of a draft of this sheet, or the reason it is none."""
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        return None, "not a well-formed XML document: %s" % error
    if root.tag != "Korvalin":
        return None, "the root element is %s, not Korvalin" % root.tag
    special = root.find("SpecialNumbers")
    if special is None:
        return None, "Korvalin has no SpecialNumbers element"
    row_elements, problem = numbered_children(special, "Satir_", rows)
    if problem:
        return None, problem
    questions, answers = [], []
    for row in row_elements:
        cells, problem = numbered_children(row, "Soru_", columns)
        if problem:
            return None, problem
        for cell in cells:
            if "soru" not in cell.attrib or "cevap" not in cell.attrib:
                return None, "%s in %s lacks its soru or cevap attribute" % (cell.tag, row.tag)
            questions.append(cell.attrib["soru"])
            answers.append(cell.attrib["cevap"])
    used = None
    if "used_time" in special.attrib:
        used = read_used_time(special.attrib["used_time"])
        if used is None:
            return None, 'used_time "%s" is not a time in seconds' % special.attrib["used_time"]
    return (questions, answers, used), None


def compare_draft(path, sheet, replay):
    """Problems of the draft, or the reason it cannot be read."""
    try:
        with open(path, "rb") as file:
            data = file.read()
    except OSError as error:
        return None, "%s cannot be read: %s" % (path, error.strerror)
    draft, problem = read_draft(data, sheet.rows, sheet.columns)
    if problem:
        return [(0, ALTERED, "draft: not a draft of this attempt: " + problem)], None
    questions, answers, used = draft
    expected = replay.answers_at_last_edit()
    problems = []
    for cell in range(len(sheet.questions)):
        if questions[cell] != sheet.questions[cell] or answers[cell] != expected[cell]:
            row, column = divmod(cell, sheet.columns)
            problems.append((0, ALTERED, "draft: row %d, column %d differs from the journal" % (row + 1, column + 1)))
    at_last_edit = replay.used_at_last_edit
    if at_last_edit is not None and (used is None or abs(used - at_last_edit) > USED_TIME_TOLERANCE):
        problems.append((0, ALTERED, "draft: its used time %s s differs from the %.2f s the journal gives at its "
                         "last entry" % (used, at_last_edit)))
    return problems, None


def restores_note(restores):
    if not restores:
        return ""
    cells = sum(changed for _, changed in restores)
    return ", with %d %s of %d %s" % (len(restores), "restore" if len(restores) == 1 else "restores",
                                      cells, "cell" if cells == 1 else "cells")


def verify(journal_path, digits_dir, draft_path=None, seal_text=None):
    result = Result()

    def cannot_read(why):
        result.verdict = "cannot be read: " + why
        result.exit_code = EXIT_CANNOT_READ
        return result

    expected_seal = None
    if seal_text:
        expected_seal, problem = read_seal(seal_text)
        if problem:
            result.verdict = 'not a seal: "%s": %s' % (seal_text.strip(), problem)
            result.exit_code = EXIT_CANNOT_READ
            return result
    try:
        with open(journal_path, "rb") as file:
            data = file.read()
    except OSError as error:
        return cannot_read("%s: %s" % (journal_path, error.strerror))
    lines, partial = split_lines(data)
    result.events = len(lines)
    if not lines:
        return cannot_read("it holds no complete event")
    if not lines[0].readable or lines[0].obj.get("e") != "start":
        return cannot_read("its first line is not the start of an attempt")
    result.seal = lines[-1].hash
    result.rehearsal = lines[0].obj.get("rehearsal") is True

    broken_chain = chain_break(lines)
    if broken_chain:
        result.problems.append((broken_chain[0], ALTERED, "event %d: %s" % broken_chain))
    try:
        start, problem = read_start(lines[0].obj, digits_dir)
    except NoDigits as error:
        return cannot_read(str(error))
    if problem:
        result.problems.append((1, ALTERED, "event 1: " + problem))
        return decide(result, [])
    sheet, concentration = start

    replay = Replay(sheet, concentration)
    for index in range(1, len(lines)):
        if lines[index].readable:
            replay.apply(index + 1, lines[index].obj)
    result.score = replay.finish()
    result.used = replay.used
    result.ended = replay.end is not None
    note_clock_drift(lines, result)
    for event, changed in replay.restores:
        result.warnings.append("event %d restored %d cells from a draft" % (event, changed))
    if not broken_chain:
        result.problems.extend(replay.problems)
    if result.ended and partial:
        event = len(lines) + 1
        result.problems.append((event, ALTERED, "event %d: a part of a line follows the end of the attempt" % event))

    if draft_path:
        draft_problems, unreadable = compare_draft(draft_path, sheet, replay)
        if unreadable:
            return cannot_read(unreadable)
        result.problems.extend(draft_problems)
    if expected_seal and not result.seal.startswith(expected_seal):
        result.problems.append((0, ALTERED, "the seal %s of the journal is not the seal %s written down"
                                % (result.seal[:16].upper(), seal_text)))
    return decide(result, replay.restores)


def note_clock_drift(lines, result):
    first = lines[0].obj
    last = first
    for line in lines:
        if line.readable:
            last = line.obj
    if last is first:
        return

    def value(obj, key):
        return int(obj[key]) if is_whole(obj.get(key)) else 0

    drift = (value(last, "wall") - value(first, "wall")) - (value(last, "ms") - value(first, "ms"))
    if abs(drift) > CLOCK_DRIFT_WARNING_MS:
        result.warnings.append("the time of day moved %.1f s against the attempt's clock" % (abs(drift) / 1000.0))


def decide(result, restores):
    first_altered = next((problem for problem in result.problems if problem[1] == ALTERED), None)
    first_broken = next((problem for problem in result.problems if problem[1] == BROKEN), None)
    if first_altered or first_broken:
        first = first_altered or first_broken
        result.verdict = "%s: %s" % (first[1], first[2])
        result.exit_code = EXIT_ALTERED_OR_BROKEN
    elif not result.ended:
        result.verdict = "incomplete: journal ends early after event %d%s; no result" % (
            result.events, restores_note(restores))
        result.exit_code = EXIT_INCOMPLETE
    else:
        result.verdict = "valid" + restores_note(restores)
        result.exit_code = EXIT_REHEARSAL if result.rehearsal else EXIT_VALID
    if result.rehearsal:
        result.verdict = "rehearsal, not a record attempt: " + result.verdict
    return result


def main(arguments):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Checks the journal of a KORVALIN attempt.")
    parser.add_argument("journal")
    parser.add_argument("--digits", default=os.path.join(here, os.pardir, os.pardir, "resources", "digits"))
    parser.add_argument("--draft")
    parser.add_argument("--seal")
    try:
        options = parser.parse_args(arguments)
    except SystemExit as exit_request:
        # --help exits with 0; a wrong command line, as korvalin-verify's, with 2.
        return EXIT_CANNOT_READ if exit_request.code else EXIT_VALID
    result = verify(options.journal, options.digits, options.draft, options.seal)
    checked = result.exit_code != EXIT_CANNOT_READ
    if checked:
        print("%-12s %d" % ("Score", result.score))
        print("%-12s %.2f" % ("Used time", result.used))
        print("%-12s %s" % ("Seal", result.seal))
    for warning in result.warnings:
        print("%-12s %s" % ("Warning", warning))
    print("%-12s %s" % ("Verdict", result.verdict))
    return result.exit_code


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
