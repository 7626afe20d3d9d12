// The check a music file passes before SDL_mixer sees it. The mixer reads WAV and
// AIFF headers itself and trusts them: a sample rate of 0 or 1, no channels or
// 256, corrupt its heap; a chunk larger than the file makes it allocate that
// much; a WAV without a sound data chunk makes it read past the end for ever, and
// one whose first chunk is not the format (a JUNK or bext chunk from an audio
// editor) makes it free memory twice. The other formats it takes (Ogg Vorbis,
// FLAC, MP3, MIDI, tracker modules) go to decoder libraries that check their own
// input; they are not looked at here.
#pragma once

#include <cstdint>
#include <string>

// How much of a music file the check needs at most: every chunk header before
// the sound data must lie within it.
const int64_t musicHeadLimit = 1 << 20;

// The verdict on a music file from its first `headSize` bytes (`head`) and its
// whole size: empty when it is no RIFF/WAVE or FORM/AIFF file, or one the mixer
// can take safely; else which header and what is impossible about it ("WAV
// header (sample rate 0, not 1000-192000)").
std::string impossibleMusicHeader(const uint8_t *head, int64_t headSize, int64_t fileSize);

// The same for a WAV: chunks up to "fmt " (only "fact" and "LIST" may come
// first), its sample rate, channels (1-8) and bits (8, 16, 24, 32), then chunks
// up to "data"; each must end inside the file.
std::string impossibleWavHeader(const uint8_t *head, int64_t headSize, int64_t fileSize);

// The same for an AIFF or an uncompressed AIFF-C: chunks (each inside the file)
// up to both "COMM" (channels 1-8, sample rate 1000-192000, 8 or 16 bits) and
// "SSND".
std::string impossibleAiffHeader(const uint8_t *head, int64_t headSize, int64_t fileSize);
