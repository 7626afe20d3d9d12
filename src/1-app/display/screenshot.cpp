#include "1-app/display/screenshot.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "1-app/display/screenshot_name.h"
#include "1-app/config/settings.h"
#include "1-app/config/user_folders.h"
#include "1-app/display/video.h"
#include "3-gfx/palette.h"
#include "3-gfx/png_file.h"
#include "4-data/shown_text.h"

namespace {

const int mostTries = 1000; // names tried in one second before giving up

std::string homeFolder() {
    const char *home = getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    const passwd *entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : ".";
}

// The frame's pixels with the mode's palette, longer only if the frame holds an
// index beyond it, written through fd, which is closed.
bool writeFrame(int fd, std::string &problem) {
    FILE *file = fdopen(fd, "wb");
    if (file == nullptr) {
        problem = strerror(errno);
        close(fd);
        return false;
    }
    IndexedImage image = imageFromSurface(screen);
    size_t colours = (size_t)modePaletteSize();
    for (uint8_t index : image.pixels) {
        colours = index >= colours ? (size_t)index + 1 : colours;
    }
    if (colours < image.palette.size()) {
        image.palette.resize(colours);
    }
    bool written = writeIndexedPngTo(file, image, &problem);
    if (fclose(file) != 0 && written) {
        problem = strerror(errno);
        return false;
    }
    return written;
}

} // namespace

std::string screenshotFolder() {
    if (settings.screenshots != nullptr) {
        return settings.screenshots;
    }
    const char *data = getenv("XDG_DATA_HOME");
    std::string base = data != nullptr && data[0] == '/' ? data : homeFolder() + "/.local/share";
    return base + "/varnok/screenshots";
}

std::string createScreenshotFile(const std::string &folder, time_t when, std::string &problem,
                                 int &fd) {
    for (int n = 1; n <= mostTries; n++) {
        std::string path = folder + "/" + screenshotName(when, n);
        // O_EXCL: an existing file is never opened, even one made a moment ago.
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            return path;
        }
        if (errno != EEXIST) {
            problem = strerror(errno);
            return "";
        }
    }
    problem = "too many screenshots in the same second";
    return "";
}

bool writeScreenshotFile() {
    if (screen == nullptr) {
        return false;
    }
    std::string folder = screenshotFolder();
    std::string problem;
    std::string path;
    int fd = -1;
    if (makeFolders(folder, problem)) {
        path = createScreenshotFile(folder, time(nullptr), problem, fd);
    }
    if (path.empty() || !writeFrame(fd, problem)) {
        if (!path.empty()) {
            remove(path.c_str());
        }
        fprintf(stderr, "Cannot save a screenshot in '%s': %s\n", shownText(folder).c_str(),
                shownText(problem).c_str());
        return false;
    }
    announceScreenshot(path);
    return true;
}
