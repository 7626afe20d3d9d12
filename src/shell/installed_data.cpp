#include "shell/installed_data.h"

std::string installedDemoDirectory() {
    // Nothing is installed yet.
    return "";
}
