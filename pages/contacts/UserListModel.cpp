#include "UserListModel.h"

using namespace codeplug;

UserListModel::UserListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void UserListModel::reset(const DmrUserList *list, std::vector<int> rows)
{
    beginResetModel();
    m_list = list;
    m_rows = std::move(rows);
    endResetModel();
}

DmrUserEntry UserListModel::entry(int row) const
{
    return m_list->entry(m_rows[std::size_t(row)]);
}

int UserListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_list ? 0 : int(m_rows.size());
}

int UserListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant UserListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !m_list || index.row() < 0 || index.row() >= rowCount())
        return {};
    const int entry = m_rows[std::size_t(index.row())];
    if (index.column() == IdColumn)
        return QString::number(m_list->id(entry));
    if (index.column() >= FirstTextColumn && index.column() < kColumnCount)
        return QString::fromLatin1(m_list->text(entry, UserField(index.column() - FirstTextColumn)));
    return {};
}

QVariant UserListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const titles[kColumnCount]
        = { "", "ID", "Callsign", "Name", "Nick Name", "City", "State", "Country" };
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(titles[section]);
}
