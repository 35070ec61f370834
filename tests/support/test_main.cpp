// Every test binary keeps its settings in a temporary folder, so nothing a
// test does touches the user's own settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Fontconfig loses a few bytes of its own while it parses its configuration,
// once per process (on the first text drawn or font looked up); no test can
// free them, so the leak checker of the sanitizer build passes over them. The
// sanitizer's fast unwinding stops in fontconfig's first frame, so the library
// is named rather than the function that loads the configuration.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv) {
    std::string folder = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        return 2;
    }
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return result;
}
