#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "1-app/desktop_front_end.h"
#include "1-app/display/desktop_presenter.h"
#include "1-app/display/display_keys.h"
#include "1-app/display/overlays.h"
#include "1-app/display/picture_layout.h"
#include "1-app/display/picture_scale.h"
#include "1-app/display/smooth_scale.h"
#include "1-app/display/present.h"
#include "1-app/display/screenshot.h"
#include "1-app/config/settings.h"
#include "1-app/config/user_folders.h"
#include "1-app/display/video.h"
#include "1-app/run/main_loop.h"
#include "2-play/game.h"
#include "3-gfx/palette.h"
#include "test_support.h"

namespace {

// A 640x400 8-bit frame whose pixels differ from row to row and column to column.
SDL_Surface *patternedFrame(int colours) {
    SDL_Surface *frame =
        SDL_CreateRGBSurface(SDL_SWSURFACE, screenWidth, screenHeight, 8, 0, 0, 0, 0);
    for (int y = 0; y < screenHeight; y++) {
        Uint8 *row = (Uint8 *)frame->pixels + y * frame->pitch;
        for (int x = 0; x < screenWidth; x++) {
            row[x] = (Uint8)((x * 3 + y * 7 + x / 5) % colours);
        }
    }
    return frame;
}

SDL_Surface *trueColourSurface(int width, int height) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0);
}

Uint32 pixel32(const SDL_Surface *s, int x, int y) {
    return ((const Uint32 *)((const Uint8 *)s->pixels + y * s->pitch))[x];
}

Uint32 colourOf(const SDL_Surface *frame, int x, int y) {
    const SDL_Color &c =
        frame->format->palette->colors[((const Uint8 *)frame->pixels)[y * frame->pitch + x]];
    return (Uint32)(c.r << 16 | c.g << 8 | c.b);
}

// Every picture pixel against the frame pixel the definition names.
void expectPicture(const SDL_Surface *frame, const SDL_Surface *target, const PictureLayout &l) {
    std::vector<Uint32> colours(screenWidth * screenHeight);
    for (int y = 0; y < screenHeight; y++) {
        for (int x = 0; x < screenWidth; x++) {
            colours[y * screenWidth + x] = colourOf(frame, x, y);
        }
    }
    for (int y = 0; y < l.height; y++) {
        const Uint32 *row =
            (const Uint32 *)((const Uint8 *)target->pixels + (l.top + y) * target->pitch) + l.left;
        const Uint32 *wanted = &colours[y * screenHeight / l.height * screenWidth];
        for (int x = 0; x < l.width; x++) {
            if (row[x] != wanted[x * screenWidth / l.width]) {
                ADD_FAILURE() << "picture pixel " << x << "," << y << " scale " << l.scale;
                return;
            }
        }
    }
}

void present(const SDL_Surface *frame, SDL_Surface *target, const PictureLayout &l) {
    ScaleMaps maps;
    buildScaleMaps(maps, screenWidth, screenHeight, l.width, l.height);
    Uint32 colours[256];
    mapColours(frame, target, colours);
    scaleRows(frame, target, l, maps, colours, 0, screenHeight - 1);
}

} // namespace

TEST(PictureLayout, WindowScalesAndTheFitToTheDesktop) {
    PictureLayout l = windowLayout(3, 1, 1920, 1080);
    EXPECT_EQ(l.width, 1920);
    EXPECT_EQ(l.height, 1440); // an explicit scale is taken as it is
    EXPECT_EQ(l.modeWidth, 1920);
    EXPECT_EQ(l.left, 0);
    // Scale 0: the largest window with 80 rows to spare.
    EXPECT_EQ(windowLayout(0, 0, 1920, 1080).scale, 2); // 1200 > 1000
    EXPECT_EQ(windowLayout(0, 0, 1920, 1280).scale, 3);
    EXPECT_EQ(windowLayout(0, 1, 1920, 1080).scale, 2); // 960 <= 1000
    EXPECT_EQ(windowLayout(0, 0, 3840, 2160).scale, 5);
    // Unknown or tiny desktops give one unit.
    EXPECT_EQ(windowLayout(0, 0, 0, 0).scale, 1);
    EXPECT_EQ(windowLayout(0, 1, 800, 300).scale, 1);
}

TEST(PictureLayout, FullScreenIsTheDesktopWithTheLargestPictureCentred) {
    PictureLayout l = fullscreenLayout(0, 1920, 1080);
    EXPECT_EQ(l.scale, 2);
    EXPECT_EQ(l.modeWidth, 1920);
    EXPECT_EQ(l.modeHeight, 1080);
    EXPECT_EQ(l.left, 320);
    EXPECT_EQ(l.top, 140);
    l = fullscreenLayout(1, 2048, 1536);
    EXPECT_EQ(l.scale, 3);
    EXPECT_EQ(l.height, 1440);
    EXPECT_EQ(l.left, 64);
    EXPECT_EQ(l.top, 48);
    l = fullscreenLayout(0, 1023, 767); // odd borders round down
    EXPECT_EQ(l.left, 191);
    EXPECT_EQ(l.top, 183);
    l = fullscreenLayout(0, 0, 0);
    EXPECT_EQ(l.modeWidth, 640);
    EXPECT_EQ(l.modeHeight, 400);
    EXPECT_EQ(l.left, 0);
}

TEST(PictureLayout, FitFillsTheRoomAtAnySize) {
    PictureLayout l = fittedLayout(0, 1366, 768); // a laptop's full screen
    EXPECT_EQ(l.width, 1228);
    EXPECT_EQ(l.height, 768);
    EXPECT_EQ(l.left, 69);
    EXPECT_EQ(l.modeWidth, 1366);
    l = fittedLayout(1, 1366, 768);
    EXPECT_EQ(l.width, 1024);
    l = fittedWindowLayout(0, 1366, 768); // a window as large as its picture
    EXPECT_EQ(l.width, 1100);
    EXPECT_EQ(l.height, 688);
    EXPECT_EQ(l.modeWidth, 1100);
    EXPECT_EQ(l.left, 0);
}

// The crisp enlargement: at a whole multiple it is the plain one; at any other
// size each picture pixel blends at most two neighbouring source pixels, and only
// where they meet.
TEST(PictureScale, FitBlendsOnlyWhereSourcePixelsMeet) {
    SmoothMap map;
    buildSmoothMap(map, 640, 1280);
    for (int x = 0; x < 1280; x++) {
        ASSERT_EQ(map.first[x], x / 2);
        ASSERT_EQ(map.weight[x], 0);
    }
    buildSmoothMap(map, 640, 1228);
    int blended = 0;
    for (int x = 0; x < 1228; x++) {
        ASSERT_LE(map.second[x] - map.first[x], 1) << x;
        ASSERT_GE(map.first[x], x * 640 / 1228 - 1) << x;
        blended += map.weight[x] != 0;
    }
    EXPECT_LT(blended, 640) << "at most one blended pixel where two source pixels meet";
    // Drawn: a black and white checkerboard stays black and white inside its cells.
    SDL_Surface *frame = patternedFrame(2);
    SDL_Color bw[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    SDL_SetColors(frame, bw, 0, 2);
    PictureLayout l = fittedLayout(0, 1366, 768);
    SDL_Surface *target = trueColourSurface(l.modeWidth, l.modeHeight);
    SmoothMaps maps;
    buildSmoothMaps(maps, 640, 400, l.width, l.height);
    smoothRows(frame, target, l, maps, 0, 399);
    for (int y = 0; y < l.height; y += 7) {
        for (int x = 0; x < l.width; x += 5) {
            Uint32 shown = pixel32(target, l.left + x, l.top + y) & 0xffffff;
            bool plain = maps.columns.weight[x] == 0 && maps.rows.weight[y] == 0;
            Uint8 index =
                ((Uint8 *)frame->pixels)[maps.rows.first[y] * frame->pitch + maps.columns.first[x]];
            if (plain) {
                ASSERT_EQ(shown, index ? 0xffffffu : 0u) << x << "," << y;
            }
        }
    }
    SDL_FreeSurface(target);
    SDL_FreeSurface(frame);
}

TEST(PictureScale, EveryScaleAndAspectMatchesTheMaps) {
    SDL_Surface *frame = patternedFrame(16);
    SDL_SetColors(frame, const_cast<SDL_Color *>(palette16), 0, 16);
    for (int aspect = 0; aspect <= 1; aspect++) {
        for (int scale = 1; scale <= 4; scale++) {
            PictureLayout l = windowLayout(scale, aspect, 0, 0);
            ASSERT_EQ(l.height, (aspect ? 480 : 400) * scale);
            SDL_Surface *target = trueColourSurface(l.modeWidth, l.modeHeight);
            present(frame, target, l);
            expectPicture(frame, target, l);
            SDL_FreeSurface(target);
        }
    }
    SDL_FreeSurface(frame);
}

TEST(PictureScale, FullScreenLeavesTheBordersAndOtherPixelDepthsAgree) {
    SDL_Surface *frame = patternedFrame(4);
    SDL_SetColors(frame, const_cast<SDL_Color *>(palette4), 0, 4);
    PictureLayout l = fullscreenLayout(1, 1500, 1000);
    ASSERT_EQ(l.scale, 2);
    SDL_Surface *target = trueColourSurface(l.modeWidth, l.modeHeight);
    SDL_FillRect(target, nullptr, 0x123456);
    present(frame, target, l);
    expectPicture(frame, target, l);
    EXPECT_EQ(pixel32(target, l.left - 1, l.top), 0x123456u);
    EXPECT_EQ(pixel32(target, l.left + l.width, l.top + l.height - 1), 0x123456u);
    EXPECT_EQ(pixel32(target, l.left, l.top - 1), 0x123456u);
    EXPECT_EQ(pixel32(target, l.left, l.top + l.height), 0x123456u);
    // 16- and 24-bit targets get the same colours, packed their way.
    for (int bits : {16, 24}) {
        SDL_Surface *other =
            SDL_CreateRGBSurface(SDL_SWSURFACE, l.modeWidth, l.modeHeight, bits, 0, 0, 0, 0);
        SDL_Surface *wide = SDL_ConvertSurface(target, other->format, SDL_SWSURFACE);
        SDL_FillRect(other, nullptr, SDL_MapRGB(other->format, 0x12, 0x34, 0x56));
        present(frame, other, l);
        EXPECT_EQ(SDL_LockSurface(other), 0);
        EXPECT_EQ(0, memcmp(other->pixels, wide->pixels, (size_t)other->pitch * other->h))
            << bits << " bits";
        SDL_FreeSurface(wide);
        SDL_FreeSurface(other);
    }
    // An area of the frame reaches exactly the picture pixels that show it.
    SDL_FillRect(target, nullptr, 0x123456);
    ScaleMaps maps;
    buildScaleMaps(maps, screenWidth, screenHeight, l.width, l.height);
    Uint32 colours[256];
    mapColours(frame, target, colours);
    scaleArea(frame, target, l, maps, colours, FrameArea{100, 50, 200, 60});
    // Scale 2 with the stretch: rows 50-60 are picture rows 120-146.
    EXPECT_EQ(pixel32(target, l.left + 200, l.top + 120), colourOf(frame, 100, 50));
    EXPECT_EQ(pixel32(target, l.left + 401, l.top + 146), colourOf(frame, 200, 60));
    EXPECT_EQ(pixel32(target, l.left + 199, l.top + 120), 0x123456u);
    EXPECT_EQ(pixel32(target, l.left + 402, l.top + 146), 0x123456u);
    EXPECT_EQ(pixel32(target, l.left + 200, l.top + 119), 0x123456u);
    EXPECT_EQ(pixel32(target, l.left + 401, l.top + 147), 0x123456u);
    // A layout that does not fit its target draws nothing rather than overrun it.
    SDL_Surface *small = trueColourSurface(100, 100);
    SDL_FillRect(small, nullptr, 7);
    present(frame, small, l);
    EXPECT_EQ(pixel32(small, 99, 99), 7u);
    SDL_FreeSurface(small);
    SDL_FreeSurface(target);
    SDL_FreeSurface(frame);
}

// A presenter that only writes down what it was asked, for the seam's test.
std::string asked;
void askedSize() {
    asked += "size ";
}
bool askedOpen(bool fullscreen) {
    asked += fullscreen ? "open-full " : "open ";
    return true;
}
bool askedToggle() {
    asked += "toggle ";
    return true;
}
bool askedIsFullscreen() {
    asked += "full? ";
    return true;
}
void askedPresent() {
    asked += "present ";
}
void askedPause(Uint32 milliseconds) {
    asked += "pause-" + std::to_string(milliseconds) + " ";
}
void askedClose() {
    asked += "close ";
}
void askedExposed() {
    asked += "exposed ";
}
const PresenterCalls recordingPresenter = {askedSize,    askedOpen,  askedToggle, askedIsFullscreen,
                                           askedPresent, askedPause, askedClose,  askedExposed};

// The presenter on the dummy video driver: the frame as the game has it, the
// display as SDL gives it.
class Presenter : public ::testing::Test {
  protected:
    SDL_Surface *display = nullptr;
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        startUpSettings().scale = 2;
        startUpSettings().aspect = 0;
        useFrontEnd(desktopFrontEnd);
        readDesktopSize();
        screen = patternedFrame(4);
        SDL_SetColors(screen, const_cast<SDL_Color *>(palette4), 0, 4);
        ASSERT_TRUE(openDisplay(false));
        display = SDL_GetVideoSurface();
        hideKeysOverlay();
    }
    void TearDown() override {
        closeDisplay();
        SDL_FreeSurface(screen);
        screen = nullptr;
        startUpSettings().scale = 1;
        setColourMode(true);
        SDL_Quit();
    }
    // The display's colour at a picture pixel.
    SDL_Color shown(int x, int y) {
        Uint8 index = ((Uint8 *)display->pixels)[y * display->pitch + x];
        return display->format->palette->colors[index];
    }
    SDL_Color framed(int x, int y) {
        return screen->format->palette->colors[((Uint8 *)screen->pixels)[y * screen->pitch + x]];
    }
    void expectShownAsFramed(int x, int y) {
        SDL_Color a = shown(2 * x, 2 * y), b = framed(x, y);
        EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << x << "," << y;
    }
};

// Every presenter call goes to the presenter of the chosen front end; drawing's
// hooks reach it only while its display is open.
TEST(PresenterChoice, TheCallsGoToTheChosenPresenter) {
    asked.clear();
    FrontEnd recording = desktopFrontEnd;
    recording.presenter = &recordingPresenter;
    useFrontEnd(recording);
    presentNow();
    readDesktopSize();
    EXPECT_TRUE(openDisplay(true));
    presentScreen();
    presentNow();
    pauseShown(20);
    EXPECT_TRUE(toggleFullscreen());
    EXPECT_TRUE(displayIsFullscreen());
    displayExposed();
    closeDisplay();
    presentNow();
    pauseShown(20);
    useFrontEnd(desktopFrontEnd);
    EXPECT_EQ(asked, "size open-full present present pause-20 toggle full? exposed close ");
}

TEST_F(Presenter, ShowsChangesAndPaletteSwitchesAndKeepsOverlaysOutOfTheFrame) {
    ASSERT_EQ(display->w, 1280);
    presentScreen();
    expectShownAsFramed(639, 399);
    // One changed row is carried over; the rest is left as it was.
    ((Uint8 *)screen->pixels)[200 * screen->pitch + 7] = 3;
    presentScreen();
    expectShownAsFramed(7, 200);
    // Changes far apart: the rectangle around them all is carried over.
    ((Uint8 *)screen->pixels)[10 * screen->pitch + 630] ^= 1;
    ((Uint8 *)screen->pixels)[390 * screen->pitch + 2] ^= 2;
    ((Uint8 *)screen->pixels)[200 * screen->pitch + 300] ^= 3;
    presentScreen();
    expectShownAsFramed(630, 10);
    expectShownAsFramed(2, 390);
    expectShownAsFramed(300, 200);
    // A switch to the sixteen colours shows every pixel in its new colour.
    SDL_SetColors(screen, const_cast<SDL_Color *>(palette16), 0, 16);
    ((Uint8 *)screen->pixels)[5] = 14;
    presentScreen();
    expectShownAsFramed(5, 0);
    expectShownAsFramed(320, 100);
    // The keys list covers the map view on the display only.
    std::vector<Uint8> before((Uint8 *)screen->pixels,
                              (Uint8 *)screen->pixels + screen->pitch * screen->h);
    showKeysOverlay();
    presentScreen();
    SDL_Color covered = shown(2 * 20, 2 * 20);
    EXPECT_EQ(covered.r + covered.g + covered.b, 0);
    EXPECT_EQ(0, memcmp(before.data(), screen->pixels, before.size()));
    hideKeysOverlay();
    presentScreen();
    expectShownAsFramed(20, 20);
    // A window that lost its picture (SDL_VIDEOEXPOSE) gets all of it again, not
    // only what changed since.
    SDL_FillRect(display, nullptr, 0);
    SDL_Event expose = {};
    expose.type = SDL_VIDEOEXPOSE;
    Game game = newGame();
    EXPECT_FALSE(handleEvent(game, &expose));
    presentScreen();
    expectShownAsFramed(20, 20);
    expectShownAsFramed(639, 399);
}

TEST_F(Presenter, FullScreenAndBackKeepsTheFrame) {
    ASSERT_FALSE(displayIsFullscreen());
    SDL_Event enter = {};
    enter.type = SDL_KEYDOWN;
    enter.key.keysym.sym = SDLK_RETURN;
    enter.key.keysym.mod = KMOD_LALT;
    EXPECT_EQ(handleDisplayKey(&enter.key), keyTaken);
    EXPECT_TRUE(displayIsFullscreen());
    EXPECT_EQ(SDL_GetModState(), KMOD_NONE);
    // The dummy driver knows no desktop: full screen is 640x400 at scale 1.
    display = SDL_GetVideoSurface();
    EXPECT_EQ(displayLayout().scale, 1);
    EXPECT_EQ(handleDisplayKey(&enter.key), keyTaken);
    EXPECT_FALSE(displayIsFullscreen());
    display = SDL_GetVideoSurface();
    EXPECT_EQ(display->w, 1280);
    expectShownAsFramed(100, 300);
    expectShownAsFramed(639, 0);
}

namespace {

struct DecodedPng {
    int width = 0, height = 0;
    std::vector<Uint8> pixels;
    std::vector<png_color> palette;
};

// libpng's own reader, independent of the project's: indices and palette as stored.
bool decodePng(const std::string &path, DecodedPng &out) {
    FILE *f = fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE) {
        longjmp(png_jmpbuf(png), 1);
    }
    png_set_packing(png);
    png_colorp colours;
    int count = 0;
    png_get_PLTE(png, info, &colours, &count);
    out.palette.assign(colours, colours + count);
    out.width = (int)png_get_image_width(png, info);
    out.height = (int)png_get_image_height(png, info);
    out.pixels.resize((size_t)out.width * out.height);
    for (int y = 0; y < out.height; y++) {
        png_read_row(png, &out.pixels[(size_t)y * out.width], nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    fclose(f);
    return true;
}

} // namespace

class Screenshots : public ::testing::Test {
  protected:
    ScratchDir dir;
    void SetUp() override {
        setColourMode(false);
        screen = patternedFrame(16);
        setModePalette(screen);
        free(startUpSettings().screenshots);
        startUpSettings().screenshots = strdup((dir.path + "/shots/new").c_str());
    }
    void TearDown() override {
        SDL_FreeSurface(screen);
        screen = nullptr;
        freeSettingTexts();
        setColourMode(true);
    }
};

TEST_F(Screenshots, TheFileHoldsTheFramesPixelsAndPalette) {
    testing::internal::CaptureStdout();
    ASSERT_TRUE(writeScreenshotFile());
    std::string said = testing::internal::GetCapturedStdout();
    ASSERT_EQ(said.rfind("Screenshot saved: " + dir.path + "/shots/new/varnok-", 0), 0u) << said;
    std::string path = said.substr(18, said.size() - 19);
    DecodedPng png;
    ASSERT_TRUE(decodePng(path, png));
    ASSERT_EQ(png.width, 640);
    ASSERT_EQ(png.height, 400);
    ASSERT_EQ(png.palette.size(), 16u);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(png.palette[i].red, palette16[i].r) << i;
        EXPECT_EQ(png.palette[i].green, palette16[i].g) << i;
        EXPECT_EQ(png.palette[i].blue, palette16[i].b) << i;
    }
    for (int y = 0; y < 400; y++) {
        ASSERT_EQ(0, memcmp(&png.pixels[y * 640], (Uint8 *)screen->pixels + y * screen->pitch, 640))
            << "row " << y;
    }
}

TEST_F(Screenshots, NamesAreNeverReusedAndBadFoldersAreReported) {
    std::string problem;
    ASSERT_TRUE(makeFolders(dir.path + "/a/b//c/", problem)) << problem;
    time_t when = 86400 * 365;
    int fds[3] = {-1, -1, -1};
    std::string first = createScreenshotFile(dir.path + "/a", when, problem, fds[0]);
    std::string second = createScreenshotFile(dir.path + "/a", when, problem, fds[1]);
    std::string third = createScreenshotFile(dir.path + "/a", when, problem, fds[2]);
    EXPECT_EQ(second, first.substr(0, first.size() - 4) + "-2.png");
    EXPECT_EQ(third, first.substr(0, first.size() - 4) + "-3.png");
    EXPECT_EQ(first.find(dir.path + "/a/varnok-1971"), 0u) << first;
    // Each file is left open for the writer: the one created, not one that takes
    // its name in between.
    struct stat named, opened;
    ASSERT_EQ(stat(first.c_str(), &named), 0);
    for (int fd : fds) {
        ASSERT_GE(fd, 0);
    }
    ASSERT_EQ(fstat(fds[0], &opened), 0);
    EXPECT_EQ(named.st_ino, opened.st_ino);
    for (int fd : fds) {
        close(fd);
    }
    // A folder under a plain file cannot be made: one line, no file, no crash.
    writeTextFile("plain", "x");
    free(startUpSettings().screenshots);
    startUpSettings().screenshots = strdup((dir.path + "/plain/shots").c_str());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(writeScreenshotFile());
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "Cannot save a screenshot in '" + dir.path + "/plain/shots': Not a directory\n");
}

TEST(ScreenshotFolder, DefaultsFollowTheDataHome) {
    freeSettingTexts();
    std::string oldData = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(screenshotFolder(), "/data/home/varnok/screenshots");
    setenv("HOME", "/home/player", 1);
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(screenshotFolder(), "/home/player/.local/share/varnok/screenshots");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(screenshotFolder(), "/home/player/.local/share/varnok/screenshots");
    startUpSettings().screenshots = strdup("mine");
    EXPECT_EQ(screenshotFolder(), "mine");
    freeSettingTexts();
    setenv("HOME", oldHome.c_str(), 1);
    if (!oldData.empty()) {
        setenv("XDG_DATA_HOME", oldData.c_str(), 1);
    }
}
