// The check a WAV file passes before SDL_mixer sees it. The mixer trusts a WAV
// header: a sample rate of 0 or 1, or no channels, corrupts its heap, a chunk
// larger than the file makes it allocate that much, and a file without a sound
// data chunk makes it read past the end for ever. Other formats are not looked at.
#pragma once

#include <cstdint>
#include <string>

// How much of a music file the check needs at most: every chunk header before
// the sound data must lie within it.
const int64_t wavHeadLimit = 1 << 20;

// The verdict on a music file from its first `headSize` bytes (`head`) and its
// whole size: empty when it is no RIFF/WAVE file or a WAV the mixer can take
// safely; else what is impossible about it ("sample rate 0, not 1000-192000").
// Checked as the mixer walks the file: chunks up to "fmt " (only "fact" and
// "LIST" may come first), its sample rate, channels (1-8) and bits (8, 16, 24,
// 32), then chunks up to "data"; each must end inside the file.
std::string impossibleWavHeader(const uint8_t *head, int64_t headSize, int64_t fileSize);
