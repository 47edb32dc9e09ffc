#pragma once

#include <sqlite3.h>

namespace testing {

// The system's file layer, which the tests' layers wrap.
sqlite3_vfs* systemVfs();

// What a test's layer makes of the system's methods for one kind of file (a catalogue, a journal).
using WrapMethods = sqlite3_io_methods (*)(const sqlite3_io_methods& system);

// Opens a file through the system's layer, then gives it the methods `wrap` makes of the system's.
int openWrapped(WrapMethods wrap, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags);

// The system's methods of a file that openWrapped opened, which the wrapping ones call.
const sqlite3_io_methods& systemMethods(sqlite3_file* file);

// A layer named `name` that does what the system's does, but opens files with `open`.
sqlite3_vfs wrappingVfs(const char* name, decltype(sqlite3_vfs::xOpen) open);

}  // namespace testing
