# Run as a test: cmake -DSOURCE_DIR=... -P scan_game.cmake. Fails when a file under game/ includes
# the platform's internals or a header of a library only the platform may use (libpng, libjpeg,
# zlib, OpenGL and Xlib live in the compiler's default folders, so only this scan can refuse them).
file(GLOB_RECURSE game_files ${SOURCE_DIR}/game/*.cpp ${SOURCE_DIR}/game/*.h)
set(bad "")
foreach(f ${game_files})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "platform/internal/|[<\"](SDL|SDL2/|GL/|EGL/|X11/|png|jpeg|jpeglib|zlib|zconf)")
      string(APPEND bad "  ${f}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "game/ must reach the outside only through the platform's public headers:\n${bad}")
endif()
