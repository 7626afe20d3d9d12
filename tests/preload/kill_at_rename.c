/* Ends the process at the N-th rename it asks for (VARNOK_KILL_AT_RENAME=N),
 * before that rename is done ("N+": right after it), as a kill at that moment
 * would: no buffers flushed, no clean-up run. The end-to-end tests load it with
 * LD_PRELOAD to interrupt an import or an export at each of its steps in turn. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* The status the tests recognise as "ended here". */
enum { endedStatus = 77 };

static long renames = 0;

/* Whether the rename about to be done is the chosen one. */
static int chosenRename(void) {
    const char *chosen = getenv("VARNOK_KILL_AT_RENAME");
    return chosen != NULL && ++renames == atol(chosen);
}

/* Ends the process right after the chosen rename when "N+" asks for it; passes
 * the rename's result on otherwise. */
static int endAfter(int chosen, int result) {
    const char *when = getenv("VARNOK_KILL_AT_RENAME");
    if (chosen && when[strlen(when) - 1] == '+') {
        _exit(endedStatus);
    }
    return result;
}

/* Ends the process before the chosen rename unless "N+" asks for after; whether
 * this is the chosen rename. */
static int endBefore(void) {
    int chosen = chosenRename();
    const char *when = getenv("VARNOK_KILL_AT_RENAME");
    if (chosen && when[strlen(when) - 1] != '+') {
        _exit(endedStatus);
    }
    return chosen;
}

int rename(const char *from, const char *to) {
    int chosen = endBefore();
    int (*real)(const char *, const char *) =
        (int (*)(const char *, const char *))dlsym(RTLD_NEXT, "rename");
    return endAfter(chosen, real(from, to));
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to) {
    int chosen = endBefore();
    int (*real)(int, const char *, int, const char *) =
        (int (*)(int, const char *, int, const char *))dlsym(RTLD_NEXT, "renameat");
    return endAfter(chosen, real(fromFolder, from, toFolder, to));
}

int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned flags) {
    int chosen = endBefore();
    int (*real)(int, const char *, int, const char *, unsigned) =
        (int (*)(int, const char *, int, const char *, unsigned))dlsym(RTLD_NEXT, "renameat2");
    return endAfter(chosen, real(fromFolder, from, toFolder, to, flags));
}
