// Whole-string wildcard match: "*" any run, "?" any one character. Two characters are equal
// when their codes differ at most in bit 0x20 (ASCII letters without regard to case).
// No allocation; neither string is read past its terminator.
#pragma once

bool WildcardMatch(const char* text, const char* pattern);
