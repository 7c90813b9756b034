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

void ArcStatistics::Merge(const ArcStatistics& other) {
    if (other.count_ == 0) return;
    if (count_ == 0 || other.largest_ > largest_) {
        largest_ = other.largest_;
        largestAt_ = other.largestAt_;
    }
    sumOfSquares_ += other.sumOfSquares_;
    count_ += other.count_;
}

double ArcStatistics::Rms() const {
    return count_ == 0 ? 0.0 : std::sqrt(sumOfSquares_ / static_cast<double>(count_));
}

void TwoSpanStatistics::Add(double arcSeconds, double julianDay) {
    (julianDay >= mainFirst_ ? main_ : earlier_).Add(arcSeconds, julianDay);
}

void TwoSpanStatistics::Merge(const TwoSpanStatistics& other) {
    main_.Merge(other.main_);
    earlier_.Merge(other.earlier_);
}

}  // namespace talvenor
