# The one-door rule and the layers, checked by CTest. Two object libraries are compiled as game/ code
# is (the game library's include directories and flags, nothing more): one including <SDL.h>, which
# must fail to build for want of the header, and one including a public platform header, which must
# build. The headers that sit in the compiler's default folders (libpng, libjpeg, zlib, OpenGL, Xlib)
# no compile can refuse: the include check below does.
foreach(check sdl_under_game platform_under_game)
  add_library(layer_${check} OBJECT EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/cmake/layers/${check}.cpp)
  target_link_libraries(layer_${check} PRIVATE cairnmark_game)
  target_compile_options(layer_${check} PRIVATE ${CAIRNMARK_WARNINGS})
  add_test(NAME layers.${check}
    COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target layer_${check})
  # Two builds in one folder at once would fight over the build tool's records.
  set_tests_properties(layers.${check} PROPERTIES RESOURCE_LOCK build_folder)
endforeach()
set_tests_properties(layers.sdl_under_game PROPERTIES
  PASS_REGULAR_EXPRESSION "SDL\\.h: No such file|'SDL\\.h' file not found")
# Inside game/ and inside platform/ the folders depend one way (the orders are declared in
# include_graph.cpp) and no includes run in a circle; the game includes only the platform's public
# headers, and an outside library's headers only the platform folder that owns it. A small program of
# our own reads the includes and says where they do not; on a planted tree it must find every fault.
add_executable(layer_include_graph ${CMAKE_SOURCE_DIR}/cmake/layers/include_graph.cpp)
target_compile_options(layer_include_graph PRIVATE ${CAIRNMARK_WARNINGS})
add_test(NAME layers.folders_run_down COMMAND layer_include_graph ${CMAKE_SOURCE_DIR})
add_test(NAME layers.check_catches
  COMMAND ${CMAKE_COMMAND} -DCHECKER=$<TARGET_FILE:layer_include_graph>
          -DFIXTURES=${CMAKE_SOURCE_DIR}/cmake/layers/fixtures -P ${CMAKE_SOURCE_DIR}/cmake/layers/check_catches.cmake)
