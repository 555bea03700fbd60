# One version number (the project's) reaches every deliverable as a VERSIONINFO
# resource; company, product and copyright are build settings.
set(ZANTIQ_COMPANY_NAME "Example Company" CACHE STRING "CompanyName of the version resources")
set(ZANTIQ_PRODUCT_NAME "Zantiq" CACHE STRING "ProductName of the version resources")
set(ZANTIQ_COPYRIGHT "Copyright (C) 2026 ${ZANTIQ_COMPANY_NAME}" CACHE STRING
    "LegalCopyright of the version resources")

# add_version_resource(<target> <description>): adds the resource to <target>
# and a native test that reads it back from the built file.
function(add_version_resource target description)
  get_target_property(type ${target} TYPE)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  if(type STREQUAL "EXECUTABLE")
    set(VERSION_FILE_TYPE VFT_APP)
    set(suffix .exe)
  else()
    set(VERSION_FILE_TYPE VFT_DLL)
    set(suffix .dll)
  endif()
  set(VERSION_DESCRIPTION "${description}")
  set(VERSION_INTERNAL_NAME "${name}")
  set(VERSION_FILE_NAME "${name}${suffix}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/common/version/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})

  add_test(NAME ${target}_version
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check-version $<TARGET_FILE:${target}>
            "FileVersion=${PROJECT_VERSION}" "ProductVersion=${PROJECT_VERSION}"
            "FileDescription=${description}" "OriginalFilename=${VERSION_FILE_NAME}"
            "InternalName=${name}" "CompanyName=${ZANTIQ_COMPANY_NAME}"
            "ProductName=${ZANTIQ_PRODUCT_NAME}" "LegalCopyright=${ZANTIQ_COPYRIGHT}")
  set_tests_properties(${target}_version PROPERTIES LABELS "pe")
endfunction()
