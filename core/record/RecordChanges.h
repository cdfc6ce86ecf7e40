#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// What an attempt record changed since it was last handed on. A copy of the record kept on another
// thread (the draft writer's) stays equal to the original by applying these in order, so neither thread
// ever reads the other's document.
struct RecordChanges
{
    // The record was built anew from these digits, or replaced by a saved record; either comes first.
    struct Build
    {
        QString selectedDigits;
        int digitsPerRow = 0;
    };
    struct Load
    {
        QByteArray bytes;
        int rows = 0;
        int columns = 0;
        QLocale locale;
    };
    std::optional<Build> build;
    std::optional<Load> load;

    // The UTF-8 texts of used_time and max_time; empty while unchanged.
    QByteArray usedTime;
    QByteArray maxTime;
    // Answers that changed, by row-major cell index, in the order they changed.
    std::vector<std::pair<std::uint32_t, QString>> answers;

    bool isEmpty() const { return !build && !load && usedTime.isEmpty() && answers.empty(); }

    // Adds changes made after these, so that applying the sum equals applying both in turn.
    void absorb(RecordChanges&& newer)
    {
        if (newer.build || newer.load) {
            *this = std::move(newer);
            return;
        }
        if (!newer.usedTime.isEmpty()) {
            usedTime = std::move(newer.usedTime);
            maxTime = std::move(newer.maxTime);
        }
        answers.insert(answers.end(), std::make_move_iterator(newer.answers.begin()),
                       std::make_move_iterator(newer.answers.end()));
    }
};
