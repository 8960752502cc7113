# Helpers shared by every subsystem's CMakeLists.txt.

# tripdesk_logic_library(NAME SOURCES ... [LIBS ...])
# A subsystem's logic: a static library that must not see Qt.
function(tripdesk_logic_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
endfunction()

# tripdesk_ui_sources(SOURCES ... [LIBS ...])
# Window code of a subsystem; it goes into the program (and the window tests).
function(tripdesk_ui_sources)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  foreach(src ${A_SOURCES})
    get_filename_component(abs ${src} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY TRIPDESK_UI_SOURCES ${abs})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY TRIPDESK_UI_LIBS ${A_LIBS})
endfunction()

# Builds the window object library `tripdesk_ui` and the program from what the
# subsystems contributed. app/ui/main.cpp holds main().
function(tripdesk_make_program)
  get_property(srcs GLOBAL PROPERTY TRIPDESK_UI_SOURCES)
  get_property(libs GLOBAL PROPERTY TRIPDESK_UI_LIBS)
  if(NOT srcs)
    return()
  endif()
  set(main_src ${PROJECT_SOURCE_DIR}/app/ui/main.cpp)
  list(REMOVE_ITEM srcs ${main_src})
  add_library(tripdesk_ui OBJECT ${srcs})
  set_target_properties(tripdesk_ui PROPERTIES AUTOMOC ON AUTORCC ON)
  target_include_directories(tripdesk_ui PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tripdesk_ui PUBLIC Qt6::Widgets ${libs})
  if(EXISTS ${main_src})
    add_executable(marvek7_tripdesk ${main_src})
    set_target_properties(marvek7_tripdesk PROPERTIES AUTOMOC ON)
    target_link_libraries(marvek7_tripdesk PRIVATE tripdesk_ui)
  endif()
endfunction()

# tripdesk_gtest(NAME SOURCES ... [LIBS ...] [LABELS ...])
function(tripdesk_gtest name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    TRIPDESK_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TRIPDESK_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} LABELS "${A_LABELS}")
endfunction()

# tripdesk_qtest(NAME SOURCES ... [LIBS ...]): a Qt Test program over the
# window code, run offscreen.
function(tripdesk_qtest name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT TARGET tripdesk_ui)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE tripdesk_ui Qt6::Test ${A_LIBS})
  target_compile_definitions(${name} PRIVATE
    TRIPDESK_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TRIPDESK_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")
endfunction()
