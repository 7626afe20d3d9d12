// The demo world installed with the program: the last place the data lookup
// tries, so that an installed game runs out of the box. It is found from the
// folder of the running binary (<prefix>/bin/varnok reads
// <prefix>/share/varnok/demo), so every install prefix, the package and an
// installation moved as a whole find it alike.
#pragma once

#include <string>

// The installed demo world's folder as an absolute path; empty when the program
// has none (as when it runs from its build folder).
std::string installedDemoDirectory();

// The folder that `relative` names from the folder holding `executable`, made
// absolute, when it exists and is a directory; empty otherwise.
std::string folderBesideExecutable(const std::string &executable, const std::string &relative);
