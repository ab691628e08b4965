// Number comparisons of the math and drawing-paper helper libraries. One
// tolerance serves all of them, so "equal", "less" and "greater" never overlap.
#pragma once

namespace VQMATH {
/// Absolute tolerance of every comparison below (lengths in millimetres, angles in degrees).
inline constexpr double kTolerance = 1e-6;
/// |a - b| <= kTolerance.
bool IsDoubleEqual(double a, double b, double tolerance = kTolerance);
}  // namespace VQMATH

namespace VQPD_Base_Tools_NA {
/// a is below b by more than the tolerance.
bool IsDoubleMin(double a, double b);
/// a is above b by more than the tolerance.
bool IsDoubleMax(double a, double b);
}  // namespace VQPD_Base_Tools_NA
