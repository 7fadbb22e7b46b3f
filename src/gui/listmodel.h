#pragma once

#include "common/listobserver.h"

#include <QAbstractListModel>
#include <functional>
#include <string>

namespace tessaro {

// A Qt list model over a presentation model's list: it asks for the row
// count and each row's text (single-byte code-page text, shown through
// fromBytes) and turns the presentation model's ListObserver calls into the
// matching item-model signals, so a view redraws only the rows that changed.
class ObservedListModel : public QAbstractListModel, public ListObserver {
public:
    ObservedListModel(std::function<int()> rowCount, std::function<std::string(int)> rowText,
                      QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted(int first, int last) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void rowsChanged(int first, int last) override;
    void listAboutToBeReset() override;
    void listReset() override;

private:
    std::function<int()> m_rowCount;
    std::function<std::string(int)> m_rowText;
};

} // namespace tessaro
