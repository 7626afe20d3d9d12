#include "3-gfx/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// libpng reports fatal errors through longjmp; this keeps its text for the caller.
struct PngErrorText {
    char text[200];
};

void onPngError(png_structp png, png_const_charp message) {
    PngErrorText *slot = (PngErrorText *)png_get_error_ptr(png);
    if (slot != nullptr) {
        snprintf(slot->text, sizeof slot->text, "%s", message);
    }
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {
    // Warnings (unknown chunks, odd gamma) never change the pixels we read.
}

int bitDepthFor(size_t colours) {
    if (colours <= 2) {
        return 1;
    }
    if (colours <= 4) {
        return 2;
    }
    return colours <= 16 ? 4 : 8;
}

// The pixels of one row packed at the given bit depth, leftmost pixel highest.
void packRow(const uint8_t *indices, int width, int depth, std::vector<uint8_t> *out) {
    out->assign(((size_t)width * depth + 7) / 8, 0);
    int perByte = 8 / depth;
    for (int x = 0; x < width; x++) {
        int shift = 8 - depth * (x % perByte + 1);
        (*out)[x / perByte] |= (uint8_t)(indices[x] << shift);
    }
}

std::string hexColour(const uint8_t *rgb) {
    char text[8];
    snprintf(text, sizeof text, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return text;
}

std::string pixelPlace(int x, int y) {
    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// Index of the palette entry with exactly this colour, or -1.
int paletteIndexOf(const uint8_t *rgb, const SDL_Color *palette, int colours) {
    for (int i = 0; i < colours; i++) {
        if (palette[i].r == rgb[0] && palette[i].g == rgb[1] && palette[i].b == rgb[2]) {
            return i;
        }
    }
    return -1;
}

// Turns the decoded rows into indices: palette PNGs by index, the rest by colour.
bool indexPixels(const std::vector<uint8_t> &rows, bool paletteFile, const uint8_t *alphaOfIndex,
                 const SDL_Color *palette, int colours, IndexedImage *image,
                 std::vector<uint8_t> *seeThrough, std::string *error) {
    int width = image->width;
    int channels = paletteFile ? 1 : 4;
    for (int y = 0; y < image->height; y++) {
        for (int x = 0; x < width; x++) {
            const uint8_t *p = &rows[((size_t)y * width + x) * channels];
            int alpha = paletteFile ? alphaOfIndex[p[0]] : p[3];
            size_t at = (size_t)y * width + x;
            if (alpha != 0 && alpha != 255) {
                *error = pixelPlace(x, y) + " is partly transparent (alpha " +
                         std::to_string(alpha) + ")";
                return false;
            }
            (*seeThrough)[at] = alpha == 0;
            int index = paletteFile ? p[0] : paletteIndexOf(p, palette, colours);
            if (paletteFile && index >= colours) {
                *error = pixelPlace(x, y) + " has colour index " + std::to_string(index) +
                         ", outside the " + std::to_string(colours) + "-colour palette";
                return false;
            }
            if (index < 0 && alpha == 0) {
                index = 0; // a see-through pixel's colour carries nothing
            } else if (index < 0) {
                *error = pixelPlace(x, y) + " has colour " + hexColour(p) +
                         ", which is not in the " + std::to_string(colours) + "-colour palette";
                return false;
            }
            image->pixels[at] = (uint8_t)index;
        }
    }
    return true;
}

// Reads the whole file into rows of one byte per pixel (palette files) or RGBA.
bool decodeRows(FILE *file, IndexedImage *image, bool *paletteFile, uint8_t alphaOfIndex[256],
                std::vector<uint8_t> *rows, std::string *error) {
    PngErrorText failure = {"not a PNG file"};
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure, onPngError, onPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        *error = "out of memory";
        return false;
    }
    std::vector<png_bytep> rowStarts;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        *error = failure.text;
        return false;
    }
    png_init_io(png, file);
    png_set_user_limits(png, 16384, 16384);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if ((long)width * (long)height > pngMaxPixels) {
        png_destroy_read_struct(&png, &info, nullptr);
        *error = std::to_string(width) + "×" + std::to_string(height) + " is too large";
        return false;
    }
    int colourType = png_get_color_type(png, info);
    *paletteFile = colourType == PNG_COLOR_TYPE_PALETTE;
    memset(alphaOfIndex, 255, 256);
    if (*paletteFile) {
        png_bytep trans = nullptr;
        int transCount = 0;
        if (png_get_tRNS(png, info, &trans, &transCount, nullptr) != 0 && trans != nullptr) {
            memcpy(alphaOfIndex, trans, transCount > 256 ? 256 : transCount);
        }
        png_set_packing(png);
    } else {
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    size_t rowBytes = png_get_rowbytes(png, info);
    rows->assign(rowBytes * height, 0);
    rowStarts.resize(height);
    for (png_uint_32 y = 0; y < height; y++) {
        rowStarts[y] = rows->data() + y * rowBytes;
    }
    png_read_image(png, rowStarts.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    image->width = (int)width;
    image->height = (int)height;
    return true;
}

} // namespace

IndexedImage makeIndexedImage(int width, int height, const SDL_Color *palette, int colours) {
    IndexedImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign((size_t)width * height, 0);
    image.palette.assign(palette, palette + colours);
    return image;
}

IndexedImage imageFromSurface(const SDL_Surface *surface) {
    const SDL_Palette *colours = surface->format->palette;
    IndexedImage image =
        makeIndexedImage(surface->w, surface->h, colours ? colours->colors : nullptr,
                         colours ? colours->ncolors : 0);
    for (int y = 0; y < surface->h; y++) {
        memcpy(&image.pixels[(size_t)y * surface->w],
               (const uint8_t *)surface->pixels + y * surface->pitch, surface->w);
    }
    return image;
}

bool writeIndexedPng(const char *path, const IndexedImage &image, std::string *error) {
    size_t colours = image.palette.size();
    if (colours == 0 || colours > 256 || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != (size_t)image.width * image.height) {
        *error = "no picture to write";
        return false;
    }
    for (uint8_t index : image.pixels) {
        if (index >= colours) {
            *error = "colour index " + std::to_string(index) + " is outside the palette";
            return false;
        }
    }
    FILE *file = fopen(path, "wb");
    if (file == nullptr) {
        *error = strerror(errno);
        return false;
    }
    PngErrorText failure = {"cannot write PNG"};
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, onPngError, onPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<uint8_t> packed;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        *error = info == nullptr ? "out of memory" : failure.text;
        return false;
    }
    png_init_io(png, file);
    int depth = bitDepthFor(colours);
    png_set_IHDR(png, info, image.width, image.height, depth, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color entries[256];
    png_byte alpha[256];
    int transCount = 0;
    for (size_t i = 0; i < colours; i++) {
        entries[i] = {image.palette[i].r, image.palette[i].g, image.palette[i].b};
        bool clear = i < image.transparent.size() && image.transparent[i];
        alpha[i] = clear ? 0 : 255;
        if (clear) {
            transCount = (int)i + 1; // tRNS lists entries up to the last see-through one
        }
    }
    png_set_PLTE(png, info, entries, (int)colours);
    if (transCount > 0) {
        png_set_tRNS(png, info, alpha, transCount, nullptr);
    }
    png_write_info(png, info);
    for (int y = 0; y < image.height; y++) {
        packRow(&image.pixels[(size_t)y * image.width], image.width, depth, &packed);
        png_write_row(png, packed.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    if (fclose(file) != 0) {
        *error = strerror(errno);
        return false;
    }
    return true;
}

bool readPngIndexed(const char *path, const SDL_Color *palette, int colours, IndexedImage *image,
                    std::vector<uint8_t> *seeThrough, std::string *error) {
    FILE *file = fopen(path, "rb");
    if (file == nullptr) {
        *error = strerror(errno);
        return false;
    }
    std::vector<uint8_t> rows;
    bool paletteFile = false;
    uint8_t alphaOfIndex[256];
    IndexedImage read;
    bool decoded = decodeRows(file, &read, &paletteFile, alphaOfIndex, &rows, error);
    fclose(file);
    if (!decoded) {
        return false;
    }
    read.pixels.assign((size_t)read.width * read.height, 0);
    read.palette.assign(palette, palette + colours);
    seeThrough->assign(read.pixels.size(), 0);
    if (!indexPixels(rows, paletteFile, alphaOfIndex, palette, colours, &read, seeThrough, error)) {
        return false;
    }
    *image = std::move(read);
    return true;
}
