// The About window: the program's name as a raised stack and its version.
#pragma once

#include <QWidget>

namespace talvenor::gui {

class AboutWindow : public QWidget {
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace talvenor::gui
