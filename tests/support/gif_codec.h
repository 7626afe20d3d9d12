// An independent LZW codec for the tests: 256-colour GIF images made and read by
// giflib, whose image data is the same kind of 9-12 bit LSB-first code stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

typedef std::vector<uint8_t> GifBytes;

// Encodes pixels as a one-image 256-colour GIF with giflib (width x height must
// equal pixels.size()). Empty result on failure.
GifBytes encodeGif(const GifBytes &pixels, int width, int height);

// The concatenated LZW data of the first image of a GIF (sub-blocks joined), or
// empty when the file is not a GIF this reader understands.
GifBytes gifCodeStream(const GifBytes &gif);

// Wraps a code stream (clear 256, end 257) as a one-image 256-colour GIF.
GifBytes wrapAsGif(const GifBytes &codeStream, int width, int height);

// Decodes a GIF with giflib; false when giflib refuses it.
bool decodeGif(const GifBytes &gif, GifBytes &pixels);

// Decodes the first image of a GIF straight into pixels, whose size is the number
// of pixels wanted (no allocation: the form the benchmarks time); false when
// giflib refuses it.
bool decodeGifInto(const GifBytes &gif, GifBytes &pixels);

// A width and height whose product is n (1 x n for n up to 65535).
bool gifShapeFor(size_t n, int &width, int &height);
