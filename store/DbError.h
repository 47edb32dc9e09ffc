#pragma once

#include "store/UserError.h"

namespace store {

// Every failure of the catalogue engine reaches the caller as this exception, with a French
// message for the user and the engine's own result code for tests and diagnostics.
class DbError : public UserError {
public:
    explicit DbError(const QString& message, int engineCode = 0) : UserError(message), engineCode_(engineCode)
    { }
    int engineCode() const { return engineCode_; }
    // The disk failed or filled up, or another program holds the catalogue: nothing the user typed
    // was at fault.
    bool outsideTheProgram() const;

private:
    int engineCode_;
};

}  // namespace store
