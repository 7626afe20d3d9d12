// The music of the demo world: eight short looping pieces synthesised as 16-bit
// PCM WAV files (one per kind of place, one for all other songs), and the
// "music.ini" that names a piece for each of the 54 music keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "3-audio/music.h"

const int pieceCount = 8;

// File name of piece p ("overworld.wav", ..., "songs.wav").
const char *pieceFileName(int p);

// Which piece plays for music number n.
int pieceOfMusic(int n);

// The WAV file of piece p: 22050 Hz, 16-bit, mono, a whole number of bars.
std::vector<uint8_t> synthesisePiece(int p);

// The text of "music.ini".
std::string musicIniText();
