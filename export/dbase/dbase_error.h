#pragma once
// Errors of the table engine: a table it does not understand, a value it
// cannot store, an index that disagrees with its table, a locked file. They
// are input/output errors to the handler that started the operation.
#include "common/io_error.h"

namespace tripdesk::dbase {

class DbaseError : public IoError {
public:
    using IoError::IoError;
};

}  // namespace tripdesk::dbase
