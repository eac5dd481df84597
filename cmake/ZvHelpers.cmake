# Adds every sub-folder of the current folder that has a CMakeLists.txt of its own.
function(zv_add_subfolders)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# zv_test(NAME name SOURCES ... LIBS ... [LABELS ...]): one GoogleTest executable registered
# with CTest, each of its tests carrying the labels given.
# Tests run on Qt's offscreen platform (set by the shared test main) so that no display is
# needed; the source and binary directories are compiled into the test support library.
function(zv_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} zv_test_support GTest::gtest GTest::gmock)
  # main() lives in the support library; keep it in the link.
  target_link_options(${T_NAME} PRIVATE -Wl,--undefined=main)
  if(T_LABELS)
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}")
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# zv_file_version(target): stamps the target with the project's four-part file version in an
# ELF note section ".note.zarvik.version", readable without loading the file.
function(zv_file_version target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/common/FileVersionNote.c)
  target_compile_definitions(${target} PRIVATE
    ZV_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} ZV_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    ZV_VERSION_PATCH=${PROJECT_VERSION_PATCH} ZV_VERSION_BUILD=${PROJECT_VERSION_TWEAK})
endfunction()

# zv_module(NAME name SOURCES ... LIBS ...): a module the host loads with dlopen: the file
# "<name>.so" beside the programs, exporting only the entry points listed in <name>.map of the
# current folder, with every symbol resolved at link time and the file version stamped.
function(zv_module)
  cmake_parse_arguments(M "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${M_NAME} SHARED ${M_SOURCES})
  set_target_properties(${M_NAME} PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${M_NAME} PRIVATE ${M_LIBS})
  set(map ${CMAKE_CURRENT_SOURCE_DIR}/${M_NAME}.map)
  target_link_options(${M_NAME} PRIVATE -Wl,--version-script=${map} -Wl,--no-undefined)
  set_property(TARGET ${M_NAME} APPEND PROPERTY LINK_DEPENDS ${map})
  zv_file_version(${M_NAME})
endfunction()
