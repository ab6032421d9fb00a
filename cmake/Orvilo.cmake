# Shared build settings and helpers for every Orvilo target.

add_compile_options(-Wall -Wextra)

if(ORVILO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# orvilo_add_test(<name> [QT] SOURCES ... LIBS ... [LABELS ...] [TIMEOUT s])
# One GoogleTest program; every test in it becomes a CTest test. Its main()
# (tests/support) makes the run headless (offscreen Qt, null audio sink)
# unless the environment says otherwise; QT: main() also makes a QApplication.
function(orvilo_add_test name)
  if(NOT ORVILO_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "QT" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(T_QT)
    target_link_libraries(${name} PRIVATE ${T_LIBS} orvilo_qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} orvilo_test_main GTest::gtest GTest::gmock)
  endif()
  target_compile_definitions(${name} PRIVATE
    ORVILO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ORVILO_PROGRAM_DIR="${ORVILO_PROGRAM_DIR}"
    ORVILO_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
endfunction()

# orvilo_add_sanitized_copy(<new target> <library targets...>): the C and C++
# sources of the libraries compiled once more with ASan and UBSan into a
# static library, so that fuzz smoke runs are sanitized in any build.
function(orvilo_add_sanitized_copy name)
  set(sources)
  foreach(library IN LISTS ARGN)
    get_target_property(library_sources ${library} SOURCES)
    get_target_property(library_folder ${library} SOURCE_DIR)
    foreach(source IN LISTS library_sources)
      if(NOT IS_ABSOLUTE ${source})
        set(source ${library_folder}/${source})
      endif()
      if(source MATCHES "\\.(c|cc|cpp)$")
        list(APPEND sources ${source})
      endif()
    endforeach()
  endforeach()
  add_library(${name} STATIC EXCLUDE_FROM_ALL ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PUBLIC -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(${name} PUBLIC -fsanitize=address,undefined)
  if(ORVILO_FUZZ)
    # The same copy guides libFuzzer's search in a clang fuzzing build.
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt.
function(orvilo_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry IN LISTS entries)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
