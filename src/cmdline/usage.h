// The usage box text.
#pragma once

extern const char kUsageText[];
