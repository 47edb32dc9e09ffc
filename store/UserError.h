#pragma once

#include <QString>
#include <stdexcept>

// An error written for the user: its message, in French, says what failed and why. The store's and
// the files' errors derive from it, and the windows' guard shows any of them as it is.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& message) : std::runtime_error(message.toStdString()) { }
    QString message() const { return QString::fromStdString(what()); }
};
