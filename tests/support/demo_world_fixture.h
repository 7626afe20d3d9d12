// The demo world, generated once per test run into a temporary directory that
// is removed when the test binary ends. Shared by every test that reads it.
#pragma once

#include <string>

// Absolute path of the generated demo world; fails the calling test if the
// world could not be written.
const std::string &demoWorldDirectory();
