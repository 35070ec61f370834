// The built importer library, loaded as the plugin loads it.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "platform/dynamic_library.h"
#include "shared/imported_articulations.h"
#include "tests/support/import_fixture.h"

namespace velmora::test {
namespace {

TEST(ImporterLibrary, ImportsThroughItsExports) {
    platform::DynamicLibrary library(VELMORA_IMPORTER_PATH);
    ASSERT_TRUE(library.isLoaded()) << library.error();
    const auto get = reinterpret_cast<GetArticulationsFunction>(library.symbol(kGetArticulationsSymbol));
    const auto release = reinterpret_cast<FreeFunction>(library.symbol(kFreeSymbol));
    ASSERT_NE(get, nullptr);
    ASSERT_NE(release, nullptr);
    EXPECT_EQ(library.symbol("_ZN7velmora3api16getArticulationsEPKci"), nullptr) << "internals stay hidden";

    ImportFolder folder;
    const std::string path = folder.file("Violins.nki");
    WriteBytes(path, InstrumentFile(NumberedInstrument(3), FileForm::Container));
    ImportedArticulations* r = get(path.c_str(), 0);
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->count, 3);
    EXPECT_STREQ(r->names[2], "A2");
    EXPECT_EQ(r->notev[2], 12);
    EXPECT_EQ(r->icon[2], 5);
    release(r);

    r = get(folder.file("absent.nki").c_str(), 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->count, 0);
    release(r);
}

}  // namespace
}  // namespace velmora::test
