#include "arc_statistics.h"

#include <cmath>

namespace talvenor {

double SignedArcSeconds(double engineDeg, double referenceDeg) {
    return std::remainder(engineDeg - referenceDeg, 360.0) * 3600.0;
}

void ArcStatistics::Add(double arcSeconds, double julianDay) {
    const double size = std::fabs(arcSeconds);
    if (count_ == 0 || size > largest_) {
        largest_ = size;
        largestAt_ = julianDay;
    }
    sumOfSquares_ += arcSeconds * arcSeconds;
    ++count_;
}

double ArcStatistics::Rms() const {
    return count_ == 0 ? 0.0 : std::sqrt(sumOfSquares_ / static_cast<double>(count_));
}

}  // namespace talvenor
