// Whole-text wildcard match on UTF-16 text: "*" any run of characters, "?" exactly one character
// (a surrogate pair is one). Letters match without regard to case by the platform's simple case
// mapping; every other character matches only itself. No allocation; neither string is read
// past its terminator.
#pragma once

bool WildcardMatch(const char16_t* text, const char16_t* pattern);
