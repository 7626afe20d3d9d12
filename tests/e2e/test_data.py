"""Start-up with the game's data files: every essential file, missing in turn,
ends the program with status 1, its path and where the data directory came from
on standard error, before any window opens; a missing settlement map does not.
The data directory in use is always shown on standard output."""

import os

import harness
from harness import Game


def each_missing_essential_file_ends_with_its_path(args, display):
    for name in harness.ESSENTIAL_DATA:
        files = harness.minimal_data()
        del files[name]
        files = {"data/" + other: content for other, content in files.items()}
        game = Game(args.binary, settings="directory=data\n", display=display,
                    files=files)
        try:
            status, out, err = game.wait_exit()
            assert status == 1, "%s missing: status %d" % (name, status)
            data = os.path.join(os.path.realpath(game.dir), "data")
            expected = ("Cannot open data file 'data/%s'\n"
                        "The data directory %s is named by directory= in settings.ini; "
                        "'varnok-data check %s' tells what is wrong with it.\n"
                        % (name, data, data))
            assert err == expected, "%s missing: %r" % (name, err)
            assert out == "Data: %s\n" % data, repr(out)
        finally:
            game.cleanup()


def missing_settlement_maps_are_not_an_error(args, display):
    game = Game(args.binary, display=display, files=harness.minimal_data())
    try:
        game.wait_window()
        status, out, err = game.quit()
        assert status == 0, "status %d, %s" % (status, err)
        data = os.path.realpath(game.dir)
        assert out == "Data: %s\n" % data and err == "", repr((out, err))
    finally:
        game.cleanup()


def graphics_of_the_colour_mode_are_essential(args, display):
    # The 4-colour mode reads only ".4" files, the 16-colour mode only ".16" files.
    cases = [("video=1\n", "mon3.4", "Cannot open data file 'data/mon3.4'\n"),
             ("video=0\n", "runes.ch", "Cannot open data file 'data/runes.ch'\n"),
             ("video=0\n", "dng2.16", "Cannot open data file 'data/dng2.16'\n"),
             ("video=2\n", "tiles.4", None),
             ("video=1\n", "tiles.16", None)]
    for video, name, expected in cases:
        files = harness.minimal_data()
        del files[name]
        files = {"data/" + other: content for other, content in files.items()}
        game = Game(args.binary, settings="directory=data\n" + video, display=display,
                    files=files)
        try:
            if expected is None:
                game.wait_window()
            status, _, err = game.quit()
            assert status == (1 if expected else 0), "%s missing: status %d" % (name, status)
            # The loaders' line comes first, exactly as it always was.
            first = err.splitlines(True)[:1]
            assert first == ([expected] if expected else []), "%s missing: %r" % (name, err)
        finally:
            game.cleanup()


def short_tile_file_warns_and_starts(args, display):
    files = harness.minimal_data(**{"tiles.4": harness.lzw_pack(bytes(100 * 64))})
    game = Game(args.binary, display=display, files=files)
    try:
        game.wait_window()
        status, _, err = game.quit()
        assert status == 0, "status %d, %s" % (status, err)
        assert err == "Warning: data file 'tiles.4' is shorter than its layout\n", repr(err)
    finally:
        game.cleanup()


if __name__ == "__main__":
    harness.run([each_missing_essential_file_ends_with_its_path,
                 missing_settlement_maps_are_not_an_error,
                 graphics_of_the_colour_mode_are_essential,
                 short_tile_file_warns_and_starts])
