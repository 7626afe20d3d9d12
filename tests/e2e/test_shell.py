"""The window, the quit key, closing the window and a failed video start: no
display at all, an X server that resets under the game, a driver that does not
exist."""

import os
import signal

import harness
from harness import Game


def demo_settings(args, extra=""):
    return "directory=%s\n%s" % (harness.demo_world(args), extra)


def window_has_caption_and_size(args, display):
    game = Game(args.binary, settings=demo_settings(args, "video=1\n"), display=display)
    try:
        game.wait_ready()
        assert game.geometry() == (640, 400), "window is %dx%d" % game.geometry()
        # The run is on the library it is meant to test.
        library = harness.loaded_sdl(game.proc.pid)
        assert (harness.SDL12_COMPAT_DIR in library) == harness.on_sdl12_compat(), library
        game.close_window()
        game.wait_exit()
    finally:
        game.cleanup()


def alt_x_ends_with_status_zero(args, display):
    game = Game(args.binary, settings=demo_settings(args), display=display)
    try:
        game.wait_ready()
        game.key("alt+x")
        status, _, _ = game.wait_exit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


def closing_the_window_ends_with_status_zero(args, display):
    game = Game(args.binary, settings=demo_settings(args), display=display)
    try:
        game.wait_ready()
        game.close_window()
        status, _, _ = game.wait_exit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


def a_hang_up_or_a_lost_display_still_saves(args, display):
    # With autosave=1 the game saves as it ends, whether the terminal hangs up
    # (SIGHUP: the loop ends as if the window were closed, status 0) or the X
    # server goes away under it (Xlib then ends the program itself).
    own = harness.Display()
    for ending in ("hang-up", "display lost"):
        game = Game(args.binary, settings=demo_settings(args, "autosave=1\n"),
                    display=display if ending == "hang-up" else own)
        try:
            game.wait_ready()
            if ending == "hang-up":
                os.kill(game.proc.pid, signal.SIGHUP)
            else:
                own.close()
            status, out, _ = game.wait_exit()
            assert "Game saved: " in out, "%s: %r" % (ending, out)
            assert ending != "hang-up" or status == 0, "status %d" % status
        finally:
            game.cleanup()


def video_that_cannot_open_fails_with_status_one(args, display):
    # With data to show: without any, start-up ends before it reaches the video.
    game = Game(args.binary, display=display, files=harness.minimal_data(),
                extra_env={"SDL_VIDEODRIVER": "no-such-driver"})
    try:
        status, _, err = game.wait_exit()
        assert status == 1, "status %d" % status
        # sdl12-compat gives no reason of its own: the game names the driver.
        reason = ("no-such-driver not available" if harness.on_sdl12_compat()
                  else "No available video device")
        assert err == "Video initialization failed: %s\n" % reason, repr(err)
    finally:
        game.cleanup()


def no_display_is_one_line_and_nothing_in_the_terminal(args, display):
    # No driver named: only the X11 driver is tried, never one that draws in the
    # terminal (which would write escape sequences and run until killed).
    unused = ":%d" % (int(display.name[1:]) + 1000)
    cases = (({"DISPLAY": ""}, "DISPLAY is not set"),
             ({"DISPLAY": unused}, "DISPLAY '%s' cannot be opened" % unused))
    for env, reason in cases:
        game = Game(args.binary, files=harness.minimal_data(), extra_env=env)
        try:
            status, out, err = game.wait_exit()
            assert status == 1, "%s: status %d" % (reason, status)
            assert err == ("No graphical display: %s; set SDL_VIDEODRIVER to force a driver.\n"
                           % reason), repr(err)
            assert out == "Data: %s\n" % os.path.realpath(game.dir), repr(out)
        finally:
            game.cleanup()


def a_resetting_x_server_opens_at_every_start(args, display):
    # A server that resets when its last client leaves refuses connections for a
    # moment, and the game, its only client, sets that off itself at each start.
    # A bad tile file ends each run right after the video has started: the line
    # about it is all that is said, never "Video initialization failed".
    resetting = harness.Display(resets=True)
    files = dict(harness.minimal_data(), **{"tiles.4": b"not packed"})
    try:
        for run in range(12):
            game = Game(args.binary, display=resetting, files=files)
            try:
                status, _, err = game.wait_exit()
                expected = "Bad data file '%s': not a valid LZW-compressed file\n" % "tiles.4"
                assert (status, err) == (1, expected), "run %d: %d %r" % (run, status, err)
            finally:
                game.cleanup()
    finally:
        resetting.close()


if __name__ == "__main__":
    harness.run([window_has_caption_and_size, alt_x_ends_with_status_zero,
                 closing_the_window_ends_with_status_zero,
                 a_hang_up_or_a_lost_display_still_saves,
                 video_that_cannot_open_fails_with_status_one,
                 no_display_is_one_line_and_nothing_in_the_terminal,
                 a_resetting_x_server_opens_at_every_start])
