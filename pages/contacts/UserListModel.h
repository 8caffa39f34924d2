#pragma once

#include "UserDatabase.h"

#include <vector>

#include <QAbstractTableModel>

// The filtered user list as a table: rows are produced on demand from the list and the indexes
// that passed the filter, so that the whole database never becomes items.
class UserListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Column 0 is the hidden one; then ID and the six texts.
    enum Column { HiddenColumn, IdColumn, FirstTextColumn, kColumnCount = FirstTextColumn + codeplug::kUserFieldCount };

    explicit UserListModel(QObject *parent = nullptr);

    // Shows `rows` of `list`; the list must outlive the model or the next reset.
    void reset(const codeplug::DmrUserList *list, std::vector<int> rows);
    codeplug::DmrUserEntry entry(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const codeplug::DmrUserList *m_list = nullptr;
    std::vector<int> m_rows;
};
