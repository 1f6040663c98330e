#pragma once

#include <string>

namespace kelvane {

// Makes sure Kelvane.ini exists. When it cannot be opened for reading, the defaults are
// applied to the settings and, if no such file exists at all, written to a new file with
// comments. A file that exists is never written to, even when it cannot be read.
void WriteDefaultConfig();

// The complete text of the default file, from the current settings; '\n' line ends.
std::string DefaultConfigText();

}  // namespace kelvane
