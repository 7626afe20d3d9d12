#include "name_room.h"

#include <algorithm>
#include <cstring>

namespace {

// One zero-terminated text of the file and the entries that point at it.
struct Text {
    size_t offset;
    size_t room; // bytes from offset through its zero byte (0: not in the file)
    bool hasRoom;
    std::string name;
    bool changed;
    std::vector<int> members;
};

size_t roomAt(const Bytes &file, size_t offset) {
    if (offset >= file.size()) {
        return 0;
    }
    const uint8_t *end = (const uint8_t *)memchr(file.data() + offset, 0, file.size() - offset);
    return end != nullptr ? (size_t)(end - file.data()) - offset + 1 : file.size() - offset;
}

void writeText(Bytes &file, size_t at, const std::string &name, size_t room) {
    std::fill(file.begin() + at, file.begin() + at + room, 0);
    std::copy(name.begin(), name.end(), file.begin() + at);
}

// Groups the entries by text and decides the name each text will hold.
bool groupTexts(const Bytes &file, const std::vector<NameEntry> &entries, NameRules rules,
                std::vector<Text> &texts, int &failed, std::string &problem) {
    std::vector<size_t> offsets;
    for (const NameEntry &e : entries) {
        offsets.push_back(e.offset);
    }
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    for (size_t offset : offsets) {
        size_t room = roomAt(file, offset);
        Text kept = {offset, room, room > 0, "", false, {}};
        std::vector<Text> split;
        for (int i = 0; i < (int)entries.size(); ++i) {
            const NameEntry &e = entries[i];
            if (e.offset != offset) {
                continue;
            }
            kept.name = e.original;
            if (e.wanted == e.original) {
                kept.members.push_back(i);
                continue;
            }
            auto same = std::find_if(split.begin(), split.end(),
                                     [&](const Text &t) { return t.name == e.wanted; });
            if (same != split.end()) {
                same->members.push_back(i);
            } else if (rules.sharedChangeTogether && !split.empty()) {
                failed = i;
                problem = "shares its name with entry " + std::to_string(split[0].members[0]) +
                          ", which asks for another name; a shared name changes for all";
                return false;
            } else {
                split.push_back(Text{0, 0, false, e.wanted, true, {i}});
            }
        }
        if (!split.empty() && (kept.members.empty() || rules.sharedChangeTogether)) {
            // The first new name takes over the text (and all its entries, when
            // they change together).
            kept.name = split[0].name;
            kept.changed = true;
            kept.members.insert(kept.members.end(), split[0].members.begin(),
                                split[0].members.end());
            split.erase(split.begin());
        }
        texts.push_back(kept);
        texts.insert(texts.end(), split.begin(), split.end());
    }
    return true;
}

// Packs the names of the run of adjacent texts around `which` back to back.
bool repackRun(Bytes &file, std::vector<Text> &texts, size_t which, int &failed,
               std::string &problem) {
    std::vector<size_t> order;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].hasRoom) {
            order.push_back(i);
        }
    }
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return texts[a].offset < texts[b].offset; });
    size_t first = 0, runEnd = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        const Text &t = texts[order[k]];
        if (k == 0 || t.offset > runEnd) {
            first = k;
            runEnd = t.offset;
        }
        runEnd = std::max(runEnd, t.offset + t.room);
        bool last = k + 1 == order.size() || texts[order[k + 1]].offset > runEnd;
        if (!last) {
            continue;
        }
        bool holds = false;
        for (size_t j = first; j <= k; ++j) {
            holds = holds || order[j] == which;
        }
        if (!holds) {
            continue;
        }
        size_t start = texts[order[first]].offset, cursor = start;
        for (size_t j = first; j <= k; ++j) {
            cursor += texts[order[j]].name.size() + 1;
        }
        if (cursor > runEnd) {
            failed = texts[which].members[0];
            problem = "the names no longer fit in the " + std::to_string(runEnd - start) +
                      " bytes the original names took";
            return false;
        }
        std::fill(file.begin() + start, file.begin() + runEnd, 0);
        cursor = start;
        for (size_t j = first; j <= k; ++j) {
            Text &t = texts[order[j]];
            std::copy(t.name.begin(), t.name.end(), file.begin() + cursor);
            t.offset = cursor;
            t.room = t.name.size() + 1;
            cursor += t.room;
        }
        texts[order[k]].room += runEnd - cursor; // the spare bytes stay with the run
        return true;
    }
    return false;
}

// True when another text lies within the room of text i (one name the tail of
// another): writing there would change both.
bool sharesRoom(const std::vector<Text> &texts, size_t i) {
    const Text &t = texts[i];
    for (size_t j = 0; j < texts.size(); ++j) {
        const Text &o = texts[j];
        if (j != i && o.hasRoom && o.offset < t.offset + t.room && t.offset < o.offset + o.room) {
            return true;
        }
    }
    return false;
}

} // namespace

bool placeNames(Bytes &file, std::vector<NameEntry> &entries, NameRules rules, int &failed,
                std::string &problem) {
    std::vector<Text> texts;
    if (!groupTexts(file, entries, rules, texts, failed, problem)) {
        return false;
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        Text &t = texts[i];
        if (!t.changed) {
            continue;
        }
        if (t.hasRoom && t.name.size() + 1 <= t.room && !sharesRoom(texts, i)) {
            writeText(file, t.offset, t.name, t.room);
        } else if (rules.appendLimit > 0) {
            if (file.size() > rules.appendLimit) {
                failed = t.members[0];
                problem = "no room is left for a new name";
                return false;
            }
            t.offset = file.size();
            file.insert(file.end(), t.name.begin(), t.name.end());
            file.push_back(0);
        } else if (!t.hasRoom) {
            failed = t.members[0];
            problem = "its name lies outside the file; it cannot be changed";
            return false;
        } else if (!repackRun(file, texts, i, failed, problem)) {
            return false;
        }
    }
    for (const Text &t : texts) {
        for (int member : t.members) {
            entries[member].offset = t.offset;
        }
    }
    return true;
}
