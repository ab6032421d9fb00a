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

# Adds every direct subfolder of the current folder that has a CMakeLists.txt.
function(orvilo_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry IN LISTS entries)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
