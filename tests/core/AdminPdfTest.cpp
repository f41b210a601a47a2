#include "TestDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

// A halvoret-admin built without the Qt layer (the sanitizer build) has no page renderer:
// "pdf" says so and writes nothing. The command itself is tested with the Qt layer
// (tests/ui/tst_adminPdf.cpp).
TEST(AdminPdfTest, WithoutTheQtLayerSaysSoAndWritesNothing) {
    if (HALVORET_ADMIN_HAS_PDF)
        GTEST_SKIP() << "this halvoret-admin renders PDF files";
    hv::test::TestInstallation install;
    const std::string command =
        std::string("'") + HALVORET_ADMIN_PROGRAM + "' pdf 1 out.pdf >admin.out 2>admin.err";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    std::ifstream err("admin.err");
    const std::string text{std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("built without the Qt layer"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists("out.pdf"));
    EXPECT_TRUE(fs::is_empty("Reports"));
}

} // namespace
