"""The window, the quit key, closing the window and a failed video start."""

import harness
from harness import Game


def demo_settings(args, extra=""):
    return "directory=%s\n%s" % (harness.demo_world(args), extra)


def window_has_caption_and_size(args, display):
    game = Game(args.binary, settings=demo_settings(args, "video=1\n"), display=display)
    try:
        game.wait_ready()
        assert game.geometry() == (640, 400), "window is %dx%d" % game.geometry()
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


def video_that_cannot_open_fails_with_status_one(args, display):
    # With data to show: without any, start-up ends before it reaches the video.
    game = Game(args.binary, display=display, files=harness.minimal_data(),
                extra_env={"SDL_VIDEODRIVER": "no-such-driver"})
    try:
        status, _, err = game.wait_exit()
        assert status == 1, "status %d" % status
        assert err.startswith("Video initialization failed: "), repr(err)
    finally:
        game.cleanup()


if __name__ == "__main__":
    harness.run([window_has_caption_and_size, alt_x_ends_with_status_zero,
                 closing_the_window_ends_with_status_zero,
                 video_that_cannot_open_fails_with_status_one])
