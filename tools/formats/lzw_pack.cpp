// The LZW encoder for the container of compressed tile and picture files. It
// mirrors the reader exactly: codewords of 9-12 bits packed lowest bit first, a
// clear code first, the end code last, and widths that grow at the very codeword
// where the reader's do. The reader adds a dictionary entry after every codeword
// except the one right after a clear, so it runs one entry behind the encoder.
#include "formats/formats.h"

#include <algorithm>
#include <vector>

namespace {

const int clearCode = 256;
const int endCode = 257;
const int firstFreeCode = 258;
const int codeLimit = 4096; // 12-bit codes
const int maxWidth = 12;

struct BitWriter {
    Bytes *out;
    uint32_t buffer;
    int bits;
};

void putBits(BitWriter &w, int code, int width) {
    w.buffer |= (uint32_t)code << w.bits;
    w.bits += width;
    while (w.bits >= 8) {
        w.out->push_back((uint8_t)(w.buffer & 0xFF));
        w.buffer >>= 8;
        w.bits -= 8;
    }
}

void flushBits(BitWriter &w) {
    if (w.bits > 0) {
        w.out->push_back((uint8_t)(w.buffer & 0xFF));
    }
    w.buffer = 0;
    w.bits = 0;
}

// The encoder's dictionary: an open-addressing table from (code, byte) to the
// child code. Small enough that a clear costs little.
const int slotCount = 8192;
const uint32_t emptySlot = 0xFFFFFFFF;

struct Slot {
    uint32_t key; // code << 8 | byte
    uint16_t code;
};

struct Encoder {
    std::vector<Slot> slots;
    int nextCode;   // the encoder's next entry
    int readerNext; // the reader's next free code
    int width;
    int widthLimit;
    bool afterClear; // the next codeword is the literal that follows a clear
};

void resetDictionary(Encoder &e) {
    std::fill(e.slots.begin(), e.slots.end(), Slot{emptySlot, 0});
    e.nextCode = firstFreeCode;
    e.readerNext = firstFreeCode;
    e.width = 9;
    e.widthLimit = 512;
    e.afterClear = true;
}

// Writes one codeword and follows the reader's bookkeeping for it.
void emit(Encoder &e, BitWriter &w, int code) {
    putBits(w, code, e.width);
    if (e.afterClear) {
        e.afterClear = false;
        return;
    }
    e.readerNext++;
    if (e.readerNext >= e.widthLimit && e.width < maxWidth) {
        e.width++;
        e.widthLimit *= 2;
    }
}

size_t slotOf(const Encoder &e, uint32_t key) {
    size_t i = (key * 2654435761u) >> 19; // 13 bits
    while (e.slots[i].key != emptySlot && e.slots[i].key != key) {
        i = (i + 1) & (slotCount - 1);
    }
    return i;
}

} // namespace

Bytes packLzw(const Bytes &raw) {
    Bytes out;
    out.reserve(raw.size() / 2 + 16);
    appendLe(out, (uint32_t)raw.size(), 4);
    BitWriter w = {&out, 0, 0};
    Encoder e;
    e.slots.resize(slotCount);
    resetDictionary(e);
    putBits(w, clearCode, e.width);
    if (!raw.empty()) {
        int current = raw[0];
        for (size_t i = 1; i < raw.size(); i++) {
            uint8_t b = raw[i];
            uint32_t key = (uint32_t)current << 8 | b;
            size_t slot = slotOf(e, key);
            if (e.slots[slot].key == key) {
                current = e.slots[slot].code;
                continue;
            }
            emit(e, w, current);
            if (e.nextCode < codeLimit) {
                e.slots[slot] = Slot{key, (uint16_t)e.nextCode++};
            } else {
                // The next entry would need a 13th bit: start a fresh dictionary.
                putBits(w, clearCode, e.width);
                resetDictionary(e);
            }
            current = b;
        }
        emit(e, w, current);
    }
    putBits(w, endCode, e.width);
    flushBits(w);
    return out;
}
