#include "ui/main/NameCompleter.h"

#include "store/Fold.h"

#include <QStandardItemModel>

namespace {

// Where each name keeps its folded form, which the typed text is compared with.
constexpr int kFoldedRole = Qt::UserRole + 1;

}  // namespace

NameCompleter::NameCompleter(QObject* parent) : QCompleter(parent), names_(new QStandardItemModel(this))
{
    setModel(names_);
    setCompletionRole(kFoldedRole);
    setCaseSensitivity(Qt::CaseSensitive);
    setModelSorting(QCompleter::UnsortedModel);
}

void NameCompleter::setNames(const QStringList& names)
{
    names_->clear();
    for (const QString& name : names) {
        auto* item = new QStandardItem(name);
        item->setData(store::fold(name), kFoldedRole);
        item->setEditable(false);
        names_->appendRow(item);
    }
}

QStringList NameCompleter::splitPath(const QString& path) const { return {store::fold(path)}; }

QString NameCompleter::pathFromIndex(const QModelIndex& index) const
{
    return index.data(Qt::DisplayRole).toString();
}
