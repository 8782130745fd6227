#pragma once

#include "platform/grid/HintBalloon.h"

#include <QHash>
#include <QTreeView>

class QLabel;

namespace platform {

// A read-only list over our own models, possibly with group rows: visible
// columns share the width in fixed proportions, an empty list shows a text,
// a footer can show a figure under the first column, and cells show hints in
// a balloon of the list's own style.
class GridView : public QTreeView {
    Q_OBJECT
public:
    enum class HintPolicy { None, Always, WhenCut };

    explicit GridView(QWidget* parent = nullptr);

    void setEmptyText(const QString& text);
    QString emptyText() const { return emptyText_; }

    void setFooterText(const QString& text);
    QString footerText() const;
    void setFooterVisible(bool visible);
    bool isFooterVisible() const { return footerVisible_; }

    // Widths of the visible columns as shares of the list's width, with
    // a floor for each.
    void setColumnShares(const QHash<int, int>& shares, const QHash<int, int>& minimumWidths);

    void setHintPolicy(int column, HintPolicy policy);
    void setHintStyle(const HintBalloon::Style& style) { hintStyle_ = style; }
    // The hint a cell shows, or an empty text.
    QString hintFor(const QModelIndex& index) const;
    HintBalloon* hintBalloon() const { return balloon_; }

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    void layoutColumns();
    void placeFooter();

    QString emptyText_;
    QLabel* footer_;
    bool footerVisible_ = false;
    QHash<int, int> shares_;
    QHash<int, int> minimumWidths_;
    QHash<int, HintPolicy> hintPolicies_;
    HintBalloon::Style hintStyle_;
    HintBalloon* balloon_;
};

} // namespace platform
