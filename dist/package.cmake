# The Debian package, a games package with a native version, made by CPack from
# the install rules (its changelog, copyright and AppStream metadata: dist/):
#   cpack --config build/CPackConfig.cmake -G DEB   (or: cmake --build build --target package)
# gives varnok_<version>_<arch>.deb; its Depends come from dpkg-shlibdeps, but for
# SDL_mixer, which the game opens at run time (dlopen) and dpkg-shlibdeps cannot
# see: that one is stated here.
set(CPACK_PACKAGE_NAME varnok)
set(CPACK_PACKAGE_VENDOR "The Varnok V project")
set(VARNOK_MAINTAINER "Varnok V developers <varnok@users.invalid>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${VARNOK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "engine for an old DOS-era tile-based role-playing game")
# The long description, wrapped as Debian control files want it.
set(CPACK_PACKAGE_DESCRIPTION
    "Varnok V plays an old DOS-era tile-based role-playing game on a modern
desktop: it reads the player's copy of the game's data files and shows the
world in a 640x400 window with an 8-bit palette, played with the keyboard
or a gamepad.

Today one walks the two world maps, enters and leaves the places, looks
around, climbs ladders between levels and watches the clock turn, with music,
and saves the game to resume it later; there is no talk and no combat yet.

The package carries no game content but an original demo world of its own,
with music, which the game plays when it finds no other data, and the data
tool varnok-data, which writes the demo world, checks data directories and
turns a world into pictures and text and back. The player's guide is
/usr/share/doc/varnok/GUIDE.md.

Distributed under the GNU General Public License, version 2 or later.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)

set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARNOK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl-mixer1.2 (>= 1.2.12)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
