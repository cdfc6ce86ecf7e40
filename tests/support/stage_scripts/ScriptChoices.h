#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

// Where the choices of a generated script come from. The property test draws them from a seeded
// generator, the fuzz target reads them from its input, and both hand them to the same generator: a fuzz
// input is a script.
class ScriptChoices
{
public:
    virtual ~ScriptChoices() = default;
    // A whole number in [low, high].
    virtual int number(int low, int high) = 0;
    // Nothing more to choose from: the generator ends the script here.
    virtual bool exhausted() const = 0;

    bool percent(int chance) { return number(0, 99) < chance; }
};

// Choices from std::mt19937, whose sequence the standard fixes, so a seed names the same script on
// every platform.
class SeededChoices final : public ScriptChoices
{
public:
    explicit SeededChoices(std::uint32_t seed) : m_random(seed) {}
    int number(int low, int high) override;
    bool exhausted() const override { return false; }

private:
    std::mt19937 m_random;
};

// Choices read from bytes: as few bytes as the range needs, little end first. Past the end every choice
// is the lowest.
class ByteChoices final : public ScriptChoices
{
public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    int number(int low, int high) override;
    bool exhausted() const override { return m_position >= m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// Seeded choices that also write down the bytes from which ByteChoices makes the same choices: how a
// script of the property test becomes a seed of the fuzz target.
class RecordingChoices final : public ScriptChoices
{
public:
    explicit RecordingChoices(std::uint32_t seed) : m_seeded(seed) {}
    int number(int low, int high) override;
    bool exhausted() const override { return false; }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    SeededChoices m_seeded;
    std::vector<std::uint8_t> m_bytes;
};
