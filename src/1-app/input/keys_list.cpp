#include "1-app/input/keys_list.h"

#include <cstdio>

#include "1-app/input/key_bindings.h"
#include "1-app/input/key_names.h"
#include "1-app/input/input_state.h"
#include "2-play/commands.h"

namespace {

const int firstColumn = 2; // text columns of the map view, inside a one-cell margin
const int titleRow = 2;
const int firstKeyRow = 4;
const int firstPanelRow = titleRow; // level with the title beside it
const int lastPanelRow = 23;
const int panelNameWidth = 9; // "<keys> <Command>" in the panel's 16 columns

// The game's own keys, from the command table: keys, then what they do.
void addOwnKeys(std::vector<ListLine> &lines) {
    lines.push_back({firstColumn, titleRow, "Keys"});
    int row = firstKeyRow;
    for (const CommandRow &command : commandRows) {
        std::string keys = command.listedKeys != nullptr ? command.listedKeys : "";
        for (size_t start = 0; start < keys.size(); row++) {
            size_t end = keys.find('\n', start);
            end = end == std::string::npos ? keys.size() : end;
            char line[64];
            snprintf(line, sizeof line, "%-11s%s", keys.substr(start, end - start).c_str(),
                     command.listedAs);
            lines.push_back({firstColumn, row, line});
            start = end + 1;
        }
    }
    lines.push_back({firstColumn, row + 1, "Any key closes this"});
}

// The panel's sections from the top, each a title and its lines; what would
// reach lastRow is left out.
void addSection(std::vector<ListLine> &lines, int &row, int lastRow, const char *title,
                const std::vector<std::string> &entries) {
    if (entries.empty()) {
        return;
    }
    row += row > firstPanelRow ? 1 : 0;
    for (size_t i = 0; i <= entries.size() && row <= lastRow; i++, row++) {
        lines.push_back({panelListColumn, row, i == 0 ? title : entries[i - 1]});
    }
}

// The last key and button that did nothing, at the foot of the panel.
std::vector<std::string> withoutCommand() {
    std::vector<std::string> names;
    const char *key = listedKeyName(lastKeyWithoutCommand());
    if (key != nullptr) {
        names.push_back(key);
    }
    if (lastButtonWithoutCommand() >= 0) {
        names.push_back("button " + std::to_string(lastButtonWithoutCommand()));
    }
    if (!names.empty()) {
        names.insert(names.begin(), "No command:");
    }
    return names;
}

} // namespace

std::vector<ListLine> keysListLines() {
    std::vector<ListLine> lines;
    addOwnKeys(lines);
    std::vector<std::string> foot = withoutCommand();
    int footRow = lastPanelRow + 1 - (int)foot.size();
    int row = firstPanelRow;
    addSection(lines, row, footRow - 2, "Your keys", addedKeyLines(panelNameWidth));
    if (padInUse()) {
        std::vector<std::string> buttons = buttonLines();
        buttons.insert(buttons.begin(), "Stick Walk");
        addSection(lines, row, footRow - 2, "Gamepad", buttons);
    }
    for (size_t i = 0; i < foot.size(); i++) {
        lines.push_back({panelListColumn, footRow + (int)i, foot[i]});
    }
    return lines;
}
