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

# add_pe_check(<name> <target> [EXPORTS <exact names...>])
# A native test (no Wine) that reads the built file with objdump: it imports only
# DLLs that ship with Windows and, with EXPORTS, exports exactly those names
# under its own file name. It also proves the 32-bit files on machines whose
# Wine cannot run them.
find_program(PE_OBJDUMP ${MINGW_PREFIX}-objdump REQUIRED)
find_package(Python3 COMPONENTS Interpreter REQUIRED)
function(add_pe_check name target)
  cmake_parse_arguments(C "" "" "EXPORTS" ${ARGN})
  add_test(NAME ${name}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-pe
            ${PE_OBJDUMP} $<TARGET_FILE:${target}> ${C_EXPORTS})
  set_tests_properties(${name} PROPERTIES LABELS "pe")
endfunction()
