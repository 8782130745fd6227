#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

// The words viewed during the run, newest first. A word is added at the top
// unless it is already the top row; it may occur again further down. Lives
// in memory only.
class ViewedWords : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NAME_HAN, NAME_VIE, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Adds the word at the top; false when it already was the top row.
    bool insertWord(const QString& nameHan, const QString& nameVie);
    void clear();

    struct Row {
        QString nameHan;
        QString nameVie;
    };
    const std::vector<Row>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<Row> rows_;
};
