// The desktop's mixer: SDL_mixer 1.2 opened with dlopen at the first openMixer.
// The Debian package still depends on it (dist/package.cmake): dpkg-shlibdeps
// cannot see a library opened at run time.
#include "3-audio/mixer.h"

#include <dlfcn.h>

namespace {

const char *const libraryName = "libSDL_mixer-1.2.so.0";

MixerCalls calls = {};
bool ready = false;

// One call of the library into *slot; false, with the reason, when it has none.
template <typename Call>
bool findCall(void *library, const char *name, Call *slot, std::string &problem) {
    *slot = (Call)dlsym(library, name);
    if (*slot == nullptr) {
        problem = std::string(libraryName) + " has no " + name;
        return false;
    }
    return true;
}

} // namespace

bool openMixer(std::string &problem) {
    if (ready) {
        return true;
    }
    // Bound lazily, as a linked library is: only the calls made are looked up.
    // Never closed: the mixer's threads and atexit handlers may outlive closeAudio.
    void *library = dlopen(libraryName, RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        const char *why = dlerror();
        problem = why != nullptr ? why : std::string("cannot load ") + libraryName;
        return false;
    }
    ready = findCall(library, "Mix_OpenAudio", &calls.openAudio, problem) &&
            findCall(library, "Mix_CloseAudio", &calls.closeAudio, problem) &&
            findCall(library, "Mix_LoadMUS_RW", &calls.loadMusic, problem) &&
            findCall(library, "Mix_PlayMusic", &calls.playMusic, problem) &&
            findCall(library, "Mix_HaltMusic", &calls.haltMusic, problem) &&
            findCall(library, "Mix_FreeMusic", &calls.freeMusic, problem);
    return ready;
}

const MixerCalls &mixerCalls() {
    return calls;
}
