# Shared compile settings and small helpers so that every folder's CMakeLists stays short.

add_library(fb_options INTERFACE)
target_compile_options(fb_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                            -Wno-sign-conversion)
if(FB_WERROR)
  target_compile_options(fb_options INTERFACE -Werror)
endif()
if(FB_SANITIZE)
  target_compile_options(fb_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(fb_options INTERFACE -fsanitize=address,undefined)
endif()
if(FB_FUZZ)
  # Coverage for libFuzzer in every library; only the fuzz targets link its main.
  target_compile_options(fb_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt, in
# alphabetical order, so that a new folder joins the build without editing its parent.
function(fb_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# fb_add_library(name SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# The include root is the repository root, so headers are included as
# "platform/os/paths.h" or "src/editor/cause_tree.h".
function(fb_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE fb_options ${ARG_PRIVATE_LIBS})
endfunction()

# fb_add_gtest(name SOURCES ... LIBS ...): one test executable, its cases registered with CTest.
function(fb_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE fb_options ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
                             FB_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
