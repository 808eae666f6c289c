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
  # The libraries' process-long caches (tests/lsan.supp) are built into every program, not only
  # given to the tests: a sanitized `fishbone demo` in a new account must not fail on them.
  # Programs only: each compiles its own copy.
  file(STRINGS ${PROJECT_SOURCE_DIR}/tests/lsan.supp lsan_lines REGEX "^[a-z_]+:")
  list(JOIN lsan_lines "\\n" FB_LSAN_SUPPRESSIONS)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/lsan_suppressions.cpp.in
                 ${PROJECT_BINARY_DIR}/generated/lsan_suppressions.cpp @ONLY)
  target_sources(fb_options INTERFACE
    $<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:${PROJECT_BINARY_DIR}/generated/lsan_suppressions.cpp>)
endif()
if(FB_TSAN)
  target_compile_options(fb_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(fb_options INTERFACE -fsanitize=thread)
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
# Every test program starts in a new, empty home of its own (tests/support/fresh_home.cpp).
function(fb_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE fb_options fb_test_fresh_home ${ARG_LIBS} GTest::gmock
                                        GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
                             FB_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()

# fb_embed_file(target INPUT file NAME kSomethingBytes HEADER name.h): embeds a file's bytes at
# build time as the array NAME (and NAME's size, kSomethingSize) in a generated header that
# `target` includes by its bare name.
function(fb_embed_file target)
  cmake_parse_arguments(ARG "" "INPUT;NAME;HEADER" "" ${ARGN})
  set(generated_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(header ${generated_dir}/${ARG_HEADER})
  set(script ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake)
  get_filename_component(input_name "${ARG_INPUT}" NAME)
  add_custom_command(
    OUTPUT ${header}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${ARG_INPUT} -DOUTPUT=${header} -DNAME=${ARG_NAME} -P ${script}
    DEPENDS ${ARG_INPUT} ${script}
    COMMENT "Embedding ${input_name}"
    VERBATIM)
  target_sources(${target} PRIVATE ${header})
  target_include_directories(${target} PRIVATE ${generated_dir})
endfunction()

# fb_add_qtest(name SOURCES ... LIBS ...): one QtTest executable as one CTest test. It runs on Qt's
# offscreen platform, set here through the test's environment, so a plain `ctest` passes on a
# machine without a display.
function(fb_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE fb_options fb_test_fresh_home ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE
                             FB_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
