#pragma once

#include <optional>
#include <string>

namespace varokin::app {

// "Varokin <version>".
std::string VersionText();

// The short usage of one front end, under the name it is started by. The console's also says
// where its windows go.
std::string HelpText(const std::string& programName, bool console);

// What the command text asks to be shown instead of a run: the version for "--version", the
// usage for "--help". Only a command text that is exactly one of them counts, so every other
// command line (a snapshot or parameter file of any name) keeps its meaning.
std::optional<std::string> VersionOrHelp(const std::string& commandText,
                                         const std::string& programName, bool console);

}  // namespace varokin::app
