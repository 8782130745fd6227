#include "app/WordListModel.h"

#include "data/WordQuery.h"
#include "settings/ColorAndFont.h"

#include <QCollator>
#include <QLocale>
#include <QSize>
#include <algorithm>
#include <map>

namespace {
// internalId of a group row; a data row inside group g has g + 1.
constexpr quintptr kTopLevel = 0;
} // namespace

WordListModel::WordListModel(WordQuery& query, QObject* parent)
    : QAbstractItemModel(parent)
    , query_(query) {
    setBaseFont(QFont());
    connect(&query_, &WordQuery::aboutToReset, this, [this] { beginResetModel(); });
    connect(&query_, &WordQuery::reset, this, [this] {
        rebuild();
        endResetModel();
    });
}

void WordListModel::setBaseFont(const QFont& font) {
    hanFont_ = font;
    hanFont_.setPointSize(20);
    SetFontQuality(hanFont_);
    textFont_ = font;
    textFont_.setPointSize(11);
}

void WordListModel::setGrouping(Grouping grouping) {
    if (grouping == grouping_)
        return;
    beginResetModel();
    grouping_ = grouping;
    rebuild();
    endResetModel();
}

void WordListModel::rebuild() {
    groups_.clear();
    const int n = query_.rowCount();
    groupOfRecord_.assign(size_t(n), -1);
    positionOfRecord_.assign(size_t(n), -1);
    if (grouping_ == Grouping::None) {
        for (int i = 0; i < n; ++i)
            positionOfRecord_[size_t(i)] = i;
        return;
    }
    if (grouping_ == Grouping::ByStrokes) {
        std::map<int, std::vector<int>> byStrokes; // numeric order
        for (int i = 0; i < n; ++i)
            byStrokes[query_.row(i).soNet].push_back(i);
        for (auto& [strokes, records] : byStrokes)
            groups_.push_back({QString::number(strokes), std::move(records)});
    } else {
        std::map<QString, std::vector<int>> byLabel;
        for (int i = 0; i < n; ++i)
            byLabel[query_.row(i).boThu].push_back(i);
        for (auto& [label, records] : byLabel)
            groups_.push_back({label, std::move(records)});
        // Labels sort as Vietnamese text.
        QCollator collator{QLocale(QLocale::Vietnamese)};
        collator.setNumericMode(true);
        std::stable_sort(groups_.begin(), groups_.end(), [&](const Group& a, const Group& b) {
            return collator.compare(a.value, b.value) < 0;
        });
    }
    for (int g = 0; g < int(groups_.size()); ++g) {
        const auto& records = groups_[size_t(g)].records;
        for (int p = 0; p < int(records.size()); ++p) {
            groupOfRecord_[size_t(records[size_t(p)])] = g;
            positionOfRecord_[size_t(records[size_t(p)])] = p;
        }
    }
}

QString WordListModel::groupCaption(int group) const {
    const QString caption = grouping_ == Grouping::ByStrokes ? QStringLiteral("Số nét")
                                                             : QStringLiteral("Bộ");
    return QStringLiteral("%1 : %2").arg(caption, groups_.at(size_t(group)).value);
}

QModelIndex WordListModel::indexOfRecord(int record) const {
    if (record < 0 || record >= int(positionOfRecord_.size()))
        return {};
    const int position = positionOfRecord_[size_t(record)];
    if (grouping_ == Grouping::None)
        return createIndex(position, 0, kTopLevel);
    return createIndex(position, 0, quintptr(groupOfRecord_[size_t(record)] + 1));
}

int WordListModel::recordOf(const QModelIndex& index) const {
    if (!index.isValid())
        return -1;
    if (grouping_ == Grouping::None)
        return index.row();
    if (index.internalId() == kTopLevel)
        return -1;
    return groups_[size_t(index.internalId() - 1)].records[size_t(index.row())];
}

bool WordListModel::isGroupRow(const QModelIndex& index) const {
    return index.isValid() && grouping_ != Grouping::None && index.internalId() == kTopLevel;
}

QModelIndex WordListModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, kTopLevel);
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex WordListModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || grouping_ == Grouping::None || child.internalId() == kTopLevel)
        return {};
    return createIndex(int(child.internalId() - 1), 0, kTopLevel);
}

int WordListModel::rowCount(const QModelIndex& parent) const {
    if (grouping_ == Grouping::None)
        return parent.isValid() ? 0 : query_.rowCount();
    if (!parent.isValid())
        return int(groups_.size());
    if (parent.internalId() == kTopLevel && parent.column() == 0)
        return int(groups_[size_t(parent.row())].records.size());
    return 0;
}

int WordListModel::columnCount(const QModelIndex&) const {
    return ColumnCount;
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::SizeHintRole)
        return QSize(-1, kRowHeight);
    if (isGroupRow(index)) {
        if (role == Qt::DisplayRole && index.column() == 0)
            return groupCaption(index.row());
        if (role == Qt::FontRole)
            return textFont_;
        return {};
    }
    const int record = recordOf(index);
    if (record < 0)
        return {};
    const WordRecord& r = query_.row(record);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NAME_HAN:
            return r.nameHan;
        case NAME_VIE:
            return r.nameVie;
        case SO_NET:
            return r.soNet;
        case BO_THU:
            return r.boThu;
        }
        break;
    case Qt::ToolTipRole:
        if (index.column() == NAME_HAN)
            return r.nameHan;
        break;
    case Qt::FontRole:
        return index.column() == NAME_HAN ? hanFont_ : textFont_;
    case Qt::TextAlignmentRole:
        if (index.column() == NAME_HAN)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        break;
    }
    return {};
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NAME_HAN:
        return QStringLiteral("Hán");
    case NAME_VIE:
        return QStringLiteral("Việt");
    case SO_NET:
        return QStringLiteral("Số nét");
    case BO_THU:
        return QStringLiteral("Bộ");
    }
    return {};
}

Qt::ItemFlags WordListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
