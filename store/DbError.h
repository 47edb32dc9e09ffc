#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// Every failure of the catalogue engine reaches the caller as this exception, with a French
// message for the user and the engine's own result code for tests and diagnostics.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, int engineCode = 0)
        : std::runtime_error(message.toStdString()), engineCode_(engineCode)
    { }
    QString message() const { return QString::fromStdString(what()); }
    int engineCode() const { return engineCode_; }

private:
    int engineCode_;
};

}  // namespace store
