// Finding a data file whatever the case of its name: copies of the game taken from
// its original disks usually carry upper-case names (DATA.OVL, MUSIC/TOWN.OGG),
// and the file systems the engine runs on tell cases apart.
#pragma once

// New malloc'ed path of name (which may hold "/"-separated folders) inside
// directory, joined with one "/"; the bare name when directory is nullptr or
// empty. When that exact path does not exist, each part of name is matched
// case-insensitively in its folder; the exact path comes back when nothing
// matches. An exact name always wins over another case of it. The directory
// itself is taken as given. A folder is read once, at its first such match, and
// its listing kept for the run; only a folder that changed since is read again.
char *findDataFile(const char *directory, const char *name);
