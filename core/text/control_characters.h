// Control characters in texts that come from files: a name typed into a names file by hand or brought in
// from another program may hold an escape, a bell or a tab, which a terminal would obey and a table
// would split at. Nothing the programs write passes one on as it is.
#pragma once

#include <string>
#include <string_view>

namespace talvenor {

// True for the bytes of a UTF-8 text that begin a control character: C0 (U+0000 to U+001F: tab, escape,
// bell, the line breaks ...), DEL (U+007F) and C1 (U+0080 to U+009F, which terminals obey as well).
// Carriage return and line feed are not counted: a text of several lines holds them as line ends.
bool HoldsControlCharacter(std::string_view utf8);

// The text with every control character but carriage return and line feed replaced: a tab by a blank,
// which is what it stood for, any other by `mark`. A text without one comes back unchanged.
std::string ControlCharactersReplaced(std::string_view utf8, char mark);

}  // namespace talvenor
