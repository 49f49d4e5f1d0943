// Classes of helper windows that are never touched, whatever the patterns. Portable.
#pragma once

// Exact, case-sensitive comparison with the table.
bool IsExcludedClass(const char16_t* name);
