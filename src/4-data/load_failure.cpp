#include "4-data/load_failure.h"

#include "4-data/shown_text.h"

const char *const readProblem = "read error";
const char *const memoryProblem = "out of memory";
const char *const surfaceProblem = "cannot create a surface";

bool failLoad(LoadFailure &failure, const std::string &path, const std::string &problem) {
    failure.path = path;
    failure.problem = problem;
    return false;
}

std::string loadFailureLine(const LoadFailure &failure) {
    if (failure.problem.empty()) {
        return "Cannot open data file '" + shownText(failure.path) + "'";
    }
    return "Bad data file '" + shownText(failure.path) + "': " + shownText(failure.problem);
}
