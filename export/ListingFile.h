#pragma once

namespace exports {

// Writes Film.txt in the program's folder from the whole catalogue, in title order. Returns
// false, after telling the user, when the file cannot be written.
bool writeListingFile();

// Opens Film.txt with the desktop's program for text, without waiting. Says nothing when there
// is no listing yet or no program to open it.
void openListingFile();

}  // namespace exports
