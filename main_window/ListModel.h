#pragma once

#include "main_window/ListFile.h"

#include <QAbstractListModel>

// The rows of a drop-down list, read straight from a list file's decoded entries: a list
// of any length fills in one step, and a row's text is made only when it is shown.
class ListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    // Shows the first rows entries.
    ListModel(ListFile::Entries entries, int rows, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    ListFile::Entries m_entries;
    int m_rows;
};
