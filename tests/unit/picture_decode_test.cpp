#include <gtest/gtest.h>

#include "3-gfx/packed_rows.h"
#include "3-gfx/picture_budget.h"
#include "3-gfx/picture_decode.h"
#include "gfx_fixture.h"

namespace {

typedef std::vector<std::string> Rows;
typedef std::vector<uint8_t> Data;

void appendLe16(Data &data, int value) {
    data.push_back((uint8_t)value);
    data.push_back((uint8_t)(value >> 8));
}

// A record header followed by the given row bytes.
Data record(int width, int height, const Data &rows) {
    Data data;
    appendLe16(data, width);
    appendLe16(data, height);
    data.insert(data.end(), rows.begin(), rows.end());
    return data;
}

Rows decode(const Data &data, PictureRowFormat format, int64_t *end = nullptr) {
    ByteView view = makeByteView(data.data(), (int64_t)data.size());
    PictureRecord record = pictureRecordAt(view, 0, format, false);
    SDL_Surface *picture = decodePicture(view, record);
    if (end != nullptr) {
        *end = record.end;
    }
    Rows rows = surfaceRows(picture);
    SDL_FreeSurface(picture);
    EXPECT_FALSE(view.overrun);
    return rows;
}

class PictureDecode : public GfxTest {};

TEST_F(PictureDecode, FourColourRowsAreUnpadded) {
    // A whole file: one picture, offset 6, 3 x 1 pixels 3, 2, 1 from the byte E4.
    Data file = {0x01, 0x00, 0x06, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x00, 0xE4};
    ByteView view = makeByteView(file.data(), (int64_t)file.size());
    ASSERT_EQ(viewLe16(view, 0), 1);
    PictureRecord first = pictureRecordOf(view, 0, pictureRows4, false);
    SDL_Surface *picture = decodePicture(view, first);
    EXPECT_EQ(surfaceRows(picture), (Rows{"321"}));
    EXPECT_EQ(first.end, 11);
    int64_t end = 0;
    SDL_FreeSurface(picture);
    // Width 5: two bytes per row; the last three pairs of the second byte are ignored.
    EXPECT_EQ(decode(record(5, 2, {0x1B, 0x7F, 0xE4, 0x80}), pictureRows4, &end),
              (Rows{".1231", "321.2"}));
    EXPECT_EQ(end, 8);
}

TEST_F(PictureDecode, SixteenColourRowsArePaddedToFourBytes) {
    useMode(0);
    int64_t end = 0;
    // Width 5: 3 bytes plus 1 padding byte per row.
    EXPECT_EQ(
        decode(record(5, 2, {0x12, 0x34, 0x5F, 0xEE, 0xAB, 0xCD, 0xE0, 0xEE}), pictureRows16, &end),
        (Rows{"12345", "abcde"}));
    EXPECT_EQ(end, 4 + 8);
    // Width 8: 4 bytes, no padding.
    EXPECT_EQ(
        decode(record(8, 2, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}), pictureRows16, &end),
        (Rows{".1234567", "89abcdef"}));
    EXPECT_EQ(end, 4 + 8);
    // Width 9: 5 bytes plus 3 padding bytes.
    EXPECT_EQ(decode(record(9, 2,
                            {0x11, 0x11, 0x11, 0x11, 0x1F, 0xEE, 0xEE, 0xEE, 0x22, 0x22, 0x22, 0x22,
                             0x2F, 0xEE, 0xEE, 0xEE}),
                     pictureRows16, &end),
              (Rows{"111111111", "222222222"}));
    EXPECT_EQ(end, 4 + 16);
    EXPECT_EQ(pictureRowBytes(1, pictureRows16), 4);
    EXPECT_EQ(pictureRowBytes(0, pictureRows16), 0);
    EXPECT_EQ(pictureRowBytes(13, pictureRows4), 4);
}

TEST_F(PictureDecode, MaskFollowsThePaddingAndHasUnpaddedRows) {
    useMode(0);
    Data data = record(3, 2, {0x12, 0x30, 0xEE, 0xEE, 0x45, 0x60, 0xEE, 0xEE});
    Data mask = record(12, 2, {0x80, 0x10, 0x7F, 0xF0});
    data.insert(data.end(), mask.begin(), mask.end());
    ByteView view = makeByteView(data.data(), (int64_t)data.size());
    PictureRecord masked = pictureRecordAt(view, 0, pictureRows16, true);
    SDL_Surface *picture = decodePicture(view, masked);
    ASSERT_EQ(masked.maskPixels, 12 + 4) << "the mask's record follows the picture's rows";
    SDL_Surface *maskSurface = decodeMask(view, masked);
    EXPECT_EQ(surfaceRows(picture), (Rows{"123", "456"}));
    EXPECT_EQ(surfaceRows(maskSurface), (Rows{"1..........1", ".11111111111"}));
    EXPECT_FALSE(view.overrun);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(maskSurface);
}

TEST_F(PictureDecode, ReadsPastTheEndAreZeroAndNoted) {
    Data data = record(4, 3, {0xFF});
    ByteView view = makeByteView(data.data(), (int64_t)data.size());
    SDL_Surface *picture = decodePicture(view, pictureRecordAt(view, 0, pictureRows4, false));
    EXPECT_EQ(surfaceRows(picture), (Rows{"3333", "....", "...."}));
    EXPECT_TRUE(view.overrun);
    SDL_FreeSurface(picture);
    // A record that starts outside the data is an empty picture.
    ByteView empty = makeByteView(data.data(), (int64_t)data.size());
    picture = decodePicture(empty, pictureRecordAt(empty, 1000000, pictureRows16, false));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->w, 0);
    EXPECT_TRUE(empty.overrun);
    SDL_FreeSurface(picture);
}

// The start-up load names a short file without decoding it: the note must say what
// decoding the picture and its mask would, wherever the data is cut.
TEST_F(PictureDecode, NotedReadsMatchTheDecodersWhereverTheDataEnds) {
    Data whole = record(5, 2, Data(8, 0x12)); // 16 colours: rows of 4 bytes
    appendLe16(whole, 5);
    appendLe16(whole, 2);
    whole.insert(whole.end(), {0xA8, 0x50});
    for (size_t size = 0; size <= whole.size(); size++) {
        Data cut(whole.begin(), whole.begin() + size);
        ByteView decoded = makeByteView(cut.data(), (int64_t)size);
        PictureRecord r = pictureRecordAt(decoded, 0, pictureRows16, true);
        ByteView noted = decoded;
        SDL_FreeSurface(decodePicture(decoded, r));
        SDL_FreeSurface(decodeMask(decoded, r));
        noteRecordReads(noted, r);
        EXPECT_EQ(noted.overrun, decoded.overrun) << size << " bytes";
        EXPECT_EQ(decoded.overrun, size < whole.size()) << size << " bytes";
    }
}

// Every byte at each depth, widths that end inside a byte included, against the
// plain shifts.
TEST(PackedRows, EachByteUnpacksToItsPixelsLeftmostHighest) {
    Data row(33);
    for (size_t k = 0; k < row.size(); k++) {
        row[k] = (uint8_t)(k * 97 + 13);
    }
    for (int bits : {1, 2, 4}) {
        for (int width : {0, 1, 3, 7, 8, 9, 31, 8 * 33 / bits}) {
            Data out(width + 1, 0xEE);
            unpackRow(row.data(), width, bits, out.data());
            for (int x = 0; x < width; x++) {
                int shift = 8 - bits * (x % (8 / bits) + 1);
                ASSERT_EQ(out[x], (row[x * bits / 8] >> shift) & ((1 << bits) - 1))
                    << bits << " bits, width " << width << ", x " << x;
            }
            EXPECT_EQ(out[width], 0xEE) << "nothing written past the width";
        }
    }
    Data untouched(4, 0xEE);
    unpackRow(row.data(), 4, 3, untouched.data());
    EXPECT_EQ(untouched, Data(4, 0xEE)) << "no other depth";
}

TEST_F(PictureDecode, MasksPaintTheKeyAndSetTheColourKey) {
    SDL_Surface *pictures[3] = {surfaceFromRows({"123", "321"}), surfaceFromRows({"22", "22"}),
                                surfaceFromRows({"11", "11"})};
    // The second mask is smaller than its picture: only the shared part counts.
    SDL_Surface *masks[3] = {surfaceFromRows({"1.1", "..1"}), surfaceFromRows({"1"}), nullptr};
    applyPictureMasks(pictures, masks, 3, 17);
    EXPECT_EQ(surfaceRows(pictures[0]), (Rows{"h2h", "32h"}));
    EXPECT_EQ(surfaceRows(pictures[1]), (Rows{"h2", "22"}));
    EXPECT_EQ(surfaceRows(pictures[2]), (Rows{"11", "11"}));
    for (SDL_Surface *p : pictures) {
        EXPECT_TRUE(hasColourKey(p, 17));
        SDL_FreeSurface(p);
    }
    SDL_FreeSurface(masks[0]);
    SDL_FreeSurface(masks[1]);
}

} // namespace

namespace {

void appendLe32(Data &data, uint32_t value) {
    appendLe16(data, (int)(value & 0xFFFF));
    appendLe16(data, (int)(value >> 16));
}

// A plain file whose offset table names one width x height record count times.
Data repeated(int count, int width, int height) {
    Data data;
    appendLe16(data, count);
    for (int i = 0; i < count; i++) {
        appendLe32(data, 2 + 4 * count);
    }
    Data one = record(width, height, {});
    data.insert(data.end(), one.begin(), one.end());
    return data;
}

// What the budget says of a file, starting from held pixels: "" when accepted.
std::string budgetOf(const Data &data, bool masked, PictureRowFormat rows, int64_t &held) {
    char problem[160] = "";
    ByteView view = makeByteView(data.data(), (int64_t)data.size());
    return countPictureFile(view, masked, rows, &held, problem, sizeof problem) ? "" : problem;
}

} // namespace

TEST(PictureBudget, TheScreenBoundsEachPictureAndMask) {
    int64_t held = 0;
    EXPECT_EQ(budgetOf(repeated(2, 320, 200), false, pictureRows4, held), "");
    EXPECT_EQ(held, 2 * 64000);
    EXPECT_EQ(budgetOf(repeated(1, 321, 200), false, pictureRows4, held),
              "picture 0 is 321\u00d7200, larger than the 320\u00d7200 screen");
    EXPECT_EQ(budgetOf(repeated(3, 320, 201), false, pictureRows16, held),
              "picture 0 is 320\u00d7201, larger than the 320\u00d7200 screen");
    EXPECT_EQ(held, 2 * 64000);
    // A masked 16-colour file: the mask follows rows padded to 4 bytes (3 pixels: 4
    // bytes a row), and its own size is bounded too.
    Data masked = {0x01, 0x00, 0x06, 0x00, 0x7F, 0x7F};
    Data picture = record(3, 2, Data(8, 0x11));
    Data mask = record(330, 1, {});
    masked.insert(masked.end(), picture.begin(), picture.end());
    masked.insert(masked.end(), mask.begin(), mask.end());
    EXPECT_EQ(budgetOf(masked, true, pictureRows16, held),
              "mask of picture 0 is 330\u00d71, larger than the 320\u00d7200 screen");
}

TEST(PictureBudget, EveryEntryCountsTowardsTheModesSixteenMegapixels) {
    int64_t held = 0;
    // 262 screens fit in 16 M pixels, the 263rd does not.
    EXPECT_EQ(budgetOf(repeated(262, 320, 200), false, pictureRows4, held), "");
    EXPECT_EQ(held, 262 * 64000);
    held = 0;
    EXPECT_EQ(budgetOf(repeated(263, 320, 200), false, pictureRows4, held),
              "picture 262 takes the pictures of the colour mode past 16777216 pixels");
    EXPECT_EQ(held, 0);
    // Empty pictures still cost a surface each.
    held = modePicturePixels - 2 * smallestPictureCost;
    EXPECT_EQ(budgetOf(repeated(2, 0, 0), false, pictureRows4, held), "");
    EXPECT_EQ(budgetOf(repeated(1, 1, 1), false, pictureRows4, held),
              "picture 0 takes the pictures of the colour mode past 16777216 pixels");
}
