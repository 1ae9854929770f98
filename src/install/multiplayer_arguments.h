#pragma once

#include <string>

namespace varokin::install {

// Up to four numbers read as "a.b.c.d" (numbers not read are 0), each cut to its lowest 8 bits:
// whatever the user typed becomes an address the game accepts.
std::string NormaliseAddress(const std::string& text);
// The first 16 characters with blanks and tabs made "_": the game takes its name as one word.
std::string CleanGameName(const std::string& text);

// The game's argument texts for hosting a game of that name and for joining that address.
std::string HostArguments(const std::string& gameName);
std::string JoinArguments(const std::string& address);

}  // namespace varokin::install
