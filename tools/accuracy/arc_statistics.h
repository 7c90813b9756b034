// Differences of ecliptic longitude in seconds of arc, and their summary over many instants.
#pragma once

namespace talvenor {

// The engine's longitude minus the reference longitude (both in degrees, any turn), taken the short way
// round the circle: seconds of arc in [-648000, 648000].
double SignedArcSeconds(double engineDeg, double referenceDeg);

// The largest and the root-mean-square difference of one body over all the instants added.
class ArcStatistics {
  public:
    void Add(double arcSeconds, double julianDay);

    long Count() const { return count_; }
    // The largest difference in size (seconds of arc, not negative) and the instant it was met at.
    double Largest() const { return largest_; }
    double LargestAt() const { return largestAt_; }
    double Rms() const;

  private:
    long count_ = 0;
    double sumOfSquares_ = 0;
    double largest_ = 0;
    double largestAt_ = 0;
};

}  // namespace talvenor
