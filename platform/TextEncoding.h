#pragma once

// Text from outside the program (files, the command line) as the UTF-8 the
// program holds all its text in.

#include <string>
#include <string_view>

namespace platform {

bool isValidUtf8(std::string_view bytes);

// Bytes that are valid UTF-8 as they are; anything else is taken as
// Windows-1252, the code page of catalogs and projects written on older
// Windows machines, so every byte becomes a character and none is lost.
std::string toUtf8(std::string_view bytes);

}  // namespace platform
