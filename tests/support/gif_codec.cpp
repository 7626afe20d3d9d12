#include "gif_codec.h"

#include <cstring>
#include <gif_lib.h>

namespace {

struct MemoryIo {
    const GifBytes *in;
    size_t at;
    GifBytes *out;
};

int writeToMemory(GifFileType *gif, const GifByteType *bytes, int n) {
    MemoryIo *io = (MemoryIo *)gif->UserData;
    io->out->insert(io->out->end(), bytes, bytes + n);
    return n;
}

int readFromMemory(GifFileType *gif, GifByteType *bytes, int n) {
    MemoryIo *io = (MemoryIo *)gif->UserData;
    size_t left = io->in->size() - io->at;
    size_t take = (size_t)n < left ? (size_t)n : left;
    memcpy(bytes, io->in->data() + io->at, take);
    io->at += take;
    return (int)take;
}

void putLe16(GifBytes &out, int v) {
    out.push_back((uint8_t)(v & 0xFF));
    out.push_back((uint8_t)(v >> 8));
}

// Skips data sub-blocks from `at`; appends their contents to `data` when given.
bool readSubBlocks(const GifBytes &gif, size_t &at, GifBytes *data) {
    while (at < gif.size()) {
        size_t n = gif[at++];
        if (n == 0) {
            return true;
        }
        if (at + n > gif.size()) {
            return false;
        }
        if (data != nullptr) {
            data->insert(data->end(), gif.begin() + at, gif.begin() + at + n);
        }
        at += n;
    }
    return false;
}

} // namespace

bool gifShapeFor(size_t n, int &width, int &height) {
    if (n == 0) {
        return false;
    }
    if (n <= 65535) {
        width = (int)n;
        height = 1;
        return true;
    }
    for (int w = 65535; w >= 2; w--) {
        if (n % w == 0 && n / w <= 65535) {
            width = w;
            height = (int)(n / w);
            return true;
        }
    }
    return false;
}

GifBytes encodeGif(const GifBytes &pixels, int width, int height) {
    GifBytes out;
    MemoryIo io = {nullptr, 0, &out};
    int error = 0;
    GifFileType *gif = EGifOpen(&io, writeToMemory, &error);
    if (gif == nullptr) {
        return GifBytes();
    }
    GifColorType colours[256];
    for (int i = 0; i < 256; i++) {
        colours[i].Red = colours[i].Green = colours[i].Blue = (GifByteType)i;
    }
    ColorMapObject *map = GifMakeMapObject(256, colours);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; y++) {
        GifPixelType *row = (GifPixelType *)pixels.data() + (size_t)y * width;
        ok = EGifPutLine(gif, row, width) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok ? out : GifBytes();
}

GifBytes gifCodeStream(const GifBytes &gif) {
    if (gif.size() < 13 || memcmp(gif.data(), "GIF8", 4) != 0) {
        return GifBytes();
    }
    size_t at = 13;
    if (gif[10] & 0x80) {
        at += 3u << ((gif[10] & 7) + 1);
    }
    while (at < gif.size()) {
        uint8_t kind = gif[at++];
        if (kind == 0x21 && at < gif.size()) {
            at++; // extension label
            if (!readSubBlocks(gif, at, nullptr)) {
                return GifBytes();
            }
        } else if (kind == 0x2C && at + 9 < gif.size()) {
            uint8_t packed = gif[at + 8];
            at += 9;
            if (packed & 0x80) {
                at += 3u << ((packed & 7) + 1);
            }
            at++; // minimum code size
            GifBytes data;
            return readSubBlocks(gif, at, &data) ? data : GifBytes();
        } else {
            return GifBytes();
        }
    }
    return GifBytes();
}

GifBytes wrapAsGif(const GifBytes &codeStream, int width, int height) {
    GifBytes out = {'G', 'I', 'F', '8', '9', 'a'};
    putLe16(out, width);
    putLe16(out, height);
    out.push_back(0xF7); // global colour table of 256 entries, 8-bit colour
    out.push_back(0);
    out.push_back(0);
    for (int i = 0; i < 256; i++) {
        out.insert(out.end(), {(uint8_t)i, (uint8_t)i, (uint8_t)i});
    }
    out.push_back(0x2C);
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, width);
    putLe16(out, height);
    out.push_back(0);
    out.push_back(8); // minimum code size: clear 256, end 257
    for (size_t at = 0; at < codeStream.size(); at += 255) {
        size_t n = codeStream.size() - at < 255 ? codeStream.size() - at : 255;
        out.push_back((uint8_t)n);
        out.insert(out.end(), codeStream.begin() + at, codeStream.begin() + at + n);
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

bool decodeGif(const GifBytes &gif, GifBytes &pixels) {
    MemoryIo io = {&gif, 0, nullptr};
    int error = 0;
    GifFileType *file = DGifOpen(&io, readFromMemory, &error);
    if (file == nullptr) {
        return false;
    }
    bool ok = DGifSlurp(file) == GIF_OK && file->ImageCount >= 1;
    if (ok) {
        const SavedImage &image = file->SavedImages[0];
        size_t n = (size_t)image.ImageDesc.Width * image.ImageDesc.Height;
        pixels.assign(image.RasterBits, image.RasterBits + n);
    }
    DGifCloseFile(file, &error);
    return ok;
}

bool decodeGifInto(const GifBytes &gif, GifBytes &pixels) {
    MemoryIo io = {&gif, 0, nullptr};
    int error = 0;
    GifFileType *file = DGifOpen(&io, readFromMemory, &error);
    if (file == nullptr) {
        return false;
    }
    GifRecordType type;
    bool ok = DGifGetRecordType(file, &type) == GIF_OK && type == IMAGE_DESC_RECORD_TYPE &&
              DGifGetImageDesc(file) == GIF_OK &&
              DGifGetLine(file, pixels.data(), (int)pixels.size()) == GIF_OK;
    DGifCloseFile(file, &error);
    return ok;
}
