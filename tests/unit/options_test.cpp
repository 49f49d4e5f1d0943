#include "cmdline/options.h"
#include "cmdline/usage.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The exit code, or the settings that differ from the defaults.
std::string Prepare(std::vector<std::string> words) {
    words.insert(words.begin(), "-a\\x.exe"); // a program path may begin with a dash too
    std::vector<std::u16string> wide;
    for (const std::string& w : words)
        wide.push_back(U16(w));
    std::vector<char16_t*> entries;
    for (std::u16string& w : wide)
        entries.push_back(&w[0]);
    Settings s;
    int code = PrepareSettings(static_cast<int>(entries.size()), entries.data(), &s);
    if (code) return "exit " + std::to_string(code);
    std::ostringstream out;
    auto field = [&](const char* name, const std::string& value, const std::string& usual) {
        if (value != usual) out << " " << name << "=" << value;
    };
    field("text", U8(s.windowtext), "");
    field("class", U8(s.windowclass), "");
    field("exe", U8(s.exename), "");
    field("pid", std::to_string(s.processid), "0");
    field("a", std::to_string(s.activate), "0");
    field("wait", std::to_string(s.waittime), "1000");
    field("count", std::to_string(s.maxcount), "1");
    field("v", std::to_string(s.verbose), "0");
    field("t", std::to_string(s.test), "0");
    field("utf8", std::to_string(s.utf8), "0");
    return out.str().substr(1);
}

const struct {
    std::vector<std::string> words;
    std::string want;
} kOptionCases[] = {
    {{}, "exit 1"},
    // Any case, a slash for the dash, any one character after the name; the last one wins.
    {{"-text=Baz", "/TEXT=Foo", "-class:Bar", "-exeXa*"}, "text=Foo class=Bar exe=a*"},
    {{"-class=Foo", "-count:-7", "-wait=250ms"}, "class=Foo wait=250 count=-7"},
    {{"-class=Foo", "-wait=abc", "-count=0"}, "class=Foo wait=0 count=0"},
    {{"-class=Foo", "-all", "-verbose"}, "class=Foo a=1 v=1"},
    {{"-class=Foo", "/A", "-test"}, "class=Foo a=1 v=1 t=1"},
    {{"-text=Привет", "/UTF8"}, "text=Привет utf8=1"},
    // Not options, or names the parser does not know ("-w" is no "-wait").
    {{"-class=Foo", "text=Bar", "+v", "--", "-w=5", "-window=5"}, "class=Foo"},
    // A bare name reads nothing beyond the entry: the value is empty.
    {{"-class=Foo", "-wait", "-count", "-text"}, "class=Foo wait=0 count=0"},
    // A process condition is enough to run; "-e" and "-p" are no names.
    {{"/EXE:\"My App.exe\""}, "exe=My App.exe"},
    {{"-Pid=1x", "-e=x", "-p=42"}, "pid=1"}, // the least id
    {{"-text=x", "-pid=-5"}, "exit 4"},
    {{"-text=x", "-pid"}, "exit 4"},
    // Numbers saturate at the 32-bit limits.
    {{"-class=A", "-count=-2147483648", "-wait=2147483647"}, "class=A wait=2147483647 count=-2147483648"},
    {{"-class=A", "-count=-99999999999", "-wait=99999999999999999999"},
     "class=A wait=2147483647 count=-2147483648"},
    // Enclosing quotes and a lone trailing one go, escaped or not; \" becomes ".
    {{"-text:\"x\"", "-class=\\\"quoted\\\""}, "text=x class=\"quoted\""},
    {{"-text=abc\\\"", "-class=a\\\\b"}, "text=abc\\ class=a\\\\b"},
    {{"-text=a\"b\"", "-class=\"a\"b\""}, "text=a\"b\" class=a\"b"},
    // No pattern at all, or none left after the clean-up.
    {{"-text=", "-class=", "-v"}, "exit 4"},
    {{"-text:\"\"", "-class=\""}, "exit 4"},
    // Values and entries that do not fit are refused, counted in UTF-16 units.
    {{"-class=" + Repeat("ж", 255)}, "class=" + Repeat("ж", 255)},
    {{"-text=x", "-class=" + Repeat("ж", 256)}, "exit 4"},
    {{"-text=" + Repeat("😀", 252) + "t"}, "text=" + Repeat("😀", 252) + "t"},
    {{"-text=" + Repeat("😀", 253)}, "exit 4"},
    // A refused entry must not leave a cut pattern behind for anyone to use.
    {{"-text=" + std::string(600, '*') + "x"}, "exit 4"},
};

TEST(PrepareSettings, ReadsEveryOption) {
    for (const auto& c : kOptionCases)
        EXPECT_EQ(Prepare(c.words), c.want) << testing::PrintToString(c.words);
}

// The names of kOptionNames in options.cpp: each one the parser reads must be in the usage box.
TEST(Usage, ListsEveryOptionTheParserReads) {
    for (std::string name :
         {"-text", "-class", "-exe", "-pid", "-a", "-wait", "-count", "-v", "-t", "-utf8"}) {
        EXPECT_NE(Prepare({"-class=c", name + "=7"}), "class=c") << name << " is not read";
        EXPECT_TRUE(std::regex_search(kUsageText, std::regex("\n" + name + "[ \t]"))) << name;
    }
}

} // namespace
