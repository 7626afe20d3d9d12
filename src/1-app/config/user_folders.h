// The per-user folders of the program, after the XDG base-directory convention:
// settings in $XDG_CONFIG_HOME/varnok (~/.config/varnok), the player's own copy
// of the game in $XDG_DATA_HOME/varnok/data (~/.local/share/varnok/data), the
// saved games in $XDG_DATA_HOME/varnok/saves; and making a folder with its
// parents (saves, screenshots).
#pragma once

#include <string>

// Empty when neither the variable nor HOME gives an absolute folder.
std::string userConfigFolder();
std::string userDataFolder();
std::string userSavesFolder();

// Makes the folder and any missing parents; on failure problem says why.
bool makeFolders(const std::string &path, std::string &problem);
