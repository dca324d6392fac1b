# ort_add_qtest(name source...) adds a Qt Test program linked against the core
# library and the test support code, run offscreen so that a local ctest
# behaves as CI does.
function(ort_add_qtest name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ort310core ort310testsupport Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORT310_BUS=sim"
    TIMEOUT 240)
endfunction()

# ort_add_bench(name source...) adds a benchmark program; it prints its figures
# and is never part of the test run.
function(ort_add_bench name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ort310core ort310testsupport)
endfunction()
