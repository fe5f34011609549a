# The game for a web page, built with emscripten by scripts/web.sh: the same two libraries without
# the X window code, the page's own pieces from platform/web/, the libraries from CAIRNMARK_WEB_DEPS
# (scripts/web_deps.sh), and cairnmark.js and cairnmark.wasm for web/index.html.
if(NOT CAIRNMARK_WEB_DEPS)
  message(FATAL_ERROR "CAIRNMARK_WEB_DEPS must name the folder scripts/web_deps.sh printed")
endif()

# The game's blocking loops stay as they are: ASYNCIFY lets every wait yield to the browser. The
# game ends by exceptions, which must be caught in wasm too.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

include(cmake/embed.cmake)

file(GLOB_RECURSE CAIRNMARK_PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.cpp)
list(FILTER CAIRNMARK_PLATFORM_SOURCES EXCLUDE REGEX "/platform/display/x11_[^/]*\\.cpp$")
add_library(cairnmark_platform STATIC ${CAIRNMARK_PLATFORM_SOURCES} ${CAIRNMARK_EMBED_SOURCES})
target_include_directories(cairnmark_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_include_directories(cairnmark_platform PRIVATE ${CAIRNMARK_WEB_DEPS}/include
  ${CAIRNMARK_WEB_DEPS}/include/SDL2)
target_compile_options(cairnmark_platform PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${CAIRNMARK_WARNINGS}>)

file(GLOB_RECURSE CAIRNMARK_GAME_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/game/*.cpp)
add_library(cairnmark_game STATIC ${CAIRNMARK_GAME_SOURCES})
target_compile_options(cairnmark_game PRIVATE ${CAIRNMARK_WARNINGS})
target_link_libraries(cairnmark_game PUBLIC cairnmark_platform)

add_executable(cairnmark app/cairnmark_web.cpp app/watch.cpp)
target_compile_options(cairnmark PRIVATE ${CAIRNMARK_WARNINGS})
target_compile_definitions(cairnmark PRIVATE CAIRNMARK_VERSION="${PROJECT_VERSION}")
target_link_libraries(cairnmark PRIVATE cairnmark_game
  ${CAIRNMARK_WEB_DEPS}/lib/libSDL2.a ${CAIRNMARK_WEB_DEPS}/lib/libpng16.a
  ${CAIRNMARK_WEB_DEPS}/lib/libjpeg.a ${CAIRNMARK_WEB_DEPS}/lib/libz.a)
target_link_options(cairnmark PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  -sLEGACY_GL_EMULATION=1
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB
  -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -lidbfs.js
  -sMODULARIZE=1 -sEXPORT_NAME=CairnmarkGame
  "-sEXPORTED_RUNTIME_METHODS=['FS']")
