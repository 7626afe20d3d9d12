// Music: the audio device, the table of music files named in "music.ini", and the
// one piece that loops while the player is in a place. Silent unless music=1.
#pragma once

#include <SDL_mixer.h>
#include <cstdint>

#include "3-audio/music_file.h"

const int musicNumberCount = 54;

extern const char *const musicKeys[musicNumberCount];
// What this module keeps, for reading: the table of music files (musicCount
// entries, each an owned path or nullptr; 54 once "music.ini" has been read, else
// 0) and the piece playing.
extern char **const &musicPaths;
extern const int &musicCount;
extern Mix_Music *const &currentMusic;

// Opens audio and reads "music.ini" (the current directory's, else the data
// directory's); false when audio cannot be opened or music is off (musicOn false:
// music=0), which leaves audio and "music.ini" untouched. The mixer's library is
// loaded only here, with music on; when it cannot be, reportMusicOff says why and
// the audio device is not touched.
bool initAudio(bool musicOn);

// The one line that says music was asked for but stays off for this run, and why
// (standard error): "Music is off: <reason>".
void reportMusicOff(const char *reason);

// Stops the current piece and starts piece n (0-53) looping; silence when it has
// no file or the file cannot be loaded. Nothing at all while audio is not open.
void playMusic(uint16_t n);

// The file of the piece last asked for; nullptr when it has none (or before any).
const char *wantedMusicPath();

// A music file has just become readable (the page fetches them after the game
// starts): when it is the wanted piece's and nothing plays, the piece starts.
void musicFileArrived(const char *path);

// Frees the paths and the music and closes audio; harmless when never opened.
void closeAudio();

// The front end's step from an open file to music; until one is given (or with
// nullptr) every piece is silence.
void useMusicFromFile(MusicFromFile loader);

void loadMusicTable();
void addMusicEntry(const char *key, const char *value);
