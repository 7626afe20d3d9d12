// The browser build's mixer: the one emscripten links in (its Mix_CloseAudio is
// web_music.cpp's). Music reaches it as bytes (musicFromBytes), never through an
// SDL_RWops, so there is no loadMusic.
#include <SDL_mixer.h>

#include "3-audio/mixer.h"

namespace {

const MixerCalls linkedMixer = {
    Mix_OpenAudio, Mix_CloseAudio, nullptr, Mix_PlayMusic, Mix_HaltMusic, Mix_FreeMusic,
};

} // namespace

bool openMixer(std::string &) {
    return true;
}

const MixerCalls &mixerCalls() {
    return linkedMixer;
}
