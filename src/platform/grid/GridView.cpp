#include "platform/grid/GridView.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

namespace platform {

namespace {
constexpr int kFooterHeight = 24;
}

GridView::GridView(QWidget* parent)
    : QTreeView(parent)
    , footer_(new QLabel(this))
    , balloon_(new HintBalloon(this)) {
    setEditTriggers(NoEditTriggers);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer_->setObjectName(QStringLiteral("gridFooter"));
    footer_->setAlignment(Qt::AlignCenter);
    footer_->hide();
}

void GridView::setEmptyText(const QString& text) {
    emptyText_ = text;
    viewport()->update();
}

void GridView::setFooterText(const QString& text) {
    footer_->setText(text);
}

QString GridView::footerText() const {
    return footer_->text();
}

void GridView::setFooterVisible(bool visible) {
    if (footerVisible_ == visible)
        return;
    footerVisible_ = visible;
    footer_->setVisible(visible);
    updateGeometries();
}

void GridView::setColumnShares(const QHash<int, int>& shares,
                               const QHash<int, int>& minimumWidths) {
    shares_ = shares;
    minimumWidths_ = minimumWidths;
    for (auto it = shares.begin(); it != shares.end(); ++it)
        header()->setSectionResizeMode(it.key(), QHeaderView::Fixed);
    layoutColumns();
}

void GridView::setHintPolicy(int column, HintPolicy policy) {
    hintPolicies_[column] = policy;
}

void GridView::layoutColumns() {
    if (!model() || shares_.isEmpty())
        return;
    int total = 0;
    for (auto it = shares_.begin(); it != shares_.end(); ++it)
        if (!isColumnHidden(it.key()))
            total += it.value();
    if (total == 0)
        return;
    const int width = viewport()->width();
    int used = 0;
    QList<int> columns = shares_.keys();
    std::sort(columns.begin(), columns.end());
    for (int i = 0; i < columns.size(); ++i) {
        const int column = columns[i];
        if (isColumnHidden(column))
            continue;
        const bool last = std::none_of(columns.begin() + i + 1, columns.end(),
                                       [this](int c) { return !isColumnHidden(c); });
        int w = last ? width - used : width * shares_[column] / total;
        w = std::max(w, minimumWidths_.value(column, 0));
        setColumnWidth(column, w);
        used += w;
    }
    placeFooter();
}

void GridView::placeFooter() {
    if (!footerVisible_)
        return;
    const QRect vp = viewport()->geometry();
    const int x = columnViewportPosition(0);
    footer_->setGeometry(vp.left() + std::max(0, x), vp.bottom() + 1, std::max(columnWidth(0), 40),
                         kFooterHeight);
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    layoutColumns();
}

void GridView::updateGeometries() {
    // The tree sets the viewport's margins for its header; the footer's
    // margin below is ours to put back.
    QTreeView::updateGeometries();
    QMargins margins = viewportMargins();
    const int bottom = footerVisible_ ? kFooterHeight : 0;
    if (margins.bottom() != bottom) {
        margins.setBottom(bottom);
        setViewportMargins(margins);
    }
    placeFooter();
}

QString GridView::hintFor(const QModelIndex& index) const {
    if (!index.isValid() || model()->hasChildren(index))
        return {};
    switch (hintPolicies_.value(index.column(), HintPolicy::None)) {
    case HintPolicy::None:
        return {};
    case HintPolicy::Always: {
        const QString hint = index.data(Qt::ToolTipRole).toString();
        return hint.isEmpty() ? index.data(Qt::DisplayRole).toString() : hint;
    }
    case HintPolicy::WhenCut: {
        const QString text = index.data(Qt::DisplayRole).toString();
        const QVariant cellFont = index.data(Qt::FontRole);
        const QFontMetrics metrics(cellFont.isValid() ? cellFont.value<QFont>() : font());
        return metrics.horizontalAdvance(text) > visualRect(index).width() - 8 ? text : QString();
    }
    }
    return {};
}

bool GridView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        balloon_->showText(help->globalPos(), hintFor(index), hintStyle_);
        return true;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        balloon_->showText({}, {}, hintStyle_);
        break;
    default:
        break;
    }
    return QTreeView::viewportEvent(event);
}

void GridView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (model() && model()->rowCount() == 0 && !emptyText_.isEmpty()) {
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect().adjusted(4, 12, -4, -4),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, emptyText_);
    }
}

} // namespace platform
