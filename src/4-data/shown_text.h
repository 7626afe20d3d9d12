// Bytes that came from a file or a path, made safe to print on a terminal: a
// message that carries them can neither move the cursor, retitle the window nor
// end early, and a word quoted from a file stays short enough to read.
#pragma once

#include <string>

// The characters a quoted word keeps before it is cut.
const int shownWordLength = 60;

// The bytes with every control byte (0-31, 127, and the C1 controls 128-159 also
// in their UTF-8 form) and every byte that is no part of valid UTF-8 written as
// \xHH (lower-case hex); a NUL byte too, so nothing cuts the message short. Text
// that is already safe comes back unchanged, so applying it twice changes nothing.
std::string shownText(const std::string &bytes);

// A word quoted from a file: shownText, cut after 60 characters (an escape counts
// as the four it shows) and then marked with "…".
std::string shownWord(const std::string &word);
