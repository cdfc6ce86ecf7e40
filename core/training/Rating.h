#pragma once

// How well an item was recalled, numbered as FSRS numbers its grades; review_log stores the number.
enum class Rating
{
    Again = 1,
    Hard = 2,
    Good = 3,
    Easy = 4,
};

constexpr int ratingValue(Rating rating)
{
    return static_cast<int>(rating);
}
