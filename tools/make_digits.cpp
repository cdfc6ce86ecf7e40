// Writes the built-in digit strings: the first decimals after the point of sqrt(2), pi and e, truncated
// (never rounded), only the characters 0-9, no integer part and no line break.
//
//   make_digits <sqrt2.txt> <pi.txt> <e.txt>
//
// The tool stays free of korvalin_core on purpose: the library embeds these files, so the tool must build
// even when they are missing and need to be made again.

#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

namespace {

// Decimals computed beyond the last kept one. A truncation is only trusted when these digits show that
// the rounding error of the computation cannot carry into or borrow from the kept digits.
constexpr long GuardDigits = 40;

using Compute = std::function<void(mpfr_t value)>;

std::optional<std::string> truncatedDecimals(const Compute& compute, long count)
{
    const long scaledDigits = count + GuardDigits;
    const auto bits = static_cast<mpfr_prec_t>(std::ceil(scaledDigits * std::log2(10.0))) + 128;

    mpfr_t value;
    mpfr_t scale;
    mpfr_inits2(bits, value, scale, static_cast<mpfr_ptr>(nullptr));
    compute(value);
    // 10^n needs about 2.33·n mantissa bits, well inside the precision, so the scale is exact.
    mpfr_ui_pow_ui(scale, 10, static_cast<unsigned long>(scaledDigits), MPFR_RNDN);
    mpfr_mul(value, value, scale, MPFR_RNDZ);

    mpz_t scaled;
    mpz_init(scaled);
    mpfr_get_z(scaled, value, MPFR_RNDZ);
    char* text = mpz_get_str(nullptr, 10, scaled);
    std::string all(text);
    mpfr_free_str(text);
    mpz_clear(scaled);
    mpfr_clears(value, scale, static_cast<mpfr_ptr>(nullptr));

    // All three numbers lie between 1 and 10: one integer digit, then the decimals.
    if (all.size() != static_cast<size_t>(1 + scaledDigits))
        return std::nullopt;
    const std::string guard = all.substr(1 + count, GuardDigits - 2);
    if (guard.find_first_not_of('0') == std::string::npos || guard.find_first_not_of('9') == std::string::npos)
        return std::nullopt;
    return all.substr(1, count);
}

bool writeDigits(const char* path, const std::string& digits)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(digits.data(), static_cast<std::streamsize>(digits.size()));
    out.close();
    return !out.fail();
}

struct Source
{
    const char* name;
    long count;
    Compute compute;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <sqrt2.txt> <pi.txt> <e.txt>\n", argv[0]);
        return 2;
    }
    const Source sources[] = {
        {"sqrt(2)", 10000, [](mpfr_t v) { mpfr_sqrt_ui(v, 2, MPFR_RNDN); }},
        // 32767, not 32768: the pi string holds one digit less than a power of two.
        {"pi", 32767, [](mpfr_t v) { mpfr_const_pi(v, MPFR_RNDN); }},
        {"e", 10000,
         [](mpfr_t v) {
             mpfr_set_ui(v, 1, MPFR_RNDN);
             mpfr_exp(v, v, MPFR_RNDN);
         }},
    };
    for (int i = 0; i < 3; ++i) {
        const Source& source = sources[i];
        const auto digits = truncatedDecimals(source.compute, source.count);
        if (!digits) {
            std::fprintf(stderr, "%s: guard digits do not settle the truncation\n", source.name);
            return 1;
        }
        if (!writeDigits(argv[i + 1], *digits)) {
            std::fprintf(stderr, "%s: cannot write %s\n", source.name, argv[i + 1]);
            return 1;
        }
        std::printf("%s: %ld decimals to %s\n", source.name, source.count, argv[i + 1]);
    }
    return 0;
}
