// TResultListModel: a result list shown by a list view, row for row. The list tells the model what
// it inserted or reset, and the model tells the view; the view asks only for the rows on screen, so
// a list of hundreds of thousands of names costs no widget item per name.
#pragma once

#include <QAbstractListModel>

class TResultList;

class TResultListModel : public QAbstractListModel
{
    Q_OBJECT

  public:
    // Takes over list's OnInsert and OnReset.
    TResultListModel(TResultList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    TResultList& FList;
};
