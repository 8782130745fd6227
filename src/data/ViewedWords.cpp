#include "data/ViewedWords.h"

bool ViewedWords::insertWord(const QString& nameHan, const QString& nameVie) {
    if (!rows_.empty() && rows_.front().nameHan == nameHan)
        return false;
    beginInsertRows({}, 0, 0);
    // The fields are as wide as the word record's (31 and 63 characters).
    rows_.insert(rows_.begin(), Row{nameHan.left(31), nameVie.left(63)});
    endInsertRows();
    return true;
}

void ViewedWords::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ViewedWords::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ViewedWords::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ViewedWords::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const Row& row = rows_[size_t(index.row())];
    if (role == Qt::DisplayRole)
        return index.column() == NAME_HAN ? row.nameHan : row.nameVie;
    if (role == Qt::TextAlignmentRole && index.column() == NAME_HAN)
        return int(Qt::AlignCenter);
    return {};
}
