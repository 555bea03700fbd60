# JNI: jni.h comes from Debian's OpenJDK 17; its Windows platform part is ours
# (common/jni/jni_md.h). The native prototypes come from `javac -h`, so that a
# native whose name or signature drifts from its Java declaration fails to build.
find_path(JNI_INCLUDE_DIR jni.h
  PATHS /usr/lib/jvm/java-17-openjdk-amd64/include /usr/lib/jvm/default-java/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(JAVAC_EXECUTABLE javac
  PATHS /usr/lib/jvm/java-17-openjdk-amd64/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT JAVAC_EXECUTABLE)
  find_program(JAVAC_EXECUTABLE javac NO_CMAKE_FIND_ROOT_PATH REQUIRED)
endif()

add_library(jni_headers INTERFACE)
target_include_directories(jni_headers INTERFACE
  ${CMAKE_SOURCE_DIR}/common/jni ${JNI_INCLUDE_DIR})

# add_jni_prototypes(<target> <java sources...>): runs `javac -h` over the Java
# declarations and adds the generated headers' folder to <target>'s includes.
function(add_jni_prototypes target)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_jni)
  set(stamp ${out}/.stamp)
  set(sources)
  foreach(src ${ARGN})
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${src})
  endforeach()
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${out}
    COMMAND ${JAVAC_EXECUTABLE} -h ${out} -d ${out}/classes ${sources}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources}
    COMMENT "Generating JNI prototypes for ${target}"
    VERBATIM)
  add_custom_target(${target}_jni_prototypes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_jni_prototypes)
  target_include_directories(${target} PUBLIC ${out})
  target_link_libraries(${target} PUBLIC jni_headers)
endfunction()
