#pragma once

#include "store/UserError.h"

namespace store {

// Every failure of the catalogue engine reaches the caller as this exception, with a French
// message for the user and the engine's own result code for tests and diagnostics.
class DbError : public UserError {
public:
    enum class File { AsExpected, NotACatalogue };

    explicit DbError(const QString& message, int engineCode = 0, File file = File::AsExpected)
        : UserError(message), engineCode_(engineCode), file_(file)
    { }
    int engineCode() const { return engineCode_; }
    // The disk failed or filled up, or another program holds the catalogue: nothing the user typed
    // was at fault.
    bool outsideTheProgram() const;
    // The file is damaged, or is a database of another kind than a catalogue of films.
    bool notACatalogue() const;

private:
    int engineCode_;
    File file_;
};

}  // namespace store
