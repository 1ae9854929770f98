# Our own code builds with every common warning as an error; third-party code does not use this.
add_library(varokin_warnings INTERFACE)
target_compile_options(varokin_warnings INTERFACE -Wall -Wextra -Werror)

function(varokin_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE varokin_warnings)
endfunction()

# One GoogleTest executable per subsystem, registered with CTest as one test.
function(varokin_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE varokin_warnings varokin_test_support GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
