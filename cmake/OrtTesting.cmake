# ort_add_qtest(<name> <sources>... LINKS <libraries>...) adds a Qt Test
# program linked against what it tests, run offscreen so that a local ctest
# behaves as CI does.
function(ort_add_qtest name)
  cmake_parse_arguments(T "" "" "LINKS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LINKS} Qt6::Test)
  ort_use_source_root(${name})
  add_test(NAME ${name} COMMAND ${name})
  # No test reaches the user's own settings, nor speaks the machine's language.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANGUAGE=en;LC_ALL=C.UTF-8;ORT310_BUS=sim;XDG_CONFIG_HOME=${PROJECT_BINARY_DIR}/tests/config-home"
    TIMEOUT 240)
endfunction()

# ort_add_bench(<name> <sources>... LINKS <libraries>...) adds a benchmark
# program; it prints its figures and is never part of the test run.
function(ort_add_bench name)
  cmake_parse_arguments(B "" "" "LINKS" ${ARGN})
  add_executable(${name} ${B_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${B_LINKS})
  ort_use_source_root(${name})
endfunction()
