#include "demo_world_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "demo/demo_world.h"

namespace {

std::string generated;
pid_t generator = 0;

// Only in the process that wrote it: a death test's child runs the same exit
// handlers when it ends, while the world is still in use.
void removeGenerated() {
    if (getpid() != generator) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(generated, ignored);
}

} // namespace

const std::string &demoWorldDirectory() {
    if (generated.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "varnok-demo-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        generated = mkdtemp(buffer.data());
        generator = getpid();
        atexit(removeGenerated);
        std::string problem;
        bool written = writeDemoWorld(generated, problem);
        EXPECT_TRUE(written) << problem;
    }
    return generated;
}
