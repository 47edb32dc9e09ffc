#pragma once

#include <QCompleter>
#include <QStringList>

class QStandardItemModel;

// Completes a name from a list of names, letter case and accents ignored: "re" offers "Rémi" and
// "Régis", "jean p" offers "Jean-Pierre". The name offered goes into the box as it is written.
class NameCompleter : public QCompleter {
public:
    explicit NameCompleter(QObject* parent);

    void setNames(const QStringList& names);

    // The typed text folded, as each name is.
    QStringList splitPath(const QString& path) const override;
    QString pathFromIndex(const QModelIndex& index) const override;

private:
    QStandardItemModel* names_;
};
