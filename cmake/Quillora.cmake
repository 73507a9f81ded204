# Shared helpers for the folder libraries and their tests.
set(CMAKE_AUTOMOC OFF)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)

# quillora_library(NAME SOURCES... [QT] [LINKS libs...]): one static library per src/ folder.
function(quillora_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# quillora_test(NAME SOURCES... LINKS libs...): one GoogleTest executable registered with CTest.
function(quillora_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    # Widgets need an application object: the Qt test main creates one before the tests run.
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} test_qt_main GTest::gtest GTest::gmock)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
endfunction()
