# Settings every target of the project shares, and helpers that build a library or a
# test executable from the sources of one folder.

add_library(tarvo_options INTERFACE)
target_compile_features(tarvo_options INTERFACE cxx_std_20)
target_compile_options(tarvo_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(tarvo_options INTERFACE QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER)
if(TARVO_WERROR)
  target_compile_options(tarvo_options INTERFACE -Werror)
endif()
if(TARVO_SANITIZE)
  # GCC's flow analysis reports false "maybe uninitialized" warnings in sanitized code.
  target_compile_options(tarvo_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
    -Wno-maybe-uninitialized)
  target_link_options(tarvo_options INTERFACE -fsanitize=address,undefined)
endif()

# tarvo_folder_sources(OUT DIR [WITH_UI | ONLY_UI]): the .cpp and .h files below DIR; by default
# those outside its ui/ folders, WITH_UI all of them, ONLY_UI those inside ui/ folders at any depth.
function(tarvo_folder_sources out dir)
  cmake_parse_arguments(ARG "WITH_UI;ONLY_UI" "" "" ${ARGN})
  # Filtered by the path below DIR, so that a clone inside a folder named ui still builds.
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS RELATIVE ${dir} ${dir}/*.cpp ${dir}/*.h)
  if(ARG_ONLY_UI)
    list(FILTER sources INCLUDE REGEX "(^|/)ui/")
  elseif(NOT ARG_WITH_UI)
    list(FILTER sources EXCLUDE REGEX "(^|/)ui/")
  endif()
  list(TRANSFORM sources PREPEND ${dir}/)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# tarvo_folder_library(NAME DIR [WITH_UI_FOLDER] [LINKS ...] [PRIVATE_LINKS ...])
# Builds every .cpp below DIR (not its ui/ subfolder) into one static library. The include root
# is src/.
function(tarvo_folder_library name dir)
  cmake_parse_arguments(ARG "WITH_UI_FOLDER" "" "LINKS;PRIVATE_LINKS" ${ARGN})
  if(ARG_WITH_UI_FOLDER)
    tarvo_folder_sources(sources ${dir} WITH_UI)
  else()
    tarvo_folder_sources(sources ${dir})
  endif()
  if(NOT sources)
    # A library whose first sources are still to come: its users already link it.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE tarvo_options ${ARG_LINKS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC tarvo_options ${ARG_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
endfunction()

# tarvo_folder_tests(NAME DIR [WIDGETS] [EXCLUDE REGEX] LINKS ...): one GoogleTest executable from
# every .cpp below DIR, less those below DIR/EXCLUDE (a regular expression); WIDGETS gives it a
# QApplication main instead of a QCoreApplication one.
function(tarvo_folder_tests name dir)
  cmake_parse_arguments(ARG "WIDGETS;ALL" "EXCLUDE" "LINKS" ${ARGN})
  if(ARG_WIDGETS OR ARG_ALL)
    tarvo_folder_sources(sources ${dir} WITH_UI)
  else()
    tarvo_folder_sources(sources ${dir})
  endif()
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${dir}/${ARG_EXCLUDE}")
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  if(ARG_WIDGETS)
    set(test_main tarvo_test_main_ui)
  else()
    set(test_main tarvo_test_main)
  endif()
  target_link_libraries(${name} PRIVATE tarvo_options tarvo_test_support ${test_main} ${ARG_LINKS}
    GTest::gtest GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TARVO_SOURCE_DIR=${PROJECT_SOURCE_DIR};TARVO_BINARY_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 600)
  if(TARVO_SANITIZE)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/qt-leaks.supp:print_suppressions=0")
  endif()
endfunction()
