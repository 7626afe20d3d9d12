"""Music of the real game: SDL's disk audio driver writes what the game plays into a
file, which the tests read back while the game runs."""

import os
import struct

import harness
from harness import Game, poll

RATE = 22050
# Two square waves told apart by their amplitude: the world map's and a town's.
WORLD = (9000, 40)
TOWN = (20000, 100)


def square_wave(amplitude, period, seconds):
    half = period // 2
    frame_hi = struct.pack("<hh", amplitude, amplitude)
    frame_lo = struct.pack("<hh", -amplitude, -amplitude)
    cycle = frame_hi * half + frame_lo * (period - half)
    data = cycle * (RATE * seconds // period)
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt "
    header += struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * 4, 4, 16)
    return header + b"data" + struct.pack("<I", len(data)) + data


def amplitudes(path, start=0):
    """The sample amplitudes in the output file from byte `start` on, as the
    wave's levels: each within 2 % of one of them counts as that level (on
    sdl12-compat the device runs at another rate and the mixer's conversion
    leaves the levels a little off and the edges in between), other non-zero
    ones as "edge". A level counts once it holds 100 samples."""
    with open(path, "rb") as f:
        f.seek(start)
        raw = f.read()
    raw = raw[:len(raw) - len(raw) % 4]
    counts = {}
    for v in struct.unpack("<%dh" % (len(raw) // 2), raw):
        level = next((a for a in (0, WORLD[0], TOWN[0]) if abs(abs(v) - a) <= a // 50),
                     "edge")
        counts[level] = counts.get(level, 0) + 1
    # Edges are the few samples of each step the conversion smooths.
    found = {level for level, n in counts.items() if n >= 100 and level != "edge"}
    return found | ({"edge"} if counts.get("edge", 0) > sum(counts.values()) // 10 else set())


# On sdl12-compat the device runs at the rate SDL 2 is told here, not at the 22050
# the game asks for and the mixer reports: the mixer's conversion must keep the
# pieces' pitch. The classic library does not read it and writes at 22050.
COMPAT_RATE = 44100


def half_period(path):
    """The commonest run of same-signed left-channel samples in the output: half
    the square wave's period at the rate the file was written at."""
    with open(path, "rb") as f:
        raw = f.read()
    left = struct.unpack("<%dh" % (len(raw) // 4 * 2), raw[:len(raw) // 4 * 4])[::2]
    runs, length, sign = {}, 0, 0
    for v in left:
        now = (v > 0) - (v < 0)
        if now == sign or now == 0:
            length += 1
            continue
        if sign != 0:
            runs[length] = runs.get(length, 0) + 1
        sign, length = now, 1
    return max(runs, key=runs.get) if runs else 0


def start_game(args, display, music, ini="overworld = world.wav\nharrowgate=town.wav\n"):
    """The game on the demo world, with test pieces in its music folder (one of
    them with an upper-case name)."""
    world = harness.demo_world(args)
    for name, (amplitude, period) in (("world.wav", WORLD), ("town.wav", TOWN),
                                      ("LOUD.WAV", WORLD)):
        with open(os.path.join(world, "music", name), "wb") as f:
            f.write(square_wave(amplitude, period, 20))
    files = {"music.ini": ini}
    game = Game(args.binary, display=display, files=files,
                settings="directory=%s\nmusic=%d\n" % (world, music),
                extra_env={"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": "out.raw",
                           "SDL_DISKAUDIODELAY": "20",
                           "SDL_AUDIO_FREQUENCY": str(COMPAT_RATE)})
    game.out = os.path.join(game.dir, "out.raw")
    return game


def mixer_loaded(game):
    """Whether the running game has SDL_mixer's library in its memory."""
    with open("/proc/%d/maps" % game.proc.pid) as f:
        return "libSDL_mixer" in f.read()


def size(path):
    return os.path.getsize(path) if os.path.exists(path) else 0


def world_music_plays_from_the_start(args, display):
    game = start_game(args, display, 1)
    try:
        game.wait_ready()
        poll(lambda: WORLD[0] in amplitudes(game.out), what="the world map's music")
        assert amplitudes(game.out) <= {0, WORLD[0]}, amplitudes(game.out)
        assert mixer_loaded(game)
        # At its own pitch: 40 frames a cycle at 22050, whatever the device's rate.
        rate = COMPAT_RATE if harness.on_sdl12_compat() else RATE
        want = WORLD[1] // 2 * rate // RATE
        poll(lambda: abs(half_period(game.out) - want) <= 1, what="the piece's own pitch")
        print("figure: the device writes at %d Hz; the world's piece: half a period of %d "
              "frames (%d wanted)" % (rate, half_period(game.out), want))
        status, _, _ = game.quit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


def a_music_file_is_found_whatever_the_case_of_its_name(args, display):
    game = start_game(args, display, 1, ini="overworld = loud.wav\n")
    try:
        game.wait_ready()
        poll(lambda: WORLD[0] in amplitudes(game.out), what="the world map's music")
        status, _, _ = game.quit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


def music_off_touches_no_audio(args, display):
    # The audio device would be open before the first frame (the disk driver then
    # writes its file), and a FIFO named music.ini would block its open.
    world = harness.demo_world(args)
    game = Game(args.binary, display=display, settings="directory=%s\nmusic=0\n" % world,
                extra_env={"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": "out.raw"},
                prepare=lambda directory: os.mkfifo(os.path.join(directory, "music.ini")))
    try:
        game.wait_ready()
        # A silent game does not even load the mixer's library.
        assert not mixer_loaded(game), "SDL_mixer loaded with music off"
        status, _, err = game.quit()
        assert status == 0 and err == "", (status, err)
        assert not os.path.exists(os.path.join(game.dir, "out.raw")), "the audio device opened"
    finally:
        game.cleanup()
    # Music asked for with no device to play it on: one line, and the game plays on.
    game = Game(args.binary, display=display, settings="directory=%s\nmusic=1\n" % world,
                extra_env={"SDL_AUDIODRIVER": "no-such-driver"})
    try:
        game.wait_ready()
        status, _, err = game.quit()
        assert status == 0, status
        assert err.startswith("Music is off: ") and err.count("\n") == 1, repr(err)
    finally:
        game.cleanup()


def a_mixer_that_cannot_load_is_named_and_the_game_goes_on(args, display):
    # A library of that name that is no library comes first in the search path.
    world = harness.demo_world(args)
    game = Game(args.binary, display=display, settings="directory=%s\nmusic=1\n" % world,
                files={"lib/libSDL_mixer-1.2.so.0": b"not a library"},
                extra_env={"LD_LIBRARY_PATH": "lib", "SDL_AUDIODRIVER": "disk",
                           "SDL_DISKAUDIOFILE": "out.raw"})
    try:
        game.wait_ready()
        status, _, err = game.quit()
        lines = err.splitlines()
        assert status == 0 and len(lines) == 1, (status, err)
        assert lines[0].startswith("Music is off: ") and "libSDL_mixer-1.2.so.0" in lines[0], err
        assert not os.path.exists(os.path.join(game.dir, "out.raw")), "the audio device opened"
    finally:
        game.cleanup()


def entering_a_town_changes_the_piece(args, display):
    game = start_game(args, display, 1)
    try:
        game.wait_ready()
        poll(lambda: WORLD[0] in amplitudes(game.out), what="the world map's music")
        # Harrowgate lies three steps east of the start; a lone Shift between
        # repeated keys keeps X from folding them into one.
        game.key("Right", "shift", "Right", "shift", "Right", "shift", "e")
        poll(lambda: TOWN[0] in amplitudes(game.out), what="the town's music")
        # Once the town's piece plays, the world map's piece has stopped.
        mark = size(game.out)
        poll(lambda: size(game.out) >= mark + 100000, what="more sound output")
        assert amplitudes(game.out, mark) <= {0, TOWN[0]}, amplitudes(game.out, mark)
        status, _, _ = game.quit()
        assert status == 0, "status %d" % status
    finally:
        game.cleanup()


if __name__ == "__main__":
    harness.run([world_music_plays_from_the_start,
                 a_music_file_is_found_whatever_the_case_of_its_name, music_off_touches_no_audio,
                 a_mixer_that_cannot_load_is_named_and_the_game_goes_on,
                 entering_a_town_changes_the_piece])
