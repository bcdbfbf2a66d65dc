#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The symbols of the palette as data, apart from any window: three pages of rows, each
// caption one character.
namespace SymbolTable {

struct Page
{
    QString tabCaption;
    // From the top; each row from the left, one caption per button.
    QList<QStringList> rows;
};

// The pages in the order of their tabs.
const QList<Page> &pages();

} // namespace SymbolTable
