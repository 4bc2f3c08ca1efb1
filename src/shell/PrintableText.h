#pragma once
// Text from files and paths, made safe to print on a terminal: control
// characters cannot clear the screen, move the cursor or start a line of
// their own, and a long value does not fill the screen.

#include <cstddef>
#include <string>
#include <string_view>

namespace tavro {

// Values are shown up to this many characters.
inline constexpr std::size_t kShownCharacters = 200;

// The text with every character a terminal could act on escaped: tab, line
// feed and carriage return as \t, \n and \r; the other C0 controls, DEL and
// bytes that are not UTF-8 as \xNN; the C1 controls, the line and paragraph
// separators and the bidirectional overrides as \uNNNN. Everything else,
// backslashes included, is kept as it is.
std::string printable(std::string_view text);

// printable(), showing at most `limit` characters of the text (a UTF-8
// sequence or a stray byte is one character) followed by
// "…(N more characters)".
std::string shown(std::string_view text, std::size_t limit = kShownCharacters);

}  // namespace tavro
