# zamo_add_subsystem(<target> <folder>)
# A static library from every .cpp/.h under <folder> except the program's main.cpp.
function(zamo_add_subsystem target folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  list(FILTER sources EXCLUDE REGEX "_main\\.cpp$")
  if(NOT sources)
    set(stub ${CMAKE_BINARY_DIR}/stubs/${target}_empty.cpp)
    file(WRITE ${stub} "// ${folder} has no sources yet\n")
    set(sources ${stub})
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC
    Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Sql Qt6::PrintSupport Qt6::Multimedia Qt6::DBus
    PkgConfig::XLSXWRITER)
endfunction()

# zamo_add_test_folder(<folder>)
# One GoogleTest program of the .cpp files in one folder under tests/ (not its
# subfolders, which are programs of their own), run offscreen by CTest.
function(zamo_add_test_folder folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" name "test_${folder}")
  add_executable(${name} ${sources} ${CMAKE_SOURCE_DIR}/tests/support/gtest_main.cpp)
  target_link_libraries(${name} PRIVATE zamo_test_support zamo_resources
    ${ZAMO_STATION_LIBS} zamo_viewer zamo_platform GTest::gmock Qt6::Test)
  # Tests of the scripts find them in the source tree.
  target_compile_definitions(${name} PRIVATE ZAMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZAMO_SOURCE_DIR=${CMAKE_SOURCE_DIR}" TIMEOUT 300)
endfunction()
