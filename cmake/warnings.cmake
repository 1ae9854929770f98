# Our own code builds with every common warning as an error; third-party code does not use this.
add_library(varokin_warnings INTERFACE)
target_compile_options(varokin_warnings INTERFACE -Wall -Wextra -Werror)
# GCC 12 reports -Wrestrict for "literal" + std::string at -O2, a known false positive
# (gcc bug 105329); it would fail every optimised build that concatenates messages.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(varokin_warnings INTERFACE -Wno-restrict)
endif()

# The program's own libraries build with stricter warnings still: shadowed names, casts and sign
# changes are where index and size mistakes hide.
add_library(varokin_strict_warnings INTERFACE)
target_compile_options(varokin_strict_warnings INTERFACE -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wnull-dereference -Wpedantic -Wconversion -Wsign-conversion)
target_link_libraries(varokin_strict_warnings INTERFACE varokin_warnings)

function(varokin_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE varokin_strict_warnings)
endfunction()

# One GoogleTest executable per subsystem, registered with CTest as one test.
function(varokin_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE varokin_warnings varokin_test_support GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
