// The program itself: the usage box (or, for the console twin, standard error) and its exit
// codes, and what the executable carries.
#include "e2e.h"
#include "cmdline/usage.h"
#include "../../res/resource.h"
#include "version.h"

#include <gtest/gtest.h>

namespace {

TEST(Usage, ACommandLineThatNamesNoWindowGetsTheUsageText) {
    // 1280 characters in all: one more than fits. A cut line would still name a window.
    std::string tooLong = "-text=Quellix -count=1 ";
    tooLong += std::string(1280 - ProgramPath("quellix.exe").size() - 3 - tooLong.size(), '*');
    const struct {
        std::string args;
        int exitCode;
    } rows[] = {
        {"", 1},
        {"   ", 1},
        {"-v", 4},
        {"-w=3 notanoption", 4},
        {"-exe=x -pid=", 4},
        {"-class=" + std::string(256, 'c'), 4},
        {tooLong, 4},
    };
    for (const auto& row : rows) {
        std::string boxText;
        RunOptions options;
        options.timeoutMs = 10000;
        options.meanwhile = [&] {
            HWND box = nullptr;
            EXPECT_TRUE(WaitFor([&] { return (box = FindWindowA("#32770", "Quellix")) != nullptr; }));
            char text[2048] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the message box's text
            boxText = text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        };
        RunResult r = RunQuellix(row.args, options);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        EXPECT_EQ(boxText, kUsageText) << row.args;
        EXPECT_EQ(r.output, "") << row.args;
        // The console twin writes the text to standard error instead.
        options.exe = "quellixc.exe";
        options.meanwhile = nullptr;
        r = RunQuellix(row.args, options);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        EXPECT_EQ(r.errors, kUsageText) << row.args;
        EXPECT_EQ(r.output, "") << row.args;
        EXPECT_EQ(FindWindowA("#32770", "Quellix"), nullptr) << row.args;
    }
}

TEST(Image, CarriesIconVersionAndManifest) {
    std::string path = ProgramPath("quellix.exe");
    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(IDI_APPICON), MAKEINTRESOURCEA(14)),
              nullptr);                                                               // RT_GROUP_ICON
    HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    std::string xml(static_cast<const char*>(LockResource(LoadResource(image, manifest))),
                    SizeofResource(image, manifest));
    EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
    FreeLibrary(image);
    std::string data(GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), &data[0]));
    for (const auto& e :
         {std::make_pair("ProductName", "Quellix"), std::make_pair("FileVersion", QUELLIX_VERSION_STRING)}) {
        char* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(&data[0], (std::string("\\StringFileInfo\\040904B0\\") + e.first).c_str(),
                                   reinterpret_cast<void**>(&value), &length));
        EXPECT_STREQ(value, e.second);
    }
}

} // namespace
