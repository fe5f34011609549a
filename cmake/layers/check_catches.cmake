# Run as a test: cmake -DCHECKER=... -DFIXTURES=... -P check_catches.cmake. The include check must
# refuse the planted tree under fixtures/ and name each of its faults, one for every rule.
execute_process(COMMAND ${CHECKER} ${FIXTURES} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE said)
if(status EQUAL 0)
  message(FATAL_ERROR "the include check passed a tree of planted faults")
endif()
foreach(fault
    "game/state/rules.cpp: the rules draw nothing and read no keys: #include \"platform/display/display.h\""
    "game/state/rules.cpp: the game includes the platform's own header: #include \"platform/display/gl.h\""
    "game/state/rules.cpp: includes upwards: #include \"game/ui/menu.h\""
    "game/state/rules.cpp: an outside library's header, which only platform/display/ includes"
    "platform/core/random.cpp: includes upwards: #include \"platform/display/display.h\""
    "platform/core/random.cpp: the platform includes the game"
    "platform/core/random.cpp: an outside library's header, which only platform/images/ includes"
    "a circle of includes: platform/files/lock -> platform/files/lock_owner -> platform/files/lock"
    "platform/audio/mixer.cpp: a folder of platform/ the layering does not know")
  string(FIND "${said}" "${fault}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the include check missed: ${fault}\nIt said:\n${said}")
  endif()
endforeach()
