# The engine's sources, one list for both builds: the desktop build
# (CMakeLists.txt) compiles them all, the browser build (web/CMakeLists.txt) all
# but the desktop's own, which it replaces with its web parts.
file(GLOB_RECURSE VARNOK_ENGINE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/[1-9]-*/*.cpp)

# Desktop only: its front end's table (1-app/front_end.h) and the parts it holds
# that the browser build has no use for: the loop that sleeps until each event
# (on the X11 connection), video started on a driver that draws in a window, the
# window that shows a start-up error, the presenter on an SDL video mode, the
# screenshot written as a PNG file with libpng, and music streamed by SDL_mixer,
# which is opened at run time when music is asked for.
set(VARNOK_DESKTOP_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/1-app/desktop_front_end.cpp
    ${CMAKE_CURRENT_LIST_DIR}/1-app/display/video_start.cpp
    ${CMAKE_CURRENT_LIST_DIR}/1-app/display/error_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/1-app/run/native_loop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/1-app/run/event_wait.cpp
    ${CMAKE_CURRENT_LIST_DIR}/1-app/run/hang_up.cpp
    ${CMAKE_CURRENT_LIST_DIR}/1-app/display/desktop_presenter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/1-app/display/screenshot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/3-gfx/png_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/3-audio/music_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/3-audio/mixer_library.cpp)

set(VARNOK_SHARED_SOURCES ${VARNOK_ENGINE_SOURCES})
list(REMOVE_ITEM VARNOK_SHARED_SOURCES ${VARNOK_DESKTOP_SOURCES})
