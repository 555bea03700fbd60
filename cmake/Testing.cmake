# GoogleTest from Debian's sources, built by the MinGW toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# scripts/wine-run exits with 77 when this machine cannot run the program's
# word size under Wine (a kernel without 32-bit support): CTest reports the
# test as skipped instead of failed.
set(WINE_SKIP_CODE 77)

# add_wine_gtest(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>]
#                [LOCK_WINDOWS] [TIMEOUT <seconds>])
# A GoogleTest program run under Wine. LOCK_WINDOWS serialises the tests that
# show real windows, so that one test never presses another test's box.
function(add_wine_gtest name)
  cmake_parse_arguments(T "LOCK_WINDOWS" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    SKIP_RETURN_CODE ${WINE_SKIP_CODE}
    TIMEOUT ${T_TIMEOUT}
    LABELS "wine;${T_LABELS}")
  if(T_LOCK_WINDOWS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK windows)
  endif()
endfunction()
