#include "3-gfx/blit.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The rectangle both surfaces give: source and target pixels of w x h.
struct BlitArea {
    int sourceX, sourceY;
    int targetX, targetY;
    int w, h;
};

// One axis of a copy cut to the span [from, from + size) of one side; the other
// side's position moves with it.
void clipAxis(int &position, int &otherPosition, int &length, int from, int size) {
    int cut = from - position;
    if (cut > 0) {
        length -= cut;
        position += cut;
        otherPosition += cut;
    }
    cut = position + length - (from + size);
    length -= cut > 0 ? cut : 0;
}

// SDL_UpperBlit's clipping: the part within the source, then the target position
// within the target's clip rectangle. False when nothing is left.
bool clipArea(const SDL_Surface *source, const SDL_Rect *part, const SDL_Surface *target, int x,
              int y, BlitArea &area) {
    area = {0, 0, x, y, source->w, source->h};
    if (part != nullptr) {
        area = {part->x, part->y, x, y, part->w, part->h};
        clipAxis(area.sourceX, area.targetX, area.w, 0, source->w);
        clipAxis(area.sourceY, area.targetY, area.h, 0, source->h);
    }
    const SDL_Rect &clip = target->clip_rect;
    clipAxis(area.targetX, area.sourceX, area.w, clip.x, clip.w);
    clipAxis(area.targetY, area.sourceY, area.h, clip.y, clip.h);
    return area.w > 0 && area.h > 0;
}

// One row, 16 bytes at a time: fixed-size copies the compiler makes single moves,
// cheaper than a library call for rows this short. Not for overlapping rows.
void copyRow(const Uint8 *from, Uint8 *to, int w) {
    int i = 0;
    for (; i + 16 <= w; i += 16) {
        memcpy(to + i, from + i, 16);
    }
    for (; i < w; i++) {
        to[i] = from[i];
    }
}

// One row with the key colour left out.
void copyKeyedRow(const Uint8 *from, Uint8 *to, int w, Uint8 key) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i keys = _mm_set1_epi8((char)key);
    for (; i + 16 <= w; i += 16) {
        __m128i source = _mm_loadu_si128((const __m128i *)(from + i));
        __m128i kept = _mm_cmpeq_epi8(source, keys);
        __m128i target = _mm_loadu_si128((const __m128i *)(to + i));
        __m128i blend = _mm_or_si128(_mm_and_si128(kept, target), _mm_andnot_si128(kept, source));
        _mm_storeu_si128((__m128i *)(to + i), blend);
    }
#endif
    for (; i < w; i++) {
        to[i] = from[i] == key ? to[i] : from[i];
    }
}

void copyArea(const SDL_Surface *source, SDL_Surface *target, const BlitArea &area) {
    const Uint8 *from = (const Uint8 *)source->pixels + area.sourceY * source->pitch + area.sourceX;
    Uint8 *to = (Uint8 *)target->pixels + area.targetY * target->pitch + area.targetX;
    int fromStep = source->pitch;
    int toStep = target->pitch;
    if (source == target && area.targetY > area.sourceY) {
        // A surface copied down onto itself: bottom row first, so that no row is
        // overwritten before it is read (memmove does the same within a row).
        from += (area.h - 1) * fromStep;
        to += (area.h - 1) * toStep;
        fromStep = -fromStep;
        toStep = -toStep;
    }
    bool keyed = (source->flags & SDL_SRCCOLORKEY) != 0;
    Uint8 key = (Uint8)source->format->colorkey;
    for (int row = 0; row < area.h; row++) {
        if (keyed) {
            copyKeyedRow(from, to, area.w, key);
        } else if (source == target) {
            memmove(to, from, area.w);
        } else {
            copyRow(from, to, area.w);
        }
        from += fromStep;
        to += toStep;
    }
}

} // namespace

bool copiesIndices(const SDL_Surface *source, const SDL_Surface *target) {
    const SDL_PixelFormat *from = source->format;
    const SDL_PixelFormat *to = target->format;
    if (from->BitsPerPixel != 8 || to->BitsPerPixel != 8 || from->palette == nullptr ||
        to->palette == nullptr || (source->flags & SDL_SRCALPHA) != 0 || SDL_MUSTLOCK(source) ||
        SDL_MUSTLOCK(target)) {
        return false;
    }
    // SDL's own test for a palette it need not map through.
    const SDL_Palette *a = from->palette;
    const SDL_Palette *b = to->palette;
    return a == b || (a->ncolors <= b->ncolors &&
                      memcmp(a->colors, b->colors, a->ncolors * sizeof(SDL_Color)) == 0);
}

void blitIndexed(SDL_Surface *source, const SDL_Rect *part, SDL_Surface *target, int x, int y) {
    if (source == nullptr || target == nullptr) {
        return;
    }
    if (!copiesIndices(source, target)) {
        SDL_Rect place = {(Sint16)x, (Sint16)y, 0, 0};
        SDL_UpperBlit(source, const_cast<SDL_Rect *>(part), target, &place);
        return;
    }
    BlitArea area;
    if (clipArea(source, part, target, x, y, area)) {
        copyArea(source, target, area);
    }
}
