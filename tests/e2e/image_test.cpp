// The executable carries what a Windows tool should: icon, version information and manifest.
#include "process.h"
#include "../../res/resource.h"
#include "version.h"

#include <gtest/gtest.h>

namespace {

TEST(Image, CarriesIconVersionAndManifest) {
    HMODULE image = LoadLibraryExA(QuellixPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(IDI_APPICON), MAKEINTRESOURCEA(14)),
              nullptr);                                                                  // RT_GROUP_ICON
    EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr); // RT_VERSION
    HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));    // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    const char* xml = static_cast<const char*>(LockResource(LoadResource(image, manifest)));
    std::string text(xml, SizeofResource(image, manifest));
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    FreeLibrary(image);
}

TEST(Image, VersionNamesTheProduct) {
    std::string path = QuellixPath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &data[0]));
    const char* const expected[][2] = {{"ProductName", "Quellix"}, {"FileVersion", QUELLIX_VERSION_STRING}};
    for (const auto& e : expected) {
        char* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(&data[0], (std::string("\\StringFileInfo\\040904B0\\") + e[0]).c_str(),
                                   reinterpret_cast<void**>(&value), &length));
        EXPECT_STREQ(value, e[1]);
    }
}

} // namespace
