// The installed demo world is found from the binary's own folder, whatever the
// prefix, and only when it is really there.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "1-app/config/installed_data.h"
#include "test_support.h"

TEST(InstalledData, TheDemoWorldIsFoundBesideTheBinaryOnlyWhenItIsAFolder) {
    ScratchDir dir;
    char real[PATH_MAX];
    ASSERT_NE(realpath(dir.path.c_str(), real), nullptr);
    std::string prefix = std::string(real) + "/moved prefix";
    for (const char *folder : {"", "/bin", "/share", "/share/varnok"}) {
        ASSERT_EQ(mkdir((prefix + folder).c_str(), 0755), 0);
    }
    const std::string relative = "../share/varnok/demo";
    const std::string binary = prefix + "/bin/varnok";
    EXPECT_EQ(folderBesideExecutable(binary, relative), "");

    writeTextFile(prefix + "/share/varnok/demo", "not a folder");
    EXPECT_EQ(folderBesideExecutable(binary, relative), "");
    ASSERT_EQ(remove((prefix + "/share/varnok/demo").c_str()), 0);

    ASSERT_EQ(mkdir((prefix + "/share/varnok/demo").c_str(), 0755), 0);
    EXPECT_EQ(folderBesideExecutable(binary, relative), prefix + "/share/varnok/demo");
    EXPECT_EQ(folderBesideExecutable(prefix + "/bin/../bin/varnok", relative),
              prefix + "/share/varnok/demo");
    EXPECT_EQ(folderBesideExecutable("varnok", relative), "");
    EXPECT_EQ(folderBesideExecutable(binary, ""), "");
}
