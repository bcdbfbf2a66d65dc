#include "main_window/ListModel.h"

ListModel::ListModel(ListFile::Entries entries, int rows, QObject *parent)
    : QAbstractListModel(parent)
    , m_entries(std::move(entries))
    , m_rows(rows)
{
    Q_ASSERT(rows >= 0 && rows <= m_entries.size());
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    // The list asks for the row of "no entry" too.
    if (!index.isValid() || index.row() >= m_rows || index.parent().isValid())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return m_entries.at(index.row()).toString();
}
