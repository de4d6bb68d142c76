#pragma once

#include <QAbstractItemModel>
#include <QStringList>

namespace tarvo::listext::test {

// The row under parent whose first column shows the name; invalid when there is none.
inline QModelIndex childNamed(const QAbstractItemModel &model, const QModelIndex &parent, const QString &name)
{
    for (int r = 0; r < model.rowCount(parent); ++r)
        if (model.data(model.index(r, 0, parent)).toString() == name)
            return model.index(r, 0, parent);
    return {};
}

// The first-column texts of the rows under parent.
inline QStringList childNames(const QAbstractItemModel &model, const QModelIndex &parent)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(parent); ++r)
        out << model.data(model.index(r, 0, parent)).toString();
    return out;
}

} // namespace tarvo::listext::test
