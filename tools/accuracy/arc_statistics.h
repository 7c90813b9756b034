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
    // Takes in every difference another summary was given, as if they had been added here: the largest
    // of the two (this one's on a tie) and the root-mean-square over both.
    void Merge(const ArcStatistics& other);

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

// The differences of one quantity over two spans of years apart: the main span from a first Julian day
// on, and the earlier span before it.
class TwoSpanStatistics {
  public:
    TwoSpanStatistics() = default;
    explicit TwoSpanStatistics(double mainFirstJulianDay) : mainFirst_(mainFirstJulianDay) {}

    // To the main span when the Julian day is mainFirstJulianDay or later, otherwise to the earlier one.
    void Add(double arcSeconds, double julianDay);
    void Merge(const TwoSpanStatistics& other);

    const ArcStatistics& Main() const { return main_; }
    const ArcStatistics& Earlier() const { return earlier_; }

  private:
    double mainFirst_ = 0;
    ArcStatistics main_, earlier_;
};

}  // namespace talvenor
