#include "ResultListModel.h"

#include "ResultList.h"
#include "TextBytes.h"

TResultListModel::TResultListModel(TResultList& list, QObject* parent)
    : QAbstractListModel(parent), FList(list)
{
    // The list has already changed when it tells; nothing asks the model in between.
    FList.OnInsert = [this](std::size_t index, const std::string&) {
        beginInsertRows(QModelIndex(), int(index), int(index));
        endInsertRows();
    };
    FList.OnReset = [this] {
        beginResetModel();
        endResetModel();
    };
}

int TResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FList.Count());
}

QVariant TResultListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || std::size_t(index.row()) >= FList.Count())
        return {};
    return Latin1(FList[std::size_t(index.row())]);
}
