// The tolerant number comparisons shared by the math and drawing-paper helpers.
#include "host/math/vq_math.h"

#include <cmath>

namespace VQMATH {
bool IsDoubleEqual(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }
}  // namespace VQMATH

namespace VQPD_Base_Tools_NA {
bool IsDoubleMin(double a, double b) { return a < b - VQMATH::kTolerance; }
bool IsDoubleMax(double a, double b) { return a > b + VQMATH::kTolerance; }
}  // namespace VQPD_Base_Tools_NA
