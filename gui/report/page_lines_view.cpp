#include "report/page_lines_view.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

namespace talvenor::gui {

void PageLinesModel::setPage(std::string text) {
    beginResetModel();
    text_ = std::move(text);
    std::vector<std::size_t>().swap(starts_);
    widest_ = 0;
    std::size_t at = 0;
    const std::size_t size = text_.size();
    while (at < size) {
        starts_.push_back(at);
        const void* end = std::memchr(text_.data() + at, '\n', size - at);
        const std::size_t next =
            end ? static_cast<std::size_t>(static_cast<const char*>(end) - text_.data()) + 1 : size;
        widest_ = std::max(widest_, static_cast<int>(std::min<std::size_t>(next - at, 1 << 20)));
        at = next;
    }
    starts_.push_back(size);
    starts_.shrink_to_fit();
    endResetModel();
}

void PageLinesModel::clear() {
    beginResetModel();
    std::string().swap(text_);
    std::vector<std::size_t>().swap(starts_);
    widest_ = 0;
    endResetModel();
}

void PageLinesModel::setRowSize(const QSize& size) {
    if (size == rowSize_) return;
    // Every row changes its size: the view lays them out again.
    beginResetModel();
    rowSize_ = size;
    endResetModel();
}

int PageLinesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || starts_.empty()) return 0;
    return static_cast<int>(starts_.size() - 1);
}

QString PageLinesModel::line(int row) const {
    if (row < 0 || row >= rowCount()) return {};
    const auto r = static_cast<std::size_t>(row);
    std::size_t end = starts_[r + 1];
    if (end > starts_[r] && text_[end - 1] == '\n') --end;
    return QString::fromUtf8(text_.data() + starts_[r], static_cast<qsizetype>(end - starts_[r]));
}

QVariant PageLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return line(index.row());
    if (role == Qt::SizeHintRole && rowSize_.isValid()) return rowSize_;
    return {};
}

PageLinesView::PageLinesView(QWidget* parent) : QListView(parent), model_(new PageLinesModel(this)) {
    setModel(model_);
    // Every row as high as a line of the font and as wide as the widest line: the view need not measure
    // a million rows, and the lines scroll sideways as the text box's do.
    setUniformItemSizes(true);
    setWrapping(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A right click hands the focus back to the main window, as in the text box.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void PageLinesView::showPage(std::string text) {
    model_->setPage(std::move(text));
    fitRows();
    scrollToTop();
    if (model_->rowCount() > 0) setCurrentIndex(model_->index(0));
}

void PageLinesView::clearPage() {
    model_->clear();
}

void PageLinesView::fitRows() {
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(QLatin1Char('0')) * (model_->widestLine() + 1) + 8;
    model_->setRowSize(QSize(width, metrics.lineSpacing()));
}

void PageLinesView::changeEvent(QEvent* event) {
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitRows();
}

void PageLinesView::copyLines() {
    QModelIndexList chosen = selectionModel()->selectedRows();
    std::sort(chosen.begin(), chosen.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    lines.reserve(chosen.size());
    for (const QModelIndex& index : chosen) lines.push_back(model_->line(index.row()));
    if (!lines.isEmpty()) QApplication::clipboard()->setText(lines.join('\n') + '\n');
}

void PageLinesView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyLines();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

}  // namespace talvenor::gui
