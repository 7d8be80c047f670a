# A test that needs a test desktop to itself: zarvo_desktop_test(NAME COMMAND PROGRAM ARGS...)
# (PROGRAM a target or a command). scripts/test starts several desktops and ctest hands each
# such test one of them at a time (the resource group "desktops", whose id tests/on-test-desktop
# turns into DISPLAY); a ctest run without them gives the tests the one desktop of DISPLAY in
# turn. Such a test is labelled screen, skips itself with 77 without a display, and starts
# early (COST): the on-screen tests are among the longest of the run.
function(zarvo_desktop_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "COMMAND")
  list(POP_FRONT arg_COMMAND program)
  if(TARGET ${program})
    set(program $<TARGET_FILE:${program}>)
  endif()
  add_test(NAME ${name}
    COMMAND ${PROJECT_SOURCE_DIR}/tests/on-test-desktop ${program} ${arg_COMMAND})
  set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS desktops:1 LABELS screen
                       SKIP_RETURN_CODE 77 COST 1000)
endfunction()
