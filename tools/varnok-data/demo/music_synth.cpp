#include "music_synth.h"

#include <algorithm>
#include <cmath>

#include "2-play/rules.h"
#include "formats/formats.h"
#include "rng.h"

namespace {

enum Piece {
    pieceOverworld,
    pieceTown,
    pieceLighthouse,
    pieceHut,
    pieceCastle,
    pieceVillage,
    pieceKeep,
    pieceSongs
};

enum Wave { waveSoftSquare, waveTriangle, waveOrgan, waveBell };

struct PieceRecipe {
    const char *file;
    int tempo;     // beats per minute
    int root;      // MIDI note of the key
    int chords[4]; // scale degree of each bar's chord
    int melodyWave;
    int bassWave;
    int notesPerBeat; // 1 or 2: the melody's pace
    uint32_t seed;
};

const int major[7] = {0, 2, 4, 5, 7, 9, 11};
const int minor[7] = {0, 2, 3, 5, 7, 8, 10};
const int dorian[7] = {0, 2, 3, 5, 7, 9, 10};
const int mixolydian[7] = {0, 2, 4, 5, 7, 9, 10};

const PieceRecipe pieces[pieceCount] = {
    {"overworld.wav", 112, 62, {0, 4, 5, 3}, waveSoftSquare, waveTriangle, 2, 11},
    {"town.wav", 126, 65, {0, 3, 4, 0}, waveTriangle, waveTriangle, 2, 22},
    {"lighthouse.wav", 84, 57, {0, 5, 3, 4}, waveBell, waveTriangle, 1, 33},
    {"hut.wav", 76, 60, {0, 3, 0, 4}, waveTriangle, waveTriangle, 1, 44},
    {"castle.wav", 96, 55, {0, 3, 4, 4}, waveOrgan, waveOrgan, 1, 55},
    {"village.wav", 132, 67, {0, 4, 3, 4}, waveSoftSquare, waveTriangle, 2, 66},
    {"keep.wav", 88, 50, {0, 5, 6, 4}, waveOrgan, waveSoftSquare, 1, 77},
    {"songs.wav", 104, 64, {0, 5, 3, 4}, waveBell, waveTriangle, 2, 88},
};

const int *const pieceScales[pieceCount] = {major,      major, dorian, minor,
                                            mixolydian, major, minor,  dorian};

const int sampleRate = 22050;
const int bars = 4;
const int beatsPerBar = 4;

double frequencyOf(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

double waveValue(int wave, double phase) {
    double t = phase - std::floor(phase);
    switch (wave) {
    case waveTriangle:
        return t < 0.5 ? 4 * t - 1 : 3 - 4 * t;
    case waveOrgan:
        return 0.6 * std::sin(2 * M_PI * t) + 0.3 * std::sin(4 * M_PI * t) +
               0.15 * std::sin(8 * M_PI * t);
    case waveBell:
        return 0.7 * std::sin(2 * M_PI * t) + 0.3 * std::sin(2 * M_PI * t * 2.76);
    default: // a square softened to its first three odd harmonics
        return 0.8 *
               (std::sin(2 * M_PI * t) + std::sin(6 * M_PI * t) / 3 + std::sin(10 * M_PI * t) / 5);
    }
}

// Adds one note into the mix; the envelope falls to zero by the note's end so
// the loop joins without a click.
void addNote(std::vector<double> &mix, size_t start, size_t length, int midiNote, int wave,
             double volume) {
    double step = frequencyOf(midiNote) / sampleRate;
    size_t attack = sampleRate / 200;
    for (size_t i = 0; i < length && start + i < mix.size(); ++i) {
        double envelope = i < attack ? (double)i / attack : 1.0;
        double left = (double)(length - i) / length;
        envelope *= std::exp(-3.0 * i / length) * std::min(1.0, left * 8);
        mix[start + i] += volume * envelope * waveValue(wave, step * i);
    }
}

int noteOf(const PieceRecipe &recipe, const int *scale, int degree, int octave) {
    int wrapped = ((degree % 7) + 7) % 7;
    int octaves = (degree - wrapped) / 7 + octave;
    return recipe.root + scale[wrapped] + 12 * octaves;
}

std::vector<double> renderPiece(int p) {
    const PieceRecipe &recipe = pieces[p];
    const int *scale = pieceScales[p];
    size_t beat = (size_t)(sampleRate * 60.0 / recipe.tempo);
    std::vector<double> mix(beat * beatsPerBar * bars, 0.0);
    Rng rng = makeRng(recipe.seed);
    int degree = 7; // the melody wanders from the octave above the root
    for (int bar = 0; bar < bars; ++bar) {
        int chord = recipe.chords[bar];
        size_t barStart = beat * beatsPerBar * bar;
        // Bass: chord root on beats 1 and 3, fifth on 2 and 4.
        for (int b = 0; b < beatsPerBar; ++b) {
            int bassDegree = chord + (b % 2 ? 4 : 0);
            addNote(mix, barStart + beat * b, beat, noteOf(recipe, scale, bassDegree, -1),
                    recipe.bassWave, 0.30);
        }
        // Melody: a walk on the scale that leans towards the chord's tones.
        int steps = beatsPerBar * recipe.notesPerBeat;
        size_t length = beat / recipe.notesPerBeat;
        for (int s = 0; s < steps; ++s) {
            if (randomBelow(rng, 6) == 0 && s > 0) {
                continue; // a rest
            }
            degree += randomBetween(rng, -2, 2);
            if (s % recipe.notesPerBeat == 0 && randomBelow(rng, 2) == 0) {
                degree = chord + 7 + 2 * randomBelow(rng, 3);
            }
            degree = std::max(3, std::min(13, degree));
            addNote(mix, barStart + length * s, length, noteOf(recipe, scale, degree, 0),
                    recipe.melodyWave, 0.25);
        }
        // A soft chord under the whole bar.
        for (int third = 0; third < 3; ++third) {
            addNote(mix, barStart, beat * beatsPerBar, noteOf(recipe, scale, chord + 2 * third, 0),
                    waveTriangle, 0.07);
        }
    }
    return mix;
}

void putText(std::vector<uint8_t> &out, const char *text) {
    for (int i = 0; text[i] != '\0'; ++i) {
        out.push_back((uint8_t)text[i]);
    }
}

} // namespace

const char *pieceFileName(int p) {
    return (p >= 0 && p < pieceCount) ? pieces[p].file : "";
}

int pieceOfMusic(int n) {
    if (n == overworldMusic) {
        return pieceOverworld;
    }
    // The piece of the kind of place whose entering plays the number.
    const Piece pieceOfKind[] = {pieceTown,    pieceLighthouse, pieceHut, pieceCastle,
                                 pieceVillage, pieceKeep,       pieceSongs};
    for (int location = 0; location < firstEntrance; location++) {
        if (locationMusic[location] == n) {
            return pieceOfKind[placeKind(location)];
        }
    }
    return pieceSongs;
}

std::vector<uint8_t> synthesisePiece(int p) {
    std::vector<double> mix = renderPiece(p);
    uint32_t dataBytes = (uint32_t)mix.size() * 2;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putText(out, "RIFF");
    appendLe(out, 36 + dataBytes, 4);
    putText(out, "WAVEfmt ");
    appendLe(out, 16, 4);
    appendLe(out, 1, 2); // PCM
    appendLe(out, 1, 2); // mono
    appendLe(out, sampleRate, 4);
    appendLe(out, sampleRate * 2, 4);
    appendLe(out, 2, 2);
    appendLe(out, 16, 2);
    putText(out, "data");
    appendLe(out, dataBytes, 4);
    for (double v : mix) {
        double clipped = std::max(-1.0, std::min(1.0, v));
        appendLe(out, (uint16_t)(int16_t)std::lround(clipped * 30000), 2);
    }
    return out;
}

std::string musicIniText() {
    std::string text = "; Music of the demo world: one piece per kind of place.\n";
    for (int n = 0; n < musicNumberCount; ++n) {
        text += musicKeys[n];
        text += "=";
        text += pieceFileName(pieceOfMusic(n));
        text += "\n";
    }
    return text;
}
