// A long report page in the data window: a list of its lines that lays out and paints only the lines in
// sight, so that a page of a million events opens at once and holds its text only once, as UTF-8. The text
// box of the ordinary pages would lay out every line before showing the first.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QSize>
#include <cstddef>
#include <string>
#include <vector>

namespace talvenor::gui {

// The lines of a page (lines ended by LF), one row each.
class PageLinesModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit PageLinesModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // Takes the page; a last line end closes the last line, it does not open another one.
    void setPage(std::string text);
    // Drops the page and gives its memory back.
    void clear();
    // The size of every row: the widest line in the view's font, one line high.
    void setRowSize(const QSize& size);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The text of a line, without its line end.
    QString line(int row) const;
    // The length of the longest line, in characters.
    int widestLine() const { return widest_; }

  private:
    std::string text_;
    std::vector<std::size_t> starts_;  // where each line begins; one more entry past the last line
    int widest_ = 0;
    QSize rowSize_;
};

class PageLinesView : public QListView {
    Q_OBJECT
  public:
    explicit PageLinesView(QWidget* parent = nullptr);

    PageLinesModel& lines() { return *model_; }
    // Shows a page; the first line in sight.
    void showPage(std::string text);
    // Drops the page shown.
    void clearPage();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void fitRows();
    // Copies the chosen lines, in page order, one a line.
    void copyLines();

    PageLinesModel* model_ = nullptr;
};

}  // namespace talvenor::gui
