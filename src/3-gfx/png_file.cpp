#include "3-gfx/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "4-data/regular_file.h"

namespace {

// What libpng's error handler leaves for the caller: its message, and the errno
// of a write that failed, so that a full disk reads as what it is.
struct PngStatus {
    char text[200];
    int writeErrno; // 0: no write failed
};

void onPngError(png_structp png, png_const_charp message) {
    PngStatus *status = (PngStatus *)png_get_error_ptr(png);
    if (status != nullptr) {
        snprintf(status->text, sizeof status->text, "%s", message);
    }
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {
    // Warnings (unknown chunks, odd gamma) never change the pixels we read.
}

void failWrite(png_structp png) {
    PngStatus *status = (PngStatus *)png_get_error_ptr(png);
    status->writeErrno = errno != 0 ? errno : EIO;
    png_error(png, "write error");
}

void writeToFile(png_structp png, png_bytep data, png_size_t length) {
    errno = 0;
    if (fwrite(data, 1, length, (FILE *)png_get_io_ptr(png)) != length) {
        failWrite(png);
    }
}

void flushFile(png_structp png) {
    errno = 0;
    if (fflush((FILE *)png_get_io_ptr(png)) != 0) {
        failWrite(png);
    }
}

// Everything libpng needs to write one palette picture, prepared beforehand.
struct PngWriteJob {
    FILE *file;
    int width;
    int height;
    int depth;
    const png_color *palette;
    int colours;
    const png_byte *alpha;
    int transCount; // 0: no tRNS chunk
    png_bytepp rows;
};

// The one function of the writer that holds libpng's setjmp. Only plain values
// live in it, so that a longjmp out of libpng skips no C++ object (and the
// compiler has no destructor to place on that path).
bool runPngWrite(const PngWriteJob *job, PngStatus *status) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, status, onPngError, onPngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        snprintf(status->text, sizeof status->text, "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, job->file, writeToFile, flushFile);
    png_set_IHDR(png, info, job->width, job->height, job->depth, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, job->palette, job->colours);
    if (job->transCount > 0) {
        png_set_tRNS(png, info, job->alpha, job->transCount, nullptr);
    }
    png_write_info(png, info);
    png_write_image(png, job->rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// What the reader hands back: the decoded rows (one byte per pixel for palette
// files, else RGBA) in memory that the caller frees.
struct PngReadJob {
    FILE *file;
    png_uint_32 width;
    png_uint_32 height;
    bool tooLarge;
    bool paletteFile;
    uint8_t alphaOfIndex[256];
    size_t rowBytes;
    png_bytep pixels;     // malloc'ed, rowBytes x height
    png_bytepp rowStarts; // malloc'ed, height entries
};

// The reader's only setjmp, with plain values only (see runPngWrite); what it
// allocates stays reachable through job, for the caller to free.
bool runPngRead(PngReadJob *job, PngStatus *status) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, status, onPngError, onPngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        snprintf(status->text, sizeof status->text, "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, job->file);
    png_set_user_limits(png, 16384, 16384);
    png_read_info(png, info);
    job->width = png_get_image_width(png, info);
    job->height = png_get_image_height(png, info);
    if ((long)job->width * (long)job->height > pngMaxPixels) {
        job->tooLarge = true;
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    job->paletteFile = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE;
    memset(job->alphaOfIndex, 255, sizeof job->alphaOfIndex);
    if (job->paletteFile) {
        png_bytep trans = nullptr;
        int transCount = 0;
        if (png_get_tRNS(png, info, &trans, &transCount, nullptr) != 0 && trans != nullptr) {
            memcpy(job->alphaOfIndex, trans, transCount > 256 ? 256 : transCount);
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
    job->rowBytes = png_get_rowbytes(png, info);
    job->pixels = (png_bytep)calloc(job->height, job->rowBytes);
    job->rowStarts = (png_bytepp)calloc(job->height, sizeof(png_bytep));
    if (job->pixels == nullptr || job->rowStarts == nullptr) {
        png_error(png, "out of memory");
    }
    for (png_uint_32 y = 0; y < job->height; y++) {
        job->rowStarts[y] = job->pixels + y * job->rowBytes;
    }
    png_read_image(png, job->rowStarts);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
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

// The pixels of one row packed at the given bit depth, leftmost pixel highest,
// into out (zeroed, (width * depth + 7) / 8 bytes).
void packRow(const uint8_t *indices, int width, int depth, uint8_t *out) {
    int perByte = 8 / depth;
    for (int x = 0; x < width; x++) {
        int shift = 8 - depth * (x % perByte + 1);
        out[x / perByte] |= (uint8_t)(indices[x] << shift);
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
    PngReadJob job = {};
    job.file = file;
    PngStatus status = {"not a PNG file", 0};
    bool read = runPngRead(&job, &status);
    if (read) {
        rows->assign(job.pixels, job.pixels + job.rowBytes * job.height);
        image->width = (int)job.width;
        image->height = (int)job.height;
        *paletteFile = job.paletteFile;
        memcpy(alphaOfIndex, job.alphaOfIndex, sizeof job.alphaOfIndex);
    } else if (job.tooLarge) {
        *error = std::to_string(job.width) + "×" + std::to_string(job.height) + " is too large";
    } else {
        *error = status.text;
    }
    free(job.pixels);
    free(job.rowStarts);
    return read;
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

bool writeIndexedPngTo(FILE *file, const IndexedImage &image, std::string *error) {
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
    int depth = bitDepthFor(colours);
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
    size_t rowBytes = ((size_t)image.width * depth + 7) / 8;
    std::vector<uint8_t> packed(rowBytes * image.height, 0);
    std::vector<png_bytep> rows(image.height);
    for (int y = 0; y < image.height; y++) {
        rows[y] = &packed[rowBytes * y];
        packRow(&image.pixels[(size_t)y * image.width], image.width, depth, rows[y]);
    }
    PngWriteJob job = {file,         image.width, image.height, depth,      entries,
                       (int)colours, alpha,       transCount,   rows.data()};
    PngStatus status = {"cannot write PNG", 0};
    if (!runPngWrite(&job, &status)) {
        *error = status.writeErrno != 0 ? strerror(status.writeErrno) : status.text;
        return false;
    }
    // The last bytes may still sit in the buffer: a full disk shows here.
    if (fflush(file) != 0) {
        *error = strerror(errno);
        return false;
    }
    return true;
}

bool writeIndexedPng(const char *path, const IndexedImage &image, std::string *error) {
    FILE *file = fopen(path, "wb");
    if (file == nullptr) {
        *error = strerror(errno);
        return false;
    }
    bool written = writeIndexedPngTo(file, image, error);
    if (fclose(file) != 0 && written) {
        *error = strerror(errno);
        return false;
    }
    return written;
}

bool readPngIndexed(const char *path, const SDL_Color *palette, int colours, IndexedImage *image,
                    std::vector<uint8_t> *seeThrough, std::string *error) {
    FileRefusal why = fileMissing;
    errno = 0;
    FILE *file = openRegularFile(path, nullptr, &why);
    if (file == nullptr) {
        *error = why == fileNotRegular ? "not a regular file"
                 : errno != 0          ? strerror(errno)
                                       : "cannot be opened";
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
