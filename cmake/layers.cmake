# The one-door rule, checked by CTest. Two object libraries are compiled as game/ code is (the game
# library's include directories and flags, nothing more): one including <SDL.h>, which must fail to
# build for want of the header, and one including a public platform header, which must build. A
# scan refuses the headers that sit in the compiler's default folders, and platform/internal/.
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
add_test(NAME layers.game_includes
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/layers/scan_game.cmake)
# Inside game/ the folders depend one way (state, creatures, ui, screens) and no includes run in a
# circle; a small program of our own reads the includes and says where they do not.
add_executable(layer_include_graph ${CMAKE_SOURCE_DIR}/cmake/layers/include_graph.cpp)
target_compile_options(layer_include_graph PRIVATE ${CAIRNMARK_WARNINGS})
add_test(NAME layers.folders_run_down COMMAND layer_include_graph ${CMAKE_SOURCE_DIR})
