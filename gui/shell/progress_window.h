// The progress window of the long midpoint reports: "% Completed" with a bar that only grows.
#pragma once

#include <QWidget>

#include "midpoints/progress.h"

namespace talvenor::gui {

// The picture box the bar is drawn in.
class ProgressPicture : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressPicture(QWidget* parent = nullptr);
    double percent() const { return percent_; }
    void setPercent(double percent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double percent_ = 0;
};

class ProgressWindow : public QWidget, public ProgressReporter {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void Load() override;
    void Clear() override;
    void ShowProgress(int done, int total) override;
    void Unload() override;

    double percent() const { return picture_->percent(); }

  private:
    ProgressPicture* picture_;
};

}  // namespace talvenor::gui
