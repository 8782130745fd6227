#pragma once

#include <QAbstractItemModel>
#include <QFont>
#include <vector>

class WordQuery;

// The main window's word list over the word query: four columns (Hán, Việt,
// and the two grouping columns, never shown), optionally grouped by stroke
// count or by radical label. Group rows come in ascending group order; within
// a group the rows keep the query's order. Rows are only indexes into the
// query's records: nothing is made per row.
class WordListModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { NAME_HAN, NAME_VIE, SO_NET, BO_THU, ColumnCount };
    enum class Grouping { None, ByStrokes, ByRadical };

    explicit WordListModel(WordQuery& query, QObject* parent = nullptr);

    void setGrouping(Grouping grouping);
    Grouping grouping() const { return grouping_; }
    void setBaseFont(const QFont& font);

    // Between a record of the query and its place in the list.
    QModelIndex indexOfRecord(int record) const;
    int recordOf(const QModelIndex& index) const; // -1 for group rows
    bool isGroupRow(const QModelIndex& index) const;
    int groupCount() const { return int(groups_.size()); }
    QString groupCaption(int group) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static constexpr int kRowHeight = 40;

private:
    struct Group {
        QString value;
        std::vector<int> records;
    };
    void rebuild();

    WordQuery& query_;
    Grouping grouping_ = Grouping::None;
    std::vector<Group> groups_;
    std::vector<int> groupOfRecord_;    // group of each record (-1 without grouping)
    std::vector<int> positionOfRecord_; // its row inside the group or the list
    QFont hanFont_;
    QFont textFont_;
};
