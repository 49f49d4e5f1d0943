// The usage box text, in two parts joined as "%s%s".
#pragma once

extern const char kUsageLine[];
extern const char kUsageOptions[];
