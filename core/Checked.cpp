#include "core/Checked.h"

#include "core/Faults.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <numbers>

namespace vlnokan {

namespace {

constexpr Real pi = std::numbers::pi_v<Real>;

// A result beyond the extended range from finite operands is an overflow; a NaN from operands
// that were numbers is an invalid operation.
Real checkedResult(Real result, Real a, Real b = 0) {
    const bool operandsFinite = std::isfinite(a) && std::isfinite(b);
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        throw EInvalidOp();
    if (std::isinf(result) && operandsFinite)
        throw EOverflow();
    return result;
}

constexpr Real twoTo63 = 9223372036854775808.0L;

} // namespace

namespace checked {

Real add(Real a, Real b) {
    return checkedResult(a + b, a, b);
}
Real sub(Real a, Real b) {
    return checkedResult(a - b, a, b);
}
Real mul(Real a, Real b) {
    return checkedResult(a * b, a, b);
}

Real div(Real a, Real b) {
    if (b == 0) {
        if (a == 0 || std::isnan(a))
            throw EInvalidOp();
        throw EZeroDivide();
    }
    return checkedResult(a / b, a, b);
}

Real square(Real a) {
    return mul(a, a);
}

Real sqrt(Real a) {
    if (a < 0)
        throw EInvalidOp();
    return checkedResult(std::sqrt(a), a);
}

Real sin(Real radians) {
    return checkedResult(std::sin(radians), radians);
}
Real cos(Real radians) {
    return checkedResult(std::cos(radians), radians);
}
Real tan(Real radians) {
    return checkedResult(std::tan(radians), radians);
}

Real radians(Real degrees) {
    return mul(degrees, pi / 180);
}
Real degrees(Real radians) {
    return mul(radians, 180 / pi);
}

std::int64_t round(Real x) {
    if (std::isnan(x))
        throw EInvalidOp();
    // Worked out by hand rather than by the current rounding mode, so a mode left changed by
    // anything else cannot alter a figure. x - floor(x) is exact in the same format.
    const Real lower = std::floor(x);
    const Real fraction = x - lower;
    Real nearest = lower;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(lower, 2.0L) != 0))
        nearest = lower + 1;
    if (!(nearest >= -twoTo63 && nearest < twoTo63))
        throw EInvalidOp();
    return static_cast<std::int64_t>(nearest);
}

std::int32_t toInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        throw ERangeError();
    return static_cast<std::int32_t>(value);
}

std::int32_t round32(Real x) {
    return toInt32(round(x));
}

// Worked in 64 bits, where no 32-bit product or difference can overflow, then range-checked.
static std::int32_t fitted(std::int64_t exact) {
    if (exact < std::numeric_limits<std::int32_t>::min() ||
        exact > std::numeric_limits<std::int32_t>::max())
        throw EIntOverflow();
    return static_cast<std::int32_t>(exact);
}

std::int32_t twice(std::int32_t a) {
    return fitted(std::int64_t{2} * a);
}
std::int32_t square(std::int32_t a) {
    return fitted(std::int64_t{a} * a);
}
std::int32_t difference(std::int32_t a, std::int32_t b) {
    return fitted(std::int64_t{a} - b);
}
std::int32_t product(std::int32_t a, std::int32_t b) {
    return fitted(std::int64_t{a} * b);
}

} // namespace checked

void resetFloatingPoint() {
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
#if defined(__i386__) || defined(__x86_64__)
    // The x87 unit rounds every Real to the precision its control word names. Windows runtimes
    // and drivers may leave it at 53 bits, where a Real would round like a double and figures
    // close to a half would come out one off.
    std::uint16_t control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    control |= 0x300;
    asm volatile("fldcw %0" : : "m"(control));
#endif
}

} // namespace vlnokan
