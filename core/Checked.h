#pragma once

#include <cstdint>

// Extended-precision arithmetic in which every operation that can fault is checked at that very
// operation: invalid operation, division by zero and overflow raise their fault there, so a
// calculation ends at the step where it went wrong. Underflow and inexact results stay silent.
// The checks look at operands and results rather than at the processor's status flags, which the
// optimiser is free to move across; they hold in any build.
namespace vlnokan {

using Real = long double;

namespace checked {

Real add(Real a, Real b);
Real sub(Real a, Real b);
Real mul(Real a, Real b);
Real div(Real a, Real b);
Real square(Real a);
Real sqrt(Real a);
Real sin(Real radians);
Real cos(Real radians);
Real tan(Real radians);

// Degrees to radians and back, by the full-precision pi.
Real radians(Real degrees);
Real degrees(Real radians);

// Round to the nearest integer, ties to the even one; EInvalidOp outside the signed 64-bit range.
std::int64_t round(Real x);
// Storing into a signed 32-bit integer: ERangeError outside its range.
std::int32_t toInt32(std::int64_t value);
std::int32_t round32(Real x);

// 32-bit integer arithmetic that raises EIntOverflow instead of wrapping.
std::int32_t twice(std::int32_t a);
std::int32_t square(std::int32_t a);
std::int32_t difference(std::int32_t a, std::int32_t b);
std::int32_t product(std::int32_t a, std::int32_t b);

} // namespace checked

// Puts the floating-point unit back into the state the calculations expect (rounding to nearest,
// no pending flags); run at start-up and after every fault.
void resetFloatingPoint();

} // namespace vlnokan
