#include "picture_records.h"

#include "3-gfx/palette.h"
#include "3-gfx/picture_budget.h"
#include "4-data/file_formats.h"

std::vector<PictureRecord> pictureRecords(const Bytes &data, int mode, bool masked) {
    ByteView view = viewOf(data);
    std::vector<PictureRecord> records;
    int count = pictureCountOf(view);
    for (int i = 0; i < count; ++i) {
        records.push_back(
            pictureRecordOf(view, i, mode == 4 ? pictureRows4 : pictureRows16, masked));
    }
    return records;
}

bool withinPictureBudget(const Bytes &data, int mode, bool masked, int64_t &held,
                         std::string &problem) {
    char refusal[160];
    if (!countPictureFile(viewOf(data), masked, mode == 4 ? pictureRows4 : pictureRows16, &held,
                          refusal, sizeof refusal)) {
        problem = refusal;
        return false;
    }
    return true;
}

bool pictureHasPng(const PictureRecord &record, size_t dataSize) {
    return record.width > 0 && record.height > 0 && record.pixels <= (int64_t)dataSize;
}

std::vector<SDL_Color> modeColours(int mode) {
    return mode == 4 ? std::vector<SDL_Color>(palette4, palette4 + 4)
                     : std::vector<SDL_Color>(palette16, palette16 + 16);
}
